#include "app/only_copy.h"

#include <algorithm>

#include "platform/message_boxes.h"
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
            messages.show(MessageIcon::Information,
                          "Scrivlet läuft bereits, aber mit Administratorrechten. Dieses ohne "
                          "Administratorrechte gestartete Scrivlet kann dessen Fenster nicht öffnen.\n\n"
                          "Öffnen Sie das laufende Scrivlet über sein Symbol im Infobereich der Taskleiste. "
                          "Soll es ohne Administratorrechte laufen, beenden Sie es dort mit „Beenden“ und "
                          "starten Sie Scrivlet dann erneut.");
            return false;
        case SingleInstance::Reach::NoAnswer: break;
    }
    messages.show(MessageIcon::Warning,
                  "Scrivlet läuft bereits, antwortet aber nicht.\n\n"
                  "Warten Sie einen Moment und starten Sie Scrivlet dann erneut. Hilft das nicht, beenden "
                  "Sie Scrivlet im Task-Manager und starten Sie es neu.");
    return false;
}

}  // namespace scrivlet
