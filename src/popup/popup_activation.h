#pragma once
#include "popup/popup_menu.h"

namespace scrivlet {

class Program;

// The one entry point of the notification-area icon and the border strip: the
// left button opens the menu of entries in front of the window the user was
// working in, any other button shows or hides the main window.
class PopupActivation {
public:
    explicit PopupActivation(Program& program);

    void activatePopup(int button);
    void showPopupMenu();
    void doFixedCommand(FixedItem item);

    // The shell's message about the icon: the button presses act, releases and
    // double clicks do nothing.
    void iconMessage(unsigned lParam);

    PopupMenus menus;

private:
    Program& program_;
};

}  // namespace scrivlet
