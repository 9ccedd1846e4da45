#include "transmit/key_notation.h"

#include "platform/key_string.h"
#include "platform/text.h"

#include <optional>

namespace scrivlet {

std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement,
                       bool ignoreCase) {
    if (find.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (;;) {
        std::optional<TextRange> match;
        if (ignoreCase) {
            match = findIgnoringCase(text, find, from);
        } else if (const std::size_t at = text.find(find, from); at != std::string_view::npos) {
            match = TextRange{at, find.size()};
        }
        if (!match) break;
        out.append(text.substr(from, match->start - from)).append(replacement);
        from = match->start + match->length;
    }
    out.append(text.substr(from));
    return out;
}

std::string escapeKeyCharacters(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        if (isKeySpecialCharacter(c)) {
            out += '{';
            out += c;
            out += '}';
        } else {
            out += c;
        }
    }
    return out;
}

std::string toKeyString(std::string_view plainText) {
    std::string keys = escapeKeyCharacters(plainText);
    keys = replaceAll(keys, "\r", "~");
    return replaceAll(keys, "\t", "{TAB}");
}

std::string textToEditorForm(std::string_view plainText) {
    std::string form = replaceAll(plainText, "\r", EnterMarker);
    return replaceAll(form, "\t", TabMarker);
}

std::string editorFormToText(std::string_view editorText) {
    std::string text = replaceAll(editorText, "\r\n", "");
    text = replaceAll(text, EnterMarker, "\r");
    return replaceAll(text, TabMarker, "\t");
}

}  // namespace scrivlet
