#pragma once
#include <string>

#include "store/message_boxes.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system_info.h"
#include "platform/ui/simple_controls.h"

namespace scrivlet {

// The start at logon: the value "Scrivlet" in the user's Run key, which the
// options dialog's check box shows and changes at once. The box is ticked
// exactly when the program will start at the next logon: the value is there
// and not switched off in the task manager's list of start-up programs, or an
// old shortcut in the Startup folder (which earlier versions used, and which
// is turned into the value when the dialog is made) is still there.
class Autostart {
public:
    static constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    // The task manager's switch for each Run value: a binary value of the same
    // name whose first byte is even while the value is enabled (2) and odd
    // once the user switched it off (3).
    static constexpr const char* ApprovedKey =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
    static constexpr const char* ShellFoldersKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    static constexpr const char* ValueName = "Scrivlet";
    static constexpr const char* ShortcutName = "Scrivlet.lnk";

    // The Run value in the registry; the old shortcut among the files; the
    // program's own path from the system.
    struct Services {
        Registry& registry;
        FileSystem& files;
        SystemInfo& system;
    };

    Autostart(Services services, const MessageBoxes& messages) : services_(services), messages_(messages) {}

    // Sets the box, once, when the dialog is made. An old shortcut in the
    // Startup folder is replaced by the value: written (and switched on)
    // first, the shortcut removed only then.
    void init(ui::CheckBox& box);
    // The box changed. Ticked: the Run value is written and a switch-off in
    // the task manager cleared. Cleared: the value and an old shortcut are
    // removed. When that fails the user is told, and the box shows again
    // whether the program will start at logon.
    void apply(ui::CheckBox& box);
    // Whether the program will start at the next logon.
    bool startsAtLogon();
    // Sets the box anew, as the dialog is opened: the user may have switched
    // the start off in the task manager meanwhile.
    void refresh(ui::CheckBox& box) { showState(box); }

    // The Run value's command line: the program's path in quotes, so that a
    // folder with blanks is not read as a shorter path followed by arguments.
    static std::string runCommand(const std::string& executablePath);

private:
    bool valueExists();
    bool writeValue();
    // True also when the value was not there (any more).
    bool deleteValue();
    // The value is switched off in the task manager.
    bool switchedOff();
    // Switches it on again as the task manager does; true also when it was
    // not switched off.
    bool switchOn();
    // The box shows whether the program starts at logon; the change writes
    // nothing.
    void showState(ui::CheckBox& box);
    // The old shortcut's path; "" without a Startup folder.
    std::string shortcutPath();
    bool shortcutThere();
    // True when it is gone.
    bool removeShortcut(const std::string& shortcut);
    void reportFailure(bool writing, const char* key);
    std::string startupFolder();

    Services services_;
    const MessageBoxes& messages_;
    // Until set, changes of the box do not touch the registry.
    bool initialised_ = false;
};

}  // namespace scrivlet
