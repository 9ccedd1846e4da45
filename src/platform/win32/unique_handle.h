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

namespace detail {
// CoUninitialize takes no handle, so a successful CoInitialize is held as a flag.
inline void uninitializeCom(bool) { CoUninitialize(); }
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
using UniqueHdc = UniqueAny<HDC, DeleteDC>;  // CreateCompatibleDC, not GetDC
using UniqueHmodule = UniqueAny<HMODULE, FreeLibrary>;
using UniqueGlobal = UniqueAny<HGLOBAL, GlobalFree>;
using UniqueHfont = UniqueAny<HFONT, DeleteObject>;
using UniqueHbrush = UniqueAny<HBRUSH, DeleteObject>;
using UniqueHpen = UniqueAny<HPEN, DeleteObject>;
using UniqueHbitmap = UniqueAny<HBITMAP, DeleteObject>;
using UniqueHaccel = UniqueAny<HACCEL, DestroyAcceleratorTable>;

}  // namespace scrivlet
