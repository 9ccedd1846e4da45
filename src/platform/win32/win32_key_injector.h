#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

#include "platform/key_injector.h"

namespace scrivlet {

// The keyboard events of the steps, one chunk at a time: each chunk holds at
// most maxEvents events (or one step's, if a step has more) and never splits
// a step; together they are every step's events in order.
class KeyChunks {
public:
    KeyChunks(const std::vector<KeyStep>& steps, std::size_t maxEvents);
    // False when a step holds no character (beyond U+10FFFF) and cannot be typed.
    bool typeable() const;
    // The next chunk into chunk (replacing what it held); false at the end.
    bool next(std::vector<INPUT>& chunk);

private:
    const std::vector<KeyStep>& steps_;
    std::size_t max_;
    std::size_t next_ = 0;
};

// Types with SendInput into the foreground window, in chunks, and after each
// chunk waits until the target has taken every key of it from its input queue.
//
// The proof is a sentinel: an unassigned virtual key pressed after the chunk
// and released once seen. A thread attached to the target's input
// (AttachThreadInput) shares its key state, which GetKeyState reads; the
// sentinel reads down there only once the target has taken its down event from
// the queue. A thread takes its posted messages (the WM_CHARs made from the
// keys before) ahead of further input, so by then every earlier key has reached
// the target's window. Then the sentinel is released, and its up awaited the
// same way, so that the next chunk starts from a sentinel that reads up.
//
// The down bit, not the toggle bit, is watched because of Wine: its server
// resets the shared key state on attaching (as Windows does), and while the
// target has no key messages queued it copies the desktop's key state, in
// which a key toggles when it is sent, not when it is taken, into the thread's
// (server/queue.c, sync_input_keystate). The toggle bit can then end where it
// started. The down bit cannot be copied early: the desktop's reads down from
// the moment the sentinel is sent, but the copy is held off (keystate_lock)
// as long as key messages wait in the target's queue, and once they are all
// taken both agree.
class Win32KeyInjector : public KeyInjector {
public:
    // Unassigned, so no program acts on it; targets do see it after every chunk.
    static constexpr WORD SentinelKey = 0xE8;

    struct Timing {
        // How long modifier keys the user holds are waited for before typing
        // releases them.
        DWORD heldModifierWaitMs = 1000;
        // How long one chunk may take to be taken; a target needing longer is
        // taken to have stopped. Wine's notepad needs about 0.3 s for a chunk.
        DWORD chunkTimeoutMs = 5000;
    };

    Win32KeyInjector() = default;
    explicit Win32KeyInjector(Timing timing) : timing_(timing) {}

    // Types only while the target's thread owns the foreground: should another
    // window come to the front meanwhile, the rest is not typed, as it would
    // go to that window.
    TypingResult type(WindowId target, const std::vector<KeyStep>& steps) override;

private:
    Timing timing_;
};

}  // namespace scrivlet
