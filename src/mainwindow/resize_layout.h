#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/form.h"

namespace scrivlet {

// The main window's controls follow its size: the editor and the list grow,
// the button column keeps to the right edge, the button panels to the bottom.
// The geometry at load is kept per control and every pass starts from it, so
// resizing never accumulates rounding errors. The client area at load is the
// smallest the window can get.
class ResizeLayout {
public:
    // initial true records the geometry; false lays the controls out.
    void relayout(ui::Form& window, bool initial);

private:
    void record(ui::Control& control);
    // The geometry of the named control at load; all zero when none was recorded.
    ui::Rect atLoad(const std::string& name) const;

    std::vector<std::pair<std::string, ui::Rect>> atLoad_;  // control name, geometry at load
    std::pair<int, int> clientAtLoad_;                       // the client area's width and height at load
};

}  // namespace scrivlet
