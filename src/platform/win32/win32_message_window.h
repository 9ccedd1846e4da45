#pragma once
#include <windows.h>

#include <functional>
#include <utility>

#include "platform/win32/win32_window.h"

namespace scrivlet {

// A message-only window whose one message runs a callback on the thread that
// made it: how a hook, a WinEvent or a thread-pool wait hands work to that
// thread without doing it where it was told.
class MessageWindow : public Window {
public:
    MessageWindow(UINT message, std::function<void(WPARAM)> onMessage)
        : message_(message), onMessage_(std::move(onMessage)) {}
    // A class of its own per use, so that each shows by name in a window list.
    bool create(const wchar_t* className) {
        return registerClass(className, nullptr) && Window::create(className, 0, 0, "", RECT{}, HWND_MESSAGE);
    }
    void post(WPARAM wParam = 0) const { PostMessageW(hwnd(), message_, wParam, 0); }

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != message_) return Window::handle(message, wParam, lParam);
        onMessage_(wParam);
        return 0;
    }

private:
    UINT message_;
    std::function<void(WPARAM)> onMessage_;
};

}  // namespace scrivlet
