// What a freshly started program sees: this test program starts itself again
// with a command line of the test's choosing, and the second run reports what
// the back-end told it, then ends before running any test.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_random.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_text.h"

namespace scrivlet::test {
namespace {

constexpr const char* ReportVariable = "SCRIVLET_TEST_REPORT_FILE";
constexpr int ReportedDraws = 4;

// Runs during static initialisation, before the test framework takes over.
[[maybe_unused]] const bool reportedAndEnded = [] {
    char file[MAX_PATH + 1] = {};
    const DWORD length = GetEnvironmentVariableA(ReportVariable, file, sizeof file);
    if (length == 0 || length >= sizeof file) return false;
    Win32System system;
    Win32Random random;
    std::string report = system.commandLine() + "\n" + system.executablePath() + "\n";
    for (int i = 0; i < ReportedDraws; ++i) {
        char number[40];
        std::snprintf(number, sizeof number, "%.17g\n", random.next());
        report += number;
    }
    Win32FileSystem().writeAll(file, report);
    ExitProcess(0);
}();

struct Report {
    std::string commandLine;
    std::string executablePath;
    std::vector<std::string> draws;
};

std::string thisProgram() {
    wchar_t path[MAX_PATH + 1] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    return narrow(path);
}

// Sets a variable for the children started while it lives.
class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const std::string& value) : name_(name) {
        SetEnvironmentVariableA(name_, value.c_str());
    }
    ~EnvironmentVariable() { SetEnvironmentVariableA(name_, nullptr); }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    const char* name_;
};

// Starts this program (or a copy of it) again with the whole command line
// given (the program name in it need not be the real one) and returns what
// that run reported.
std::optional<Report> runReporter(const std::string& commandLine, const std::string& program = thisProgram()) {
    char temp[MAX_PATH + 1] = {};
    char file[MAX_PATH + 1] = {};
    if (!GetTempPathA(sizeof temp, temp) || !GetTempFileNameA(temp, "scr", 0, file)) {
        ADD_FAILURE() << "no temporary file";
        return std::nullopt;
    }
    DeleteFileA(file);  // the child's report must be what tells us it ran
    const EnvironmentVariable variable(ReportVariable, file);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring wideLine = wide(commandLine);
    if (!CreateProcessW(wide(program).c_str(), wideLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        ADD_FAILURE() << "could not start " << program;
        return std::nullopt;
    }
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    if (WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        ADD_FAILURE() << "the second run did not end";
        return std::nullopt;
    }
    const auto text = Win32FileSystem().readAll(file);
    DeleteFileA(file);
    if (!text) {
        ADD_FAILURE() << "the second run wrote no report";
        return std::nullopt;
    }
    Report report;
    std::istringstream lines(*text);
    std::getline(lines, report.commandLine);
    std::getline(lines, report.executablePath);
    for (std::string line; std::getline(lines, line);) report.draws.push_back(line);
    return report;
}

struct StartCase {
    const char* label;
    const char* whole;
    const char* arguments;
};

void PrintTo(const StartCase& c, std::ostream* out) { *out << c.label; }

class CommandLineOfARun : public ::testing::TestWithParam<StartCase> {};

TEST_P(CommandLineOfARun, IsWhatFollowsTheProgramName) {
    const auto report = runReporter(GetParam().whole);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->commandLine, GetParam().arguments);
    // The path comes from the system, not from the name on the command line.
    EXPECT_EQ(report->executablePath, thisProgram());
}

INSTANTIATE_TEST_SUITE_P(
    Starts, CommandLineOfARun,
    ::testing::Values(
        StartCase{"NoArguments", "scrivlet.exe", ""},
        StartCase{"DebugSwitch", "scrivlet.exe /debug", "/debug"},
        StartCase{"QuotedProgramAndFile",
                  "\"C:\\Programme\\Scrivlet\\scrivlet.exe\" \t \"C:\\Meine Texte\\liste.ini\"",
                  "\"C:\\Meine Texte\\liste.ini\""},
        StartCase{"BlanksKept", "scrivlet  eins   zwei  ", "eins   zwei  "},
        StartCase{"Cp1252Text", "scrivlet Grüße", "Grüße"},
        StartCase{"BeyondWindows1252", "scrivlet \"C:\\Łódź\\Texte ✓ 😀.ini\"", "\"C:\\Łódź\\Texte ✓ 😀.ini\""}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(SeparateRuns, AProgramInAFolderOfAnyNameKnowsItsPath) {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
    const std::string folder = narrow(temp) + "Łódź ✓ " + std::to_string(GetCurrentProcessId());
    const std::string copy = folder + "\\scrivlet 😀.exe";
    ASSERT_TRUE(CreateDirectoryW(wide(folder).c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(wide(thisProgram()).c_str(), wide(copy).c_str(), FALSE));
    const auto report = runReporter("\"" + copy + "\" /debug", copy);
    DeleteFileW(wide(copy).c_str());
    RemoveDirectoryW(wide(folder).c_str());
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->executablePath, copy);
    EXPECT_EQ(report->commandLine, "/debug");
}

TEST(SeparateRuns, DrawDifferentRandomNumbers) {
    // Two runs started within the same second: a generator seeded from the
    // clock would repeat itself here.
    const auto first = runReporter("scrivlet.exe");
    const auto second = runReporter("scrivlet.exe");
    ASSERT_TRUE(first && second);
    ASSERT_EQ(first->draws.size(), static_cast<std::size_t>(ReportedDraws));
    ASSERT_EQ(second->draws.size(), static_cast<std::size_t>(ReportedDraws));
    EXPECT_NE(first->draws, second->draws);
    for (const auto& draws : {first->draws, second->draws})
        for (const auto& text : draws) {
            const double value = std::stod(text);
            EXPECT_GE(value, 0.0) << text;
            EXPECT_LT(value, 1.0) << text;
        }
}

}  // namespace
}  // namespace scrivlet::test
