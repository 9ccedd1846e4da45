// The RTF of the editor: any RTF is read without failing into a text with one
// format a character, no longer than twice the RTF; and a text written in its
// formats reads back as that text and those formats, every line break (CR LF,
// lone CR or LF) as CR LF in the format of its first character.
#include "harness.h"
#include "platform/rtf.h"

using namespace scrivlet;

namespace {

const ui::CharFormat Palette[] = {
    {0x000000, "arial"}, {0x0000FF, "wingdings"}, {0xFF0000, "wingdings"}, {0x008000, "Courier New"}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::bytesOf(data, size);
    const FormattedText any = fromRtf(input, Palette[0]);
    FUZZ_CHECK(any.formats.size() == any.text.size());
    FUZZ_CHECK(any.text.size() <= 2 * input.size());

    const auto [text, choices] = fuzz::split(input);
    std::vector<ui::CharFormat> formats;
    for (std::size_t i = 0; i < text.size(); ++i)
        formats.push_back(choices.empty() ? Palette[0]
                                          : Palette[static_cast<unsigned char>(choices[i % choices.size()]) % 4]);
    std::string expectedText;
    std::vector<ui::CharFormat> expectedFormats;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            expectedText += "\r\n";
            expectedFormats.insert(expectedFormats.end(), 2, formats[i]);
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            expectedText += text[i];
            expectedFormats.push_back(formats[i]);
        }
    }
    const std::string rtf = toRtf(std::string(text), formats, Palette[0], 10, [](Colour c) { return c; });
    const FormattedText read = fromRtf(rtf, Palette[0]);
    FUZZ_CHECK(read.text == expectedText);
    FUZZ_CHECK(read.formats == expectedFormats);
    return 0;
}
