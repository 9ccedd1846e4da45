#pragma once
#include <string>

#include "platform/dialogs.h"
#include "platform/single_instance.h"
#include "platform/system_info.h"

namespace scrivlet {

// Whether this start runs the program. The first copy in the user's session
// does. A later one (a double click on the exe or the start-menu entry, the
// logon start beside a manual one, a second portable copy) shows the running
// copy's main window and ends; started at logon it ends without a word. A
// running copy that cannot be reached is named to the user.
bool startsAsOnlyCopy(SingleInstance& session, SystemInfo& system, Dialogs& dialogs);

// "/AUTOSTART" in any letter case among the arguments: the start at logon.
bool isAutostartCommandLine(const std::string& commandLine);

}  // namespace scrivlet
