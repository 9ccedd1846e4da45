#pragma once
#include <windows.h>
#include <shlobj.h>

#include <utility>

namespace scrivlet {

// The value a handle type uses for "none". Most types use null; the file
// functions use INVALID_HANDLE_VALUE, which is not a constant expression and so
// comes from a function.
template <typename T>
constexpr T noHandle() {
    return T{};
}
inline HANDLE invalidHandleValue() { return INVALID_HANDLE_VALUE; }

// Owns one handle and releases it with Close exactly once; move-only, so a handle
// can be returned from a function without being closed twice or leaked on an
// early return.
template <typename T, auto Close, T (*Invalid)() = noHandle<T>>
class UniqueAny {
public:
    UniqueAny() noexcept = default;
    explicit UniqueAny(T value) noexcept : value_(value) {}
    UniqueAny(UniqueAny&& other) noexcept : value_(other.release()) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    ~UniqueAny() { reset(); }

    T get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Invalid(); }

    T release() noexcept { return std::exchange(value_, Invalid()); }
    void reset(T value = Invalid()) noexcept {
        const T old = std::exchange(value_, value);
        if (old != Invalid()) Close(old);
    }
    // For the functions that return a handle through a pointer (RegOpenKeyExW):
    // whatever was held is released first, so nothing leaks.
    T* put() noexcept {
        reset();
        return &value_;
    }

private:
    T value_ = Invalid();
};

// The handles that are given back with more than themselves, held as one
// value each; a value equal to the default one is "none".
struct WindowDc {  // GetDC and GetWindowDC: ReleaseDC needs the window too
    HWND window = nullptr;
    HDC dc = nullptr;
    bool operator==(const WindowDc&) const = default;
};
struct Painting {  // BeginPaint: EndPaint needs the window and what it filled in
    HWND window = nullptr;
    HDC dc = nullptr;
    PAINTSTRUCT paint{};
    bool operator==(const Painting& other) const { return window == other.window && dc == other.dc; }
};
struct Selection {  // SelectObject: the object it replaced goes back into the DC
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;
    bool operator==(const Selection&) const = default;
};

namespace detail {
// CoUninitialize takes no handle, so a successful CoInitialize is held as a flag.
inline void uninitializeCom(bool) { CoUninitialize(); }
inline void releaseDc(const WindowDc& held) { ReleaseDC(held.window, held.dc); }
inline void endPaint(const Painting& held) { EndPaint(held.window, &held.paint); }
inline void restoreSelection(const Selection& held) { SelectObject(held.dc, held.previous); }
// Returns only when a callback that already runs has finished, so none can use
// its context afterwards.
inline void unregisterWait(HANDLE wait) { UnregisterWaitEx(wait, INVALID_HANDLE_VALUE); }
inline void resumeRedraw(HWND window) { SendMessageW(window, WM_SETREDRAW, TRUE, 0); }
template <typename T>
void releaseCom(T* object) { object->Release(); }
}  // namespace detail

using UniqueHkey = UniqueAny<HKEY, RegCloseKey>;
using UniqueFile = UniqueAny<HANDLE, CloseHandle, invalidHandleValue>;  // CreateFile
using UniqueHandle = UniqueAny<HANDLE, CloseHandle>;  // threads, processes, events
using UniqueFindHandle = UniqueAny<HANDLE, FindClose, invalidHandleValue>;
using UniquePidl = UniqueAny<PIDLIST_ABSOLUTE, CoTaskMemFree>;
using UniqueComInit = UniqueAny<bool, detail::uninitializeCom>;
using UniqueHwnd = UniqueAny<HWND, DestroyWindow>;
using UniqueHmenu = UniqueAny<HMENU, DestroyMenu>;
using UniqueHicon = UniqueAny<HICON, DestroyIcon>;
using UniqueHdc = UniqueAny<HDC, DeleteDC>;  // CreateCompatibleDC; GetDC's is a UniqueWindowDc
using UniqueWindowDc = UniqueAny<WindowDc, detail::releaseDc>;
using UniquePainting = UniqueAny<Painting, detail::endPaint>;
using UniqueSelection = UniqueAny<Selection, detail::restoreSelection>;
using UniqueWait = UniqueAny<HANDLE, detail::unregisterWait>;  // RegisterWaitForSingleObject
using UniqueRedrawPause = UniqueAny<HWND, detail::resumeRedraw>;  // WM_SETREDRAW FALSE
using UniqueHmodule = UniqueAny<HMODULE, FreeLibrary>;
using UniqueGlobal = UniqueAny<HGLOBAL, GlobalFree>;
using UniqueLocal = UniqueAny<HLOCAL, LocalFree>;  // what the system allocated for the caller (a SID's text)
using UniqueHfont = UniqueAny<HFONT, DeleteObject>;
using UniqueHbrush = UniqueAny<HBRUSH, DeleteObject>;
using UniqueHpen = UniqueAny<HPEN, DeleteObject>;
using UniqueHbitmap = UniqueAny<HBITMAP, DeleteObject>;
using UniqueHaccel = UniqueAny<HACCEL, DestroyAcceleratorTable>;
using UniqueHhook = UniqueAny<HHOOK, UnhookWindowsHookEx>;
using UniqueWinEventHook = UniqueAny<HWINEVENTHOOK, UnhookWinEvent>;
// A COM object's reference; put() takes one given back through void**.
template <typename T>
using UniqueCom = UniqueAny<T*, detail::releaseCom<T>>;

// The calls that begin what the guards above end. A guard declared later
// ends first: objects selected into a DC go back out before the DC goes, and
// before the objects themselves are deleted, when they are declared after both.
inline UniqueWindowDc getDc(HWND window) {
    HDC dc = GetDC(window);
    return dc ? UniqueWindowDc({window, dc}) : UniqueWindowDc();
}
inline UniquePainting beginPaint(HWND window) {
    Painting painting{window, nullptr, {}};
    // Ended even when it failed, as a paint handler does.
    painting.dc = BeginPaint(window, &painting.paint);
    return UniquePainting(painting);
}
// Pens, brushes, fonts and bitmaps only: a region (whose failure would be
// HGDI_ERROR) is never selected, and for these a failure is null.
inline UniqueSelection selectInto(HDC dc, HGDIOBJ object) {
    HGDIOBJ previous = SelectObject(dc, object);
    return previous ? UniqueSelection({dc, previous}) : UniqueSelection();
}
inline UniqueRedrawPause pauseRedraw(HWND window) {
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    return UniqueRedrawPause(window);
}

}  // namespace scrivlet
