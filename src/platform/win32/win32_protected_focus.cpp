#include "platform/win32/win32_protected_focus.h"

#include <oleacc.h>

#include "platform/win32/unique_handle.h"

namespace scrivlet {

namespace {

// A VARIANT cleared when it goes: it may hold an object or a string.
struct HeldVariant {
    VARIANT value;
    HeldVariant() { VariantInit(&value); }
    ~HeldVariant() { VariantClear(&value); }
    HeldVariant(const HeldVariant&) = delete;
    HeldVariant& operator=(const HeldVariant&) = delete;
};

bool isProtected(IAccessible& accessible, const VARIANT& child) {
    HeldVariant state;
    return SUCCEEDED(accessible.get_accState(child, &state.value)) && state.value.vt == VT_I4 &&
           (state.value.lVal & STATE_SYSTEM_PROTECTED) != 0;
}

// The program's thread would wait with a window that takes no messages.
bool answers(HWND window) { return !IsHungAppWindow(GetAncestor(window, GA_ROOT)); }

}  // namespace

bool accessibleIsProtected(HWND window, LONG object, LONG child) {
    if (!answers(window)) return false;
    UniqueCom<IAccessible> accessible;
    HeldVariant element;
    if (FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object), static_cast<DWORD>(child),
                                         accessible.put(), &element.value)) ||
        !accessible)
        return false;
    return isProtected(*accessible.get(), element.value);
}

// The interface is named by __uuidof: MinGW's IID_IAccessible links to the
// import library's entry for it, which is no GUID.
bool focusedElementIsProtected(HWND window) {
    if (!answers(window)) return false;
    UniqueCom<IAccessible> client;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(client.put()))) ||
        !client)
        return false;
    HeldVariant focus;
    if (FAILED(client.get()->get_accFocus(&focus.value))) return false;
    switch (focus.value.vt) {
        case VT_I4: return isProtected(*client.get(), focus.value);  // the client area itself, or a simple element
        case VT_DISPATCH: {
            UniqueCom<IAccessible> element;
            if (!focus.value.pdispVal ||
                FAILED(focus.value.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(element.put()))))
                return false;
            VARIANT self;
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            return isProtected(*element.get(), self);
        }
        default: return false;  // nothing inside has the focus
    }
}

}  // namespace scrivlet
