#pragma once
#include <windows.h>

#include "platform/ui/timer.h"

namespace scrivlet {

class Win32FormPeer;

// A timer of a form as a SetTimer timer of the form's window. Its id is the
// peer's address, which the form checks against its live timers before it
// lets one tick.
class Win32TimerPeer : public ui::ControlPeer {
public:
    Win32TimerPeer(Win32FormPeer& form, ui::Timer& timer);
    ~Win32TimerPeer() override;
    void update(ui::Change change) override;
    ui::Timer& timer() { return timer_; }
    UINT_PTR id() const { return reinterpret_cast<UINT_PTR>(this); }

private:
    void apply();
    Win32FormPeer& form_;
    ui::Timer& timer_;
};

}  // namespace scrivlet
