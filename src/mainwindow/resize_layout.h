#pragma once
#include <string>
#include <vector>

#include "platform/ui/form.h"

namespace scrivlet {

// The main window's controls follow its size: the editor and the list grow,
// the button column keeps to the right edge, the button panels to the bottom.
// The geometry at load is kept as "left:top:width:height" text per control and
// every pass starts from it, so resizing never accumulates rounding errors. The
// size at load is the smallest the window can get.
class ResizeLayout {
public:
    // initial true records the geometry; false lays the controls out.
    void relayout(ui::Form& window, bool initial);

    // Field n (from 1) of a text split at the separator (a blank when empty)
    // into at most n + 1 pieces; "" when there are fewer than n pieces.
    static std::string tagField(const std::string& text, int n, std::string separator);

private:
    ui::Control* find(ui::Form& window, const std::string& name);
    void record(ui::Control& control);
    int stored(const std::string& name, int field) const;

    std::vector<std::pair<std::string, std::string>> tags_;  // name, geometry text
};

}  // namespace scrivlet
