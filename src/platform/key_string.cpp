#include "platform/key_string.h"

#include "platform/unicode.h"

namespace scrivlet {

std::optional<std::vector<KeyStep>> parseKeyString(std::string_view keys, KeyStringError* error) {
    std::vector<KeyStep> steps;
    steps.reserve(keys.size());
    // Letters right after an Alt key pick menu items by their access keys, so
    // they are pressed as keys, not typed as characters.
    bool menuKeys = false;
    auto fail = [&](std::size_t at, const char* reason) -> std::optional<std::vector<KeyStep>> {
        if (error) *error = {at, reason};
        return std::nullopt;
    };
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const char c = keys[i];
        if (c == '~') {
            steps.push_back({KeyStep::Kind::Enter, 0});
        } else if (c == '{') {
            if (keys.substr(i, 5) == "{TAB}") {
                steps.push_back({KeyStep::Kind::Tab, 0});
                i += 4;
            } else if (i + 2 < keys.size() && keys[i + 2] == '}' && isKeySpecialCharacter(keys[i + 1])) {
                steps.push_back({KeyStep::Kind::Character, static_cast<char32_t>(keys[i + 1])});
                i += 2;
            } else {
                return fail(i, "unbekannter Tastenname in geschweiften Klammern");
            }
        } else if (c == '%') {
            if (i + 1 >= keys.size()) return fail(i, "Alt ohne folgende Taste");
            const char key = keys[i + 1];
            if (key != ' ' && !((key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z')))
                return fail(i, "Alt nur mit Leertaste oder Buchstabe");
            steps.push_back({KeyStep::Kind::AltKey, static_cast<char32_t>(key)});
            ++i;
            menuKeys = true;
            continue;
        } else if (c == '^') {
            const char key = i + 1 < keys.size() ? keys[i + 1] : '\0';
            if (!((key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z')))
                return fail(i, "Strg nur mit Buchstabe");
            steps.push_back({KeyStep::Kind::CtrlKey, static_cast<char32_t>(key)});
            ++i;
        } else if (isKeySpecialCharacter(c)) {  // those not handled above
            return fail(i, "Sonderzeichen ohne geschweifte Klammern");
        } else if (menuKeys && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) {
            steps.push_back({KeyStep::Kind::Key, static_cast<char32_t>(c)});
            continue;
        } else {
            std::size_t n = 0;
            steps.push_back({KeyStep::Kind::Character, decodeUtf8(keys, i, &n)});
            i += n - 1;
        }
        menuKeys = false;
    }
    return steps;
}

}  // namespace scrivlet
