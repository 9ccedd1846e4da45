#pragma once
#include <string>
#include <vector>

#include "platform/key_string.h"
#include "platform/window_id.h"

namespace scrivlet {

enum class TypingResult {
    Typed,         // every key has been taken by the target
    NotProcessed,  // the target stopped taking keys before the end
};

// Types into the foreground window and returns only when the target has taken
// every key from its input queue. Modifier keys the user still holds are
// released first; nothing is left pressed.
class KeyInjector {
public:
    virtual ~KeyInjector() = default;
    virtual TypingResult type(WindowId target, const std::vector<KeyStep>& steps) = 0;
};

}  // namespace scrivlet
