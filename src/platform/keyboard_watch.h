#pragma once
#include <functional>

#include "platform/window_id.h"

namespace scrivlet {

// A key the user pressed, as the keyboard watch tells it: the character it
// types, or what else it does.
struct TypedKey {
    enum class Kind : unsigned char {
        Character,  // character holds what the key types
        Enter,
        Tab,
        Backspace,
        Movement,   // moves the cursor or drops what was typed: arrows, Home, End, Delete, Esc, ...
        Other,      // a shortcut, a function key, a dead key: what precedes the cursor is unknown now
    };
    Kind kind = Kind::Other;
    char32_t character = 0;
    bool operator==(const TypedKey&) const = default;
};

// Follows what the user types in other programs' windows (a low-level
// keyboard hook on Windows), so that an abbreviation can be recognised where
// it is typed.
//
// Its calls come inside the system's hook, which must answer at once (a slow
// hook is dropped by the system): the listener only looks at memory and hands
// everything else to later(). The watch tells no key
// - of a password field: a standard edit control with the password style, or
//   any control that tells accessibility tools it is protected (a browser's
//   password field, a toolkit's own);
// - while one of the program's own windows is active;
// - that the program typed itself (its input carries a marker);
// and keeps none: what it tells is gone when the call returns.
class KeyboardWatch {
public:
    struct Listener {
        // A key pressed in the foreground window; true swallows it: the
        // window never gets it.
        std::function<bool(const TypedKey& key, WindowId window)> key;
        // What was typed before no longer precedes the cursor, or may not: the
        // foreground window or its focused control changed, the mouse was
        // clicked, or keys go where the watch tells nothing.
        std::function<void()> lost;
    };

    virtual ~KeyboardWatch() = default;
    // False when the system refused the hook.
    virtual bool start(Listener listener) = 0;
    virtual void stop() = 0;
    virtual bool running() const = 0;
    // Runs work on the program's thread once the hook has returned.
    virtual void later(std::function<void()> work) = 0;
    // While held, the user's keys are kept back and reach their windows, in
    // order, at release: keys typed while the program erases an abbreviation
    // and types its entry come after the entry, not in the middle of it.
    virtual void hold() = 0;
    virtual void release() = 0;
};

}  // namespace scrivlet
