#include "platform/ui/timer.h"

#include "platform/ui/form.h"

namespace scrivlet::ui {

Timer::Timer(Form& owner, int intervalMs, bool enabled) : interval_(intervalMs), enabled_(enabled) {
    owner.timers_.push_back(this);
}

void Timer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (peer_) peer_->update(Change::Enabled);
}

}  // namespace scrivlet::ui
