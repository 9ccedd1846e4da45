#pragma once
#include <functional>

#include "platform/ui/control.h"

namespace scrivlet::ui {

class Form;

// A timer of a form: ticks every interval milliseconds while enabled.
class Timer {
public:
    Timer(Form& owner, int intervalMs, bool enabled);
    int interval() const { return interval_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    std::function<void()> onTick;
    void tick() {
        if (enabled_ && onTick) onTick();
    }

    ControlPeer* peer() const { return peer_.get(); }
    void setPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }

private:
    int interval_;
    bool enabled_;
    std::unique_ptr<ControlPeer> peer_;
};

}  // namespace scrivlet::ui
