// What the process learns about itself from the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_system.h"
#include "platform/win32/win32_text.h"

namespace scrivlet::test {
namespace {

struct CommandLineCase {
    const char* label;
    const char* whole;
    const char* arguments;
};

void PrintTo(const CommandLineCase& c, std::ostream* out) { *out << c.label; }

class ArgumentsAfterProgramName : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(ArgumentsAfterProgramName, SkipsTheNameAndTheBlanksAfterIt) {
    EXPECT_EQ(argumentsAfterProgramName(GetParam().whole), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ArgumentsAfterProgramName,
    ::testing::Values(
        CommandLineCase{"Empty", "", ""},
        CommandLineCase{"NameOnly", "scrivlet.exe", ""},
        CommandLineCase{"QuotedNameOnly", "\"C:\\Programme\\Scrivlet\\scrivlet.exe\"", ""},
        CommandLineCase{"NameAndTrailingBlanks", "scrivlet.exe   ", ""},
        CommandLineCase{"OneArgument", "scrivlet.exe /debug", "/debug"},
        CommandLineCase{"QuotedNameWithBlanks",
                        "\"C:\\Program Files\\Scrivlet\\scrivlet.exe\" C:\\Texte\\a.ini",
                        "C:\\Texte\\a.ini"},
        CommandLineCase{"BlanksAndTabsAfterTheName", "scrivlet \t \t\"C:\\Meine Texte\\a.ini\"",
                        "\"C:\\Meine Texte\\a.ini\""},
        CommandLineCase{"ArgumentsKeptAsPassed", "scrivlet  a  \"b  c\"  ", "a  \"b  c\"  "},
        CommandLineCase{"NameEndsAtItsClosingQuote", "\"C:\\x y\\p.exe\"arg", "arg"},
        CommandLineCase{"UnclosedQuoteIsAllName", "\"C:\\x y\\p.exe a b", ""},
        CommandLineCase{"TabEndsAnUnquotedName", "scrivlet\targ", "arg"},
        CommandLineCase{"QuoteInsideAnUnquotedName", "scriv\"let x\" y", "x\" y"},
        CommandLineCase{"CharactersBeyondAscii", "\"C:\\Łódź\\scrivlet.exe\" C:\\Texte ✓\\😀.ini", "C:\\Texte ✓\\😀.ini"}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(Win32System, ExecutablePathIsTheFullPathOfThisProgram) {
    Win32System system;
    const std::string path = system.executablePath();
    const std::string name = "\\scrivlet_win32_tests.exe";
    ASSERT_GT(path.size(), name.size());
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path.c_str() + path.size() - name.size(),
                             static_cast<int>(name.size()), name.c_str(),
                             static_cast<int>(name.size())),
              CSTR_EQUAL)
        << path;
    EXPECT_EQ(path.substr(1, 2), ":\\") << path;
    const DWORD bits = GetFileAttributesW(wide(path).c_str());
    EXPECT_NE(bits, INVALID_FILE_ATTRIBUTES) << path;
    EXPECT_FALSE(bits & FILE_ATTRIBUTE_DIRECTORY) << path;
}

TEST(Win32System, PlatformIsTheNtFamily) {
    Win32System system;
    EXPECT_EQ(system.platformId(), 2u);
}

}  // namespace
}  // namespace scrivlet::test
