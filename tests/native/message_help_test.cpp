// Every message the program can show is explained on the help's page of
// messages, word for word, and the page explains no message the program no
// longer has.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "store/message_catalogue.h"

namespace scrivlet {
namespace {

std::string page() {
    std::ifstream in(SCRIVLET_SOURCE_DIR "/hilfe/meldungen.htm", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A message as the page shows it, read as the user reads it: a line break
// where the page breaks the line, blanks collapsed, tags gone.
std::string asRead(const std::string& html) {
    std::string text;
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html.compare(i, 4, "<br>") == 0) {
            while (!text.empty() && text.back() == ' ') text.pop_back();
            text += '\r';
            i += 3;
        } else if (html[i] == '<') {
            i = html.find('>', i);
        } else if (html.compare(i, 5, "&amp;") == 0) {
            text += '&';
            i += 4;
        } else if (html.compare(i, 4, "&lt;") == 0 || html.compare(i, 4, "&gt;") == 0) {
            text += html[i + 1] == 'l' ? '<' : '>';
            i += 3;
        } else if (html[i] == ' ' || html[i] == '\n' || html[i] == '\r') {
            if (!text.empty() && text.back() != ' ' && text.back() != '\r') text += ' ';
        } else {
            text += html[i];
        }
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// The message with the words for its values in their place.
std::string expected(const Message& message) {
    std::vector<std::string> values;
    for (std::string_view word : message.values) values.emplace_back(word);
    std::string text = messageText(message, values);
    std::string tidy;
    for (char c : text) {
        if (c == '\r')
            while (!tidy.empty() && tidy.back() == ' ') tidy.pop_back();
        if (c == ' ' && !tidy.empty() && tidy.back() == '\r') continue;
        tidy += c;
    }
    return tidy;
}

// The messages the page quotes, by the anchor of the heading above each.
std::map<std::string, std::string> quoted(const std::string& html) {
    std::map<std::string, std::string> found;
    const std::string marker = "<p class=\"meldung\">";
    for (std::size_t at = html.find(marker); at != std::string::npos; at = html.find(marker, at + 1)) {
        const std::size_t id = html.rfind(" id=\"", at);
        const std::string anchor = id == std::string::npos ? "" : html.substr(id + 5, html.find('"', id + 5) - id - 5);
        const std::size_t start = at + marker.size();
        found[anchor] = asRead(html.substr(start, html.find("</p>", start) - start));
    }
    return found;
}

TEST(MessageHelp, ExplainsEveryMessageWordForWordAndNoOther) {
    const std::string html = page();
    ASSERT_FALSE(html.empty()) << "hilfe/meldungen.htm";
    std::map<std::string, std::string> explained = quoted(html);
    for (const Message* message : messageCatalogue()) {
        const std::string anchor(message->anchor);
        const auto found = explained.find(anchor);
        if (found == explained.end()) {
            ADD_FAILURE() << "no explanation under id=\"" << anchor << "\" for: " << expected(*message);
            continue;
        }
        EXPECT_EQ(found->second, expected(*message)) << anchor;
        explained.erase(found);
    }
    for (const auto& [anchor, text] : explained) ADD_FAILURE() << "no such message (" << anchor << "): " << text;
}

}  // namespace
}  // namespace scrivlet
