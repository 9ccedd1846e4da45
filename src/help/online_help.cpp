#include "help/online_help.h"

#include "store/file_helpers.h"

namespace scrivlet {

namespace {
// The places below the program's folder in the order they are tried: the
// subfolder varies slowest, the name next and the extension fastest.
const char* const HelpPageCandidates[] = {
    "index.htm",       "index.html",       "hilfe.htm",       "hilfe.html",
    "hilfe\\index.htm", "hilfe\\index.html", "hilfe\\hilfe.htm", "hilfe\\hilfe.html",
};
}  // namespace

std::string findHelpFile(FileSystem& files, SystemInfo& system) {
    const std::string folder = appFolder(system);
    for (const char* candidate : HelpPageCandidates) {
        const std::string path = folder + candidate;
        if (fileExists(files, path)) return path;
    }
    return "";
}

void showHelp(FileSystem& files, SystemInfo& system, Programs& programs, const MessageBoxes& messages) {
    const std::string page = findHelpFile(files, system);
    if (page.empty()) {
        messages.show(messages::HelpMissing);
        return;
    }
    // Without a program for the page's type the shell opens nothing; the
    // command then has no visible effect.
    programs.open(page);
}

}  // namespace scrivlet
