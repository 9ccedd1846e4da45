#pragma once
#include <functional>
#include <string>

namespace scrivlet {

// Other programs: starting one from a command line, and handing a document to
// the program the shell associates with it.
class Programs {
public:
    virtual ~Programs() = default;
    // Starts the command line in a normal window with the focus and returns at
    // once; onEnd, when given, runs on the user-interface thread after the
    // started process has ended. False when the system could not start it;
    // onEnd then never runs.
    virtual bool start(const std::string& commandLine, std::function<void()> onEnd = {}) = 0;
    // Asks the shell to open the document with the verb "Open" in a normal
    // window, the desktop as the owner. False when the shell reports that it
    // could not (no such file, no program associated with its type).
    virtual bool open(const std::string& path) = 0;
};

}  // namespace scrivlet
