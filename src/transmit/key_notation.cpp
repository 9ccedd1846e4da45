#include "transmit/key_notation.h"

#include "platform/key_string.h"
#include "platform/text.h"

namespace scrivlet {

std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement,
                       bool ignoreCase) {
    if (find.empty()) return std::string(text);
    const std::string haystack = ignoreCase ? toUpper(text) : std::string(text);
    const std::string needle = ignoreCase ? toUpper(find) : std::string(find);
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at; (at = haystack.find(needle, from)) != std::string::npos;
         from = at + find.size())
        out.append(text.substr(from, at - from)).append(replacement);
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
    std::string form = replaceAll(plainText, "\r", std::string_view(&EnterMarker, 1));
    return replaceAll(form, "\t", std::string_view(&TabMarker, 1));
}

std::string editorFormToText(std::string_view editorText) {
    std::string text = replaceAll(editorText, "\r\n", "");
    text = replaceAll(text, std::string_view(&EnterMarker, 1), "\r");
    return replaceAll(text, std::string_view(&TabMarker, 1), "\t");
}

}  // namespace scrivlet
