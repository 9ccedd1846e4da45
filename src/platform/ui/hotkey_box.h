#pragma once
#include <functional>

#include "platform/hotkey.h"
#include "platform/ui/control.h"

namespace scrivlet::ui {

// A field that records a key combination: the user presses it there, and
// the field shows its name ("Win+Umschalt+Eingabe", "Keine" for none).
// Backspace or Entf alone clears it; a combination that cannot be a hotkey
// (usableAsHotkey) changes nothing.
class HotkeyBox : public Control {
public:
    using Control::Control;
    bool focusable() const override { return true; }

    Hotkey value() const { return value_; }
    // From code: the field shows the value, and no event is raised.
    void setValue(Hotkey value) {
        value_ = value;
        changed(Change::Value);
    }
    // The user pressed a combination in the field; true when it changed the
    // value (onChange has run then).
    bool press(Hotkey pressed);
    std::function<void()> onChange;

private:
    Hotkey value_;
};

}  // namespace scrivlet::ui
