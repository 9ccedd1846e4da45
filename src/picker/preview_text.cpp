#include "picker/preview_text.h"

#include "platform/unicode.h"

namespace scrivlet {

std::vector<std::string> previewLines(std::string_view text, std::size_t lineCount) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < text.size() && lines.size() < lineCount) {
        std::string line;
        std::size_t characters = 0;
        bool cut = false;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n') {
            const std::size_t n = utf8Length(text, i);
            if (characters == PreviewLineLength) {
                cut = true;  // the rest of this line is skipped
            } else if (!cut) {
                if (text[i] == '\t')
                    line += PreviewTab;
                else
                    line.append(text.substr(i, n));
                ++characters;
            }
            i += n;
        }
        if (cut) line += PreviewCut;
        if (i < text.size()) {
            if (text[i] == '\r') {
                line += PreviewEnter;
                if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            }
            ++i;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace scrivlet
