#include "store/storage_escape.h"

#include "store/file_text.h"

namespace scrivlet {

std::string escapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\T"; break;
            case '\n': out += "\\L"; break;
            case '\r': out += "\\N"; break;
            case '"': out += "\\H"; break;
            default: out += c;
        }
    }
    return out;
}

std::string unescapeText(std::string_view stored) {
    std::string out;
    out.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] != '\\') {
            out += stored[i];
            continue;
        }
        if (++i == stored.size()) break;  // a lone backslash at the end is dropped
        switch (stored[i]) {
            case 'T': case 't': out += '\t'; break;
            case 'N': case 'n': out += '\r'; break;
            case 'L': case 'l': out += '\n'; break;
            case 'H': case 'h': out += '"'; break;
            default: out += stored[i];
        }
    }
    return out;
}

std::string textForFile(std::string_view plainText) { return escapeText(toFileText(plainText)); }

std::string textFromFile(std::string_view stored) { return fromFileText(unescapeText(stored)); }

}  // namespace scrivlet
