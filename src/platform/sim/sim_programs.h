#pragma once
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/programs.h"

namespace scrivlet {

// Programs on the simulated desktop: a start succeeds when the program the
// command line names is installed (by name, as "notepad") or is a file of the
// simulated disk; a started program runs until the test ends it. The shell
// opens an existing file whose type has an associated program.
class SimPrograms : public Programs {
public:
    explicit SimPrograms(FileSystem& files) : files_(files) {}

    bool start(const std::string& commandLine, std::function<void()> onEnd) override;
    bool open(const std::string& path) override;

    // Ends one started program that still runs; its end is noticed at once.
    void end(std::size_t index);
    // Ends every started program that still runs, in the order of their starts.
    void endAll();

    struct Started {
        std::string commandLine;
        std::function<void()> onEnd;
        bool running = true;
    };
    std::vector<Started> started;
    // Every command line tried, also those that could not start.
    std::vector<std::string> tried;
    std::vector<std::string> opened;
    // Program names without folder and ".exe", lower case.
    std::set<std::string> installed{"notepad", "explorer", "cmd"};
    // File types with an associated program, lower case with the dot.
    std::set<std::string> associations{".htm", ".html", ".txt", ".ini"};

private:
    bool exists(const std::string& program);

    FileSystem& files_;
};

// The program a command line names: the text up to the closing quote when it
// starts with one, else up to the first blank or tab.
std::string programOfCommandLine(const std::string& commandLine);

}  // namespace scrivlet
