#pragma once
#include <functional>

#include "platform/files.h"
#include "platform/ui/ui_backend.h"
#include "platform/window_system.h"
#include "platform/ui/form.h"
#include "popup/popup_menu.h"
#include "store/snippet_file.h"
#include "tracking/target_tracker.h"

namespace scrivlet {

// What the menu's choices and the other buttons do to the rest of the program.
struct PopupActions {
    std::function<void(EntryNumber)> send;
    // True while an entry is still being sent: the menu must not open over it.
    std::function<bool()> sending;
    std::function<void()> showMainWindow;
    std::function<void()> hideMainWindow;
    std::function<void()> quit;
    // Before the menu reads the names of a changed file (PopupMenus::fileReadable).
    std::function<bool()> fileReadable;
};

// The one entry point of the notification-area icon and the border strip: the
// left button opens the menu of entries in front of the window the user was
// working in, any other button shows or hides the main window.
class PopupActivation {
public:
    // The menu opens owned by the main window, which takes the foreground for it.
    // The menu through ui; the main window to the front through windows; the
    // snippet file's stamp, which tells whether the kept menu is current,
    // through files.
    struct Services {
        ui::UiBackend& ui;
        WindowSystem& windows;
        FileSystem& files;
    };

    PopupActivation(Services services, SnippetFile& file, TargetTracker& tracker, ui::Form& mainWindow,
                    bool ntPlatform, PopupActions actions);

    // Does nothing while an entry is still being sent: a second menu or the
    // main window would take the foreground from the target mid-text.
    void activatePopup(int button);
    void showPopupMenu();
    // Builds the menu the next left press shows, ahead of it.
    void prepareMenu();
    void doFixedCommand(FixedItem item);

    // The shell's message about the icon: the button presses act, releases and
    // double clicks do nothing.
    void iconMessage(unsigned lParam);

    PopupMenus menus;

private:
    ui::UiBackend& ui_;
    WindowSystem& windows_;
    SnippetFile& file_;
    TargetTracker& tracker_;
    ui::Form& mainWindow_;
    bool ntPlatform_;
    PopupActions actions_;
};

}  // namespace scrivlet
