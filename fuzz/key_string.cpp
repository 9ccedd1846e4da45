// The key string: every plain text turns into one the injection reads back as
// exactly that text (characters, Enter for CR, Tab for TAB, never an Alt key),
// and any key string is either read or refused, never more steps than bytes.
#include "harness.h"
#include "platform/key_string.h"
#include "transmit/key_notation.h"

using namespace scrivlet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::bytesOf(data, size);
    const std::string keys = toKeyString(text);
    FUZZ_CHECK(keys.size() <= 5 * text.size());
    KeyStringError error;
    const auto steps = parseKeyString(keys, &error);
    FUZZ_CHECK(steps.has_value());
    std::string typed;
    for (const KeyStep& step : *steps) {
        switch (step.kind) {
            case KeyStep::Kind::Character: typed += step.character; break;
            case KeyStep::Kind::Enter: typed += '\r'; break;
            case KeyStep::Kind::Tab: typed += '\t'; break;
            case KeyStep::Kind::AltKey:
            case KeyStep::Kind::Key: FUZZ_CHECK(!"a plain text gave a menu key"); break;
        }
    }
    FUZZ_CHECK(typed == text);

    const auto any = parseKeyString(text, &error);
    if (any) FUZZ_CHECK(any->size() <= text.size());
    else FUZZ_CHECK(error.position < text.size());
    return 0;
}
