#include "platform/ui/simple_controls.h"

namespace scrivlet::ui {

void OptionButton::setValue(bool on) {
    if (!on) {
        if (value_) {
            value_ = false;
            changed(Change::Value);
        }
        return;
    }
    if (value_) return;
    if (Container* group = parent())
        for (Control* sibling : group->children())
            if (auto* other = dynamic_cast<OptionButton*>(sibling); other && other != this)
                other->setValue(false);
    value_ = true;
    changed(Change::Value);
    if (onClick) onClick();
}

}  // namespace scrivlet::ui
