#include "mainwindow/window_placement.h"

#include <cmath>

#include "store/number_text.h"

namespace scrivlet {

namespace {
const char* const Keys[] = {"_Top", "_Left", "_Width", "_Height"};

float setting(UserSettings& settings, const char* key) {
    const std::string text = settings.get(key, "");
    return text.empty() ? -1.0f : static_cast<float>(leadingNumber(text));
}
}  // namespace

WriteResult savePlacement(ui::Form& window, UserSettings& settings) {
    const ui::Rect r = window.geometry();
    const int values[] = {r.top, r.left, r.width, r.height};
    WriteResult result = WriteResult::Ok;
    for (int i = 0; i < 4; ++i) result = firstFailure(result, settings.save(Keys[i], std::to_string(values[i])));
    return result;
}

void restorePlacement(ui::Form& window, UserSettings& settings, const ui::ScreenInfo& screen) {
    const float top = setting(settings, "_Top"), left = setting(settings, "_Left");
    const float width = setting(settings, "_Width"), height = setting(settings, "_Height");
    const float screenW = static_cast<float>(screen.widthTwips());
    const float screenH = static_cast<float>(screen.heightTwips());
    if (!(top >= 0 && top < screenH && left >= 0 && left < screenW)) {
        centreOnScreen(window, screen);
        return;
    }
    ui::Rect r = window.geometry();
    r.top = static_cast<int>(top);
    r.left = static_cast<int>(left);
    window.setGeometry(r);
    // Height and width are decided independently; one that does not fit stays.
    if (height > 0 && height + top <= screenH) r.height = static_cast<int>(height);
    if (width > 0 && width + left <= screenW) r.width = static_cast<int>(width);
    window.setGeometry(r);
}

void centreOnScreen(ui::Form& window, const ui::ScreenInfo& screen) {
    ui::Rect r = window.geometry();
    r.left = static_cast<int>(std::nearbyint(static_cast<double>(screen.widthTwips() - r.width))) / 2;
    r.top = static_cast<int>(std::nearbyint(static_cast<double>(screen.heightTwips() - r.height))) / 2;
    window.setGeometry(r);
}

void placeBesideMainWindow(ui::Form& dialog, ui::Form& mainWindow, const ui::ScreenInfo& screen) {
    ui::Rect r = dialog.geometry();
    r.left = mainWindow.geometry().left + screen.twipsX(50);
    r.top = mainWindow.geometry().top + screen.twipsY(50);
    dialog.setGeometry(r);
}

}  // namespace scrivlet
