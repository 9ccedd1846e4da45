#include <gtest/gtest.h>

#include "store/file_helpers.h"
#include "store/message_text.h"

namespace scrivlet {
namespace {

TEST(FormatMessageText, FillsPlaceholdersAndBreaksLines) {
    const std::vector<std::string> ten = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "J"};
    EXPECT_EQ(formatMessageText("Eins\\n\\nZwei"), "Eins\r\rZwei");
    EXPECT_EQ(formatMessageText("%1-%2-%3", {"x", "y"}), "x-y-");
    EXPECT_EQ(formatMessageText("%10|%1|%11", ten), "J|a|a1");
    EXPECT_EQ(formatMessageText("100% %0 %", {"x"}), "100% %0 %");
    // Values are not unescaped: a path keeps its backslashes.
    EXPECT_EQ(formatMessageText("Datei '%1'\\n", {"C:\\neu\\Text.ini"}), "Datei 'C:\\neu\\Text.ini'\r");
    EXPECT_EQ(formatMessageText("%1", {"%2"}), "%2");
}

TEST(PathHelpers, AsTheSystemCallsLeaveThem) {
    EXPECT_EQ(addBackslash("C:\\Daten"), "C:\\Daten\\");
    EXPECT_EQ(addBackslash("D:\\"), "D:\\");
    EXPECT_EQ(addBackslash(""), "\\");
    std::string buffer = "C:\\Daten";
    buffer.resize(260, '\0');
    EXPECT_EQ(cutAtNull(buffer), "C:\\Daten");
    EXPECT_EQ(cutAtNull("ohne"), "ohne");
}

}  // namespace
}  // namespace scrivlet
