#include "popup/popup_activation.h"

#include "platform/notification_area.h"

namespace scrivlet {

PopupActivation::PopupActivation(Services services, SnippetFile& file, TargetTracker& tracker,
                                 ui::Form& mainWindow, bool ntPlatform, PopupActions actions)
    : menus(services.files),
      ui_(services.ui),
      windows_(services.windows),
      file_(file),
      tracker_(tracker),
      mainWindow_(mainWindow),
      ntPlatform_(ntPlatform),
      actions_(std::move(actions)) {
    menus.onEntry = [this](EntryNumber n) { actions_.send(n); };
    menus.onFixed = [this](FixedItem item) { doFixedCommand(item); };
    menus.fileReadable = actions_.fileReadable;
}

void PopupActivation::activatePopup(int button) {
    if (actions_.sending && actions_.sending()) return;
    if (button == 1) {
        // The window in front is captured before the program's own window takes
        // the foreground for the menu.
        if (ntPlatform_) tracker_.captureForMenu();
        windows_.bringToForeground(ui_.windowOf(mainWindow_));
        showPopupMenu();
        return;
    }
    if (mainWindow_.visible()) {
        actions_.hideMainWindow();
    } else {
        actions_.showMainWindow();
        mainWindow_.setWindowState(ui::WindowState::Normal);
    }
}

void PopupActivation::showPopupMenu() {
    const bool cascade = file_.options().cascade != 0;
    ui::Menu& menu = menus.build(file_, cascade);
    ui_.popupMenu(mainWindow_, menu);
}

void PopupActivation::prepareMenu() {
    const bool cascade = file_.options().cascade != 0;
    ui_.prepareMenu(menus.build(file_, cascade));
}

void PopupActivation::doFixedCommand(FixedItem item) {
    switch (item) {
        case FixedItem::Open: actions_.showMainWindow(); break;
        case FixedItem::Quit: actions_.quit(); break;
        default: break;
    }
}

void PopupActivation::iconMessage(unsigned lParam) {
    if (lParam == NotificationArea::LeftButtonDown) activatePopup(1);
    if (lParam == NotificationArea::RightButtonDown) activatePopup(2);
}

}  // namespace scrivlet
