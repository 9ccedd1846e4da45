#include "popup/border_strip.h"

namespace scrivlet {

BorderStrip::BorderStrip(ui::UiBackend& ui, WindowSystem& windows, const PopupOptions& options,
                         const std::string& caption)
    : ui::Form(ui, "MoveOverFrm", 15, 15, {ui::BorderStyle::None, false, false, false, true}),
      windows_(windows),
      options_(options) {
    setCaption(caption);
    // The click mode is read at each event, so a change takes effect at once.
    onMouseMove = [this](const ui::MouseEvent&) {
        if (options_.borderByClick == 0 && activate) activate(1);
    };
    onMouseDown = [this](const ui::MouseEvent& e) {
        if (options_.borderByClick == 1 && activate) activate(static_cast<int>(e.button));
    };
    // The system scales a window with its monitor's scale, which would make
    // the strip thicker and longer than the edge.
    onDpiChange = [this] {
        if (visible()) place();
    };
}

void BorderStrip::apply() {
    realize();
    if (options_.viaBorder == 0) {
        windows_.setTopmost(ui().windowOf(*this), false);
        hide();
        return;
    }
    hide();
    place();
    windows_.setTopmost(ui().windowOf(*this), true);
    show();
}

void BorderStrip::place() {
    // The whole edge of the primary screen, the taskbar's included. The
    // position counts in the screen's twips, the size in those of the strip's
    // own monitor, which need not be the resolution the program started with.
    const ui::ScreenInfo s = ui().screen();
    const int w = s.widthPixels, h = s.heightPixels;
    int left = 0, top = 0, width = w, height = 1;
    switch (options_.position) {
        case 1: top = h - 1; break;
        case 2: width = 1, height = h; break;
        case 3: left = w - 1, width = 1, height = h; break;
        default: break;
    }
    setGeometry({s.twipsX(left), s.twipsY(top), ui::pixelsToTwips(width, dpi()),
                 ui::pixelsToTwips(height, dpi())});
}

}  // namespace scrivlet
