#include "app/only_copy.h"

#include <algorithm>

#include "store/message_boxes.h"
#include "platform/text.h"
#include "tracking/own_caption.h"

namespace scrivlet {

bool isAutostartCommandLine(const std::string& commandLine) {
    const std::string line = toLower(commandLine);
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        if (line.compare(start, end - start, "/autostart") == 0) return true;
        start = end + 1;
    }
    return false;
}

bool startsAsOnlyCopy(SingleInstance& session, SystemInfo& system, Dialogs& dialogs) {
    if (session.first()) return true;
    // At logon the user asked for nothing: the copy started by hand runs.
    if (isAutostartCommandLine(system.commandLine())) return false;
    const MessageBoxes messages(dialogs, ownCaption("", isNtPlatform(system)));
    switch (session.showRunningCopy()) {
        case SingleInstance::Reach::Shown: return false;
        case SingleInstance::Reach::NowFirst: return true;
        case SingleInstance::Reach::Blocked:
            messages.show(messages::RunningElevated);
            return false;
        case SingleInstance::Reach::NoAnswer: break;
    }
    messages.show(messages::RunningNoAnswer);
    return false;
}

}  // namespace scrivlet
