#pragma once
#include <string>

#include "platform/message_boxes.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system_info.h"
#include "platform/ui/simple_controls.h"

namespace scrivlet {

// The start at logon: the value "Scrivlet" in the user's Run key, which the
// options dialog's check box shows and changes at once. Earlier versions
// started through a shortcut in the Startup folder; it is turned into the
// value when the box is first set.
class Autostart {
public:
    static constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
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

    // Sets the box from the Run value, once, when the dialog is made. An old
    // shortcut in the Startup folder is replaced by the value: written first,
    // the shortcut removed only then.
    void init(ui::CheckBox& box);
    // The box changed: the Run value is written or deleted. When that fails
    // the user is told, and the box shows again what the registry holds.
    void apply(ui::CheckBox& box);

    // The Run value's command line: the program's path in quotes, so that a
    // folder with blanks is not read as a shorter path followed by arguments.
    static std::string runCommand(const std::string& executablePath);

private:
    bool valueExists();
    bool writeValue();
    // True also when the value was not there (any more).
    bool deleteValue();
    // The box shows the registry's state; the change writes nothing.
    void showRegistryState(ui::CheckBox& box);
    void removeShortcut(const std::string& shortcut);
    void reportFailure(bool writing);
    std::string startupFolder();

    Services services_;
    const MessageBoxes& messages_;
    // Until set, changes of the box do not touch the registry.
    bool initialised_ = false;
};

}  // namespace scrivlet
