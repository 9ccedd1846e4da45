#include "platform/win32/win32_timer_peer.h"

#include "platform/win32/win32_form_peer.h"

namespace scrivlet {

Win32TimerPeer::Win32TimerPeer(Win32FormPeer& form, ui::Timer& timer) : form_(form), timer_(timer) {
    form_.timerCreated(*this);
    apply();
}

Win32TimerPeer::~Win32TimerPeer() {
    if (HWND window = form_.hwnd()) KillTimer(window, id());
    form_.timerDestroyed(*this);
}

void Win32TimerPeer::update(ui::Change) { apply(); }

void Win32TimerPeer::apply() {
    HWND window = form_.hwnd();
    if (!window) return;
    // An interval of 0 stops the timer, as in the form designer's model.
    if (timer_.enabled() && timer_.interval() > 0)
        SetTimer(window, id(), static_cast<UINT>(timer_.interval()), nullptr);
    else
        KillTimer(window, id());
}

}  // namespace scrivlet
