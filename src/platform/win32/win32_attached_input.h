#pragma once
#include <windows.h>

namespace scrivlet {

// Shares the input state of one thread with another's for as long as the
// object lives (AttachThreadInput): while attached, GetKeyState in this thread
// reads the key state the other thread's message retrieval keeps, and
// SetForegroundWindow is treated as coming from the foreground thread.
// A thread needs no attaching to itself; that counts as sharing.
class AttachedInput {
public:
    AttachedInput(DWORD thread, DWORD otherThread);
    ~AttachedInput();
    AttachedInput(const AttachedInput&) = delete;
    AttachedInput& operator=(const AttachedInput&) = delete;

    // True when the two threads share their input state now.
    bool shared() const { return shared_; }

private:
    DWORD thread_;
    DWORD otherThread_;
    bool attached_ = false;
    bool shared_ = false;
};

}  // namespace scrivlet
