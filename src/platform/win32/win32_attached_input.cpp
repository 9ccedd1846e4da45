#include "platform/win32/win32_attached_input.h"

namespace scrivlet {

AttachedInput::AttachedInput(DWORD thread, DWORD otherThread) : thread_(thread), otherThread_(otherThread) {
    if (thread == 0 || otherThread == 0) return;
    if (thread == otherThread) {
        shared_ = true;
        return;
    }
    attached_ = AttachThreadInput(thread, otherThread, TRUE) != FALSE;
    shared_ = attached_;
}

AttachedInput::~AttachedInput() {
    if (attached_) AttachThreadInput(thread_, otherThread_, FALSE);
}

}  // namespace scrivlet
