#pragma once
#include "platform/ui/form.h"
#include "platform/ui/ui_backend.h"
#include "store/user_settings.h"
#include "store/write_result.h"

namespace scrivlet {

// The main window reopens where the user left it, as long as that fits the
// primary screen; otherwise it is centred. Its dialogs open beside it.
WriteResult savePlacement(ui::Form& window, UserSettings& settings);
void restorePlacement(ui::Form& window, UserSettings& settings, const ui::ScreenInfo& screen);
void centreOnScreen(ui::Form& window, const ui::ScreenInfo& screen);
// 50 pixels right of and below the main window's top-left corner.
void placeBesideMainWindow(ui::Form& dialog, ui::Form& mainWindow, const ui::ScreenInfo& screen);

}  // namespace scrivlet
