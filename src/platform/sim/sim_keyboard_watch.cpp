#include "platform/sim/sim_keyboard_watch.h"

#include "platform/unicode.h"

namespace scrivlet {

namespace {

KeyStep stepOf(const TypedKey& key) {
    switch (key.kind) {
        case TypedKey::Kind::Character: return {KeyStep::Kind::Character, key.character};
        case TypedKey::Kind::Enter: return {KeyStep::Kind::Enter, 0};
        case TypedKey::Kind::Tab: return {KeyStep::Kind::Tab, 0};
        default: return {KeyStep::Kind::Backspace, 0};
    }
}

// Keys that type nothing into the simulated windows.
bool movesOnly(const TypedKey& key) {
    return key.kind == TypedKey::Kind::Movement || key.kind == TypedKey::Kind::Other;
}

}  // namespace

SimKeyboardWatch::SimKeyboardWatch(SimWindowSystem& windows) : windows_(windows) {
    // The program marks what it types; the hook passes it by.
    windows_.programKey = [this](const KeyStep&) {
        if (running_) ++programKeysSkipped;
    };
}

bool SimKeyboardWatch::start(Listener listener) {
    if (refusesHook) return false;
    listener_ = std::move(listener);
    running_ = true;
    return true;
}

void SimKeyboardWatch::stop() {
    running_ = false;
    listener_ = {};
}

void SimKeyboardWatch::release() {
    held_ = false;
    std::vector<TypedKey> keys;
    keys.swap(heldKeys_);
    for (const TypedKey& key : keys) press(key);
}

void SimKeyboardWatch::userTypes(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        const char32_t c = decodeUtf8(text, i, &length);
        i += length;
        if (c == U'\r')
            userPresses({TypedKey::Kind::Enter, 0});
        else if (c == U'\t')
            userPresses({TypedKey::Kind::Tab, 0});
        else if (c == U'\b')
            userPresses({TypedKey::Kind::Backspace, 0});
        else
            userPresses({TypedKey::Kind::Character, c});
    }
}

void SimKeyboardWatch::userPresses(const TypedKey& key) {
    press(key);
    runLater();
}

void SimKeyboardWatch::press(const TypedKey& key) {
    const WindowId window = windows_.foreground();
    const auto* w = windows_.exists(window) ? &windows_.window(window) : nullptr;
    // A message of the program (the typing failed) must take its keys.
    if (held_ && !(w && w->form)) {
        heldKeys_.push_back(key);
        return;
    }
    bool swallowed = false;
    if (running_) {
        if (window != lastWindow_ || focusChanges_ != lastFocus_) {
            lastWindow_ = window;
            lastFocus_ = focusChanges_;
            if (listener_.lost) listener_.lost();
        }
        const bool silent = !w || w->form || w->passwordFocus;
        if (!silent && listener_.key) {
            ++keysTold;
            swallowed = listener_.key(key, window);
        }
    }
    if (!swallowed && !movesOnly(key)) windows_.userKey(stepOf(key));
}

void SimKeyboardWatch::runLater() {
    while (!later_.empty()) {
        auto work = std::move(later_.front());
        later_.pop_front();
        work();
    }
}

void SimKeyboardWatch::userClicks() {
    if (running_ && listener_.lost) listener_.lost();
}

void SimKeyboardWatch::focusMoves(bool toPasswordField) {
    ++focusChanges_;
    if (windows_.exists(windows_.foreground())) windows_.window(windows_.foreground()).passwordFocus = toPasswordField;
}

}  // namespace scrivlet
