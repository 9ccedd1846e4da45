#include "popup/popup_activation.h"

#include "mainwindow/main_window.h"
#include "mainwindow/program.h"
#include "platform/notification_area.h"
#include "tracking/target_tracker.h"
#include "transmit/sender.h"

namespace scrivlet {

PopupActivation::PopupActivation(Program& program) : program_(program) {
    menus.onEntry = [this](EntryNumber n) { program_.sender->sendEntry(n); };
    menus.onFixed = [this](FixedItem item) { doFixedCommand(item); };
}

void PopupActivation::activatePopup(int button) {
    MainWindow& main = *program_.mainWindow;
    if (button == 1) {
        // The window in front is captured before the program's own window takes
        // the foreground for the menu.
        if (program_.ntPlatform()) program_.tracker->captureForMenu();
        program_.platform.windows.bringToForeground(program_.platform.ui.windowOf(main.form));
        showPopupMenu();
        return;
    }
    if (main.form.visible()) {
        main.hideWindow();
    } else {
        main.showWindow();
        main.form.setWindowState(ui::WindowState::Normal);
    }
}

void PopupActivation::showPopupMenu() {
    const bool cascade = program_.snippetFile.options().cascade != 0;
    ui::Menu& menu = menus.build(program_.snippetFile, cascade);
    program_.platform.ui.popupMenu(program_.mainWindow->form, menu);
}

void PopupActivation::doFixedCommand(FixedItem item) {
    switch (item) {
        case FixedItem::Open: program_.mainWindow->showWindow(); break;
        case FixedItem::Quit: program_.mainWindow->quit(); break;
        default: break;
    }
}

void PopupActivation::iconMessage(unsigned lParam) {
    if (lParam == NotificationArea::LeftButtonDown) activatePopup(1);
    if (lParam == NotificationArea::RightButtonDown) activatePopup(2);
}

}  // namespace scrivlet
