#pragma once
#include <string>

#include "store/message_boxes.h"
#include "platform/files.h"
#include "platform/programs.h"
#include "platform/system_info.h"

namespace scrivlet {

// The help pages lie beside the program: a start page named index or hilfe,
// .htm or .html, in the program's folder or in its subfolder hilfe.
// The first start page that exists as a normal file (a folder, a hidden or a
// system file does not count); "" when there is none.
std::string findHelpFile(FileSystem& files, SystemInfo& system);

// The help command: hands the start page to the shell, which opens it in the
// user's browser, or tells the user that there is no help.
void showHelp(FileSystem& files, SystemInfo& system, Programs& programs, const MessageBoxes& messages);

}  // namespace scrivlet
