#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "platform/programs.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_message_window.h"

namespace scrivlet {

// Starts programs with CreateProcessW and opens documents with ShellExecuteW.
// The end of a started process is waited for by the system's thread pool,
// which posts it to a message-only window of this thread, so the callback runs
// between the other messages of the user-interface thread.
class Win32Programs : public Programs {
public:
    Win32Programs() = default;
    ~Win32Programs() override = default;
    Win32Programs(const Win32Programs&) = delete;
    Win32Programs& operator=(const Win32Programs&) = delete;

    bool start(const std::string& commandLine, std::function<void()> onEnd) override;
    bool open(const std::string& path) override;

private:
    // Held on the heap, so the thread pool's pointer to the context stays
    // valid while the wait lasts.
    struct Watch {
        UniqueHandle process;
        std::function<void()> onEnd;
        // What the thread pool hands back: the window to post to, the number.
        HWND window = nullptr;
        UINT_PTR id = 0;
        // Last, so that it ends first: no callback runs once the rest goes.
        UniqueWait wait;
    };
    static void CALLBACK processEnded(void* context, BOOLEAN timedOut);
    void ended(UINT_PTR id);

    std::unique_ptr<MessageWindow> window_;
    std::map<UINT_PTR, std::unique_ptr<Watch>> watches_;
    UINT_PTR nextId_ = 1;
};

}  // namespace scrivlet
