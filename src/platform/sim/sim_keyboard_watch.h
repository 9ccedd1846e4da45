#pragma once
#include <cstddef>
#include <deque>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/keyboard_watch.h"
#include "platform/sim/sim_windows.h"

namespace scrivlet {

// The keyboard watch of the simulated desktop: the test is the user at the
// keyboard and the mouse. Each key goes through the watch as through the
// system's hook, then, unless swallowed, to the foreground window; what the
// listener handed to later() runs after each key, as the message loop would
// run it. Like the real hook it tells nothing of a password field or of the
// program's own windows, and skips the keys the program types itself.
class SimKeyboardWatch : public KeyboardWatch {
public:
    explicit SimKeyboardWatch(SimWindowSystem& windows);

    bool start(Listener listener) override;
    void stop() override;
    bool running() const override { return running_; }
    void later(std::function<void()> work) override { later_.push_back(std::move(work)); }
    void hold() override { held_ = true; }
    void release() override;

    // The user types text: "\r" is Enter, "\t" Tab, "\b" Backspace.
    void userTypes(std::string_view text);
    void userPresses(const TypedKey& key);
    // A click of the mouse, or the focus moving to another control of the
    // foreground window (a password field or not).
    void userClicks();
    void focusMoves(bool toPasswordField = false);

    // The system refuses the hook.
    bool refusesHook = false;
    // How many of the program's own keys the watch passed by.
    std::size_t programKeysSkipped = 0;
    // How many keys the listener was told.
    std::size_t keysTold = 0;

private:
    void press(const TypedKey& key);
    void runLater();

    SimWindowSystem& windows_;
    Listener listener_;
    bool running_ = false;
    bool held_ = false;
    std::vector<TypedKey> heldKeys_;
    std::deque<std::function<void()>> later_;
    // What the last key went to: a change there drops what was typed.
    WindowId lastWindow_ = 0;
    std::size_t focusChanges_ = 0, lastFocus_ = 0;
};

}  // namespace scrivlet
