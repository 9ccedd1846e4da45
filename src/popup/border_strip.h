#pragma once
#include <functional>

#include "platform/ui/form.h"
#include "platform/ui/ui_backend.h"
#include "platform/window_system.h"
#include "store/popup_options.h"

namespace scrivlet {

// A window one pixel thick along an edge of the screen, always on top, from
// which the pop-up menu opens: when the mouse moves over it, or when it is
// clicked, as the options say.
class BorderStrip : public ui::Form {
public:
    BorderStrip(ui::UiBackend& ui, WindowSystem& windows, const PopupOptions& options,
                const std::string& caption);

    // Shows, places and raises the strip, or hides it, as the options say.
    void apply();
    void applyColour(Colour colour) { setBackColour(colour); }

    // Called with the mouse button code: 1 left, 2 right, 4 middle.
    std::function<void(int)> activate;

private:
    // Along the edge the options name, one pixel of the strip's own monitor
    // thick.
    void place();

    WindowSystem& windows_;
    const PopupOptions& options_;
};

}  // namespace scrivlet
