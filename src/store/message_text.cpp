#include "store/message_text.h"

#include "store/storage_escape.h"

namespace scrivlet {

std::string formatMessageText(std::string_view text, const std::vector<std::string>& values) {
    std::string result;
    std::size_t plainStart = 0;
    auto flushPlain = [&](std::size_t end) {
        result += unescapeText(text.substr(plainStart, end - plainStart));
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;  // the escaped character is never a placeholder
            continue;
        }
        if (text[i] != '%' || i + 1 >= text.size() || text[i + 1] < '1' || text[i + 1] > '9')
            continue;
        std::size_t n = static_cast<std::size_t>(text[i + 1] - '0');
        std::size_t length = 2;
        if (n == 1 && i + 2 < text.size() && text[i + 2] == '0') n = 10, length = 3;
        flushPlain(i);
        if (n <= values.size()) result += values[n - 1];
        i += length - 1;
        plainStart = i + 1;
    }
    flushPlain(text.size());
    return result;
}

}  // namespace scrivlet
