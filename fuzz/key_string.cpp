// The key string: every plain text, in any character, turns into one the
// injection reads back as exactly that text (characters, Enter for CR, Tab for TAB, never an Alt or Ctrl key),
// and any key string is either read or refused, never more steps than bytes.
#include "harness.h"
#include "platform/key_string.h"
#include "transmit/key_notation.h"

using namespace scrivlet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::textOf(data, size);
    const std::string keys = toKeyString(text);
    FUZZ_CHECK(keys.size() <= 5 * text.size());
    KeyStringError error;
    const auto steps = parseKeyString(keys, &error);
    FUZZ_CHECK(steps.has_value());
    std::string typed;
    for (const KeyStep& step : *steps) {
        switch (step.kind) {
            case KeyStep::Kind::Character: appendUtf8(typed, step.character); break;
            case KeyStep::Kind::Enter: typed += '\r'; break;
            case KeyStep::Kind::Tab: typed += '\t'; break;
            case KeyStep::Kind::AltKey:
            case KeyStep::Kind::Key:
            case KeyStep::Kind::CtrlKey: FUZZ_CHECK(!"a plain text gave a menu key or a chord"); break;
            case KeyStep::Kind::Backspace: FUZZ_CHECK(!"a plain text gave a backspace"); break;
        }
    }
    FUZZ_CHECK(typed == text);

    const std::string_view bytes = fuzz::bytesOf(data, size);
    const auto any = parseKeyString(bytes, &error);
    if (any) FUZZ_CHECK(any->size() <= bytes.size());
    else FUZZ_CHECK(error.position < bytes.size());
    return 0;
}
