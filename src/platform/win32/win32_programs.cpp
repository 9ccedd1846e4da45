#include "platform/win32/win32_programs.h"

#include <shellapi.h>

#include "platform/win32/win32_text.h"

namespace scrivlet {

namespace {

constexpr UINT ProcessEndedMessage = WM_APP + 17;
constexpr const wchar_t* EndWindowClass = L"ScrivletProgramEnds";

}  // namespace

void CALLBACK Win32Programs::processEnded(void* context, BOOLEAN) {
    const auto* watch = static_cast<const Watch*>(context);
    PostMessageW(watch->window, ProcessEndedMessage, watch->id, 0);
}

bool Win32Programs::start(const std::string& commandLine, std::function<void()> onEnd) {
    // CreateProcessW may write into the command line.
    std::wstring line = wide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        return false;
    const UniqueHandle thread(started.hThread);  // of no use here
    auto watch = std::make_unique<Watch>();
    watch->process = UniqueHandle(started.hProcess);
    if (!onEnd) return true;
    if (!window_) {
        auto window = std::make_unique<MessageWindow>(
            ProcessEndedMessage, [this](WPARAM id) { ended(static_cast<UINT_PTR>(id)); });
        if (window->create(EndWindowClass)) window_ = std::move(window);
    }
    // Without the window the end cannot be told; the program still runs.
    if (!window_) return true;
    watch->onEnd = std::move(onEnd);
    watch->window = window_->hwnd();
    watch->id = nextId_++;
    HANDLE wait = nullptr;
    if (!RegisterWaitForSingleObject(&wait, watch->process.get(), processEnded, watch.get(), INFINITE,
                                     WT_EXECUTEONLYONCE))
        return true;
    watch->wait.reset(wait);
    const UINT_PTR id = watch->id;
    watches_[id] = std::move(watch);
    return true;
}

void Win32Programs::ended(UINT_PTR id) {
    const auto found = watches_.find(id);
    if (found == watches_.end()) return;
    std::unique_ptr<Watch> watch = std::move(found->second);
    watches_.erase(found);
    watch->wait.reset();
    if (watch->onEnd) watch->onEnd();
}

bool Win32Programs::open(const std::string& path) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(GetDesktopWindow(), L"Open", wide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // Values above 32 mean success.
    return result > 32;
}

}  // namespace scrivlet
