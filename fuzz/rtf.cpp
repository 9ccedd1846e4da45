// The RTF of the editor: any RTF is read without failing into a text with one
// format a byte, no longer than three times the RTF; and a text of any UTF-16
// units (lone surrogates included) written in its formats reads back as that
// text and those formats, every line break (CR LF, lone CR or LF) as CR LF in
// the format of its first character.
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
    FUZZ_CHECK(any.text.size() <= 3 * input.size());

    const auto [units, choices] = fuzz::split(input);
    const std::string text = fuzz::textOf(reinterpret_cast<const std::uint8_t*>(units.data()), units.size());
    std::vector<ui::CharFormat> formats;
    std::string expectedText;
    std::vector<ui::CharFormat> expectedFormats;
    std::size_t k = 0;
    for (std::size_t i = 0; i < text.size(); ++k) {
        const ui::CharFormat& format =
            choices.empty() ? Palette[0] : Palette[static_cast<unsigned char>(choices[k % choices.size()]) % 4];
        const std::size_t length = utf8Length(text, i);
        formats.insert(formats.end(), length, format);
        const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        if (text[i] == '\r' || text[i] == '\n') {
            expectedText += "\r\n";
            expectedFormats.insert(expectedFormats.end(), 2, format);
        } else {
            expectedText += text.substr(i, length);
            expectedFormats.insert(expectedFormats.end(), length, format);
        }
        i += length;
        if (crlf) {
            formats.push_back(format);
            ++i;
        }
    }
    const std::string rtf = toRtf(text, formats, Palette[0], 10, [](Colour c) { return c; });
    const FormattedText read = fromRtf(rtf, Palette[0]);
    FUZZ_CHECK(read.text == expectedText);
    FUZZ_CHECK(read.formats == expectedFormats);
    return 0;
}
