#pragma once
#include <set>

#include "platform/hotkey.h"

namespace scrivlet {

// The simulated desktop's global hotkeys: other programs may hold some, and
// a press reaches the program when it holds that combination.
class SimHotkeys : public HotkeyService {
public:
    bool hold(Hotkey hotkey) override {
        held = {};
        if (hotkey.none()) return true;
        if (takenByOthers.count(hotkey.word())) return false;
        held = hotkey;
        return true;
    }
    // The user presses the combination, wherever the focus is.
    void press(Hotkey hotkey) {
        if (!held.none() && hotkey == held && onPressed) onPressed();
    }

    // The words (Hotkey::word) other programs hold.
    std::set<unsigned> takenByOthers;
    Hotkey held;
};

}  // namespace scrivlet
