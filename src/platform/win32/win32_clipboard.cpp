#include "platform/win32/win32_clipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace scrivlet {

namespace {

// Holds the clipboard open for one operation, for the program's window: what
// EmptyClipboard leaves to no window, SetClipboardData refuses. Another program
// that holds it makes the open fail rather than wait.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(WindowId owner)
        : open_(OpenClipboard(reinterpret_cast<HWND>(owner)) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

// Unlocks a global memory block on every path out.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
    ~GlobalLockScope() {
        if (data_) GlobalUnlock(memory_);
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    void* data() const { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

}  // namespace

bool Win32Clipboard::setText(const std::string& text) {
    const std::wstring units = wide(text);
    const std::size_t bytes = (units.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    {
        GlobalLockScope lock(memory.get());
        if (!lock.data()) return false;
        std::memcpy(lock.data(), units.c_str(), bytes);
    }
    OpenClipboardScope clipboard(owner_);
    if (!clipboard || !EmptyClipboard()) return false;
    if (!SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    // The system owns the block from here on.
    memory.release();
    return true;
}

bool Win32Clipboard::clear() {
    OpenClipboardScope clipboard(owner_);
    return clipboard && EmptyClipboard();
}

std::optional<std::string> Win32Clipboard::text() {
    OpenClipboardScope clipboard(owner_);
    if (!clipboard) return std::nullopt;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::nullopt;
    GlobalLockScope lock(data);
    if (!lock.data()) return std::nullopt;
    // The block may be larger than the text, and a careless writer may leave
    // off the terminator: read no further than the block.
    const SIZE_T units = GlobalSize(data) / sizeof(wchar_t);
    const auto* chars = static_cast<const wchar_t*>(lock.data());
    return narrow(std::wstring_view(chars, wcsnlen(chars, units)));
}

}  // namespace scrivlet
