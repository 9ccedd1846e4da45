// Stands in for a browser's password field: an edit (control 1) protected only to accessibility tools, beside a
// plain edit (control 2), both in a static pop-up. The focus starts in the field and Tab moves it; the pop-up's text
// names the focused control once it is there.
#include <windows.h>
#include <oleacc.h>

namespace {

HWND host = nullptr, field = nullptr, edit = nullptr;
WNDPROC editProcedure = nullptr;

// A COM object goes through Release, never through a destructor of a base.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#define UNANSWERED(method, ...) \
    HRESULT STDMETHODCALLTYPE method(__VA_ARGS__) override { return E_NOTIMPL; }

// Answers only what the keyboard watch asks of a page's password field: whether it is protected, and whether it
// has the focus (asked when the watch starts). One object for the program's life.
class ProtectedText : public IAccessible {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        const bool known = id == IID_IUnknown || id == IID_IDispatch || id == __uuidof(IAccessible);
        *out = known ? static_cast<IAccessible*>(this) : nullptr;
        return known ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT, VARIANT* state) override {
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_PROTECTED;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        focus->vt = GetFocus() == field ? VT_I4 : VT_EMPTY;
        focus->lVal = CHILDID_SELF;
        return S_OK;
    }
    UNANSWERED(GetTypeInfoCount, UINT*) UNANSWERED(GetTypeInfo, UINT, LCID, ITypeInfo**)
    UNANSWERED(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)
    UNANSWERED(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
    UNANSWERED(get_accParent, IDispatch**) UNANSWERED(get_accChildCount, LONG*) UNANSWERED(get_accChild, VARIANT, IDispatch**)
    UNANSWERED(get_accName, VARIANT, BSTR*) UNANSWERED(get_accValue, VARIANT, BSTR*) UNANSWERED(get_accHelp, VARIANT, BSTR*)
    UNANSWERED(get_accDescription, VARIANT, BSTR*) UNANSWERED(get_accRole, VARIANT, VARIANT*)
    UNANSWERED(get_accHelpTopic, BSTR*, VARIANT, LONG*) UNANSWERED(get_accKeyboardShortcut, VARIANT, BSTR*)
    UNANSWERED(get_accSelection, VARIANT*) UNANSWERED(get_accDefaultAction, VARIANT, BSTR*) UNANSWERED(accSelect, LONG, VARIANT)
    UNANSWERED(accLocation, LONG*, LONG*, LONG*, LONG*, VARIANT) UNANSWERED(accNavigate, LONG, VARIANT, VARIANT*)
    UNANSWERED(accHitTest, LONG, LONG, VARIANT*) UNANSWERED(accDoDefaultAction, VARIANT)
    UNANSWERED(put_accName, VARIANT, BSTR) UNANSWERED(put_accValue, VARIANT, BSTR)
} accessible;

LRESULT CALLBACK fieldProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT)
        return LresultFromObject(__uuidof(IAccessible), wParam, &accessible);
    if (message == WM_SETFOCUS)  // what a browser reports when one of its fields takes the focus
        NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, CHILDID_SELF);
    return CallWindowProcW(editProcedure, hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // A bare pop-up holds them: Xvfb has no window manager to wait for. The test finds all three or fails.
    host = CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 60, 60, 300, 120, nullptr, nullptr, instance, nullptr);
    field = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, 10, 10, 280, 24, host, reinterpret_cast<HMENU>(1LL),
                            instance, nullptr);
    edit = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, 10, 50, 280, 24, host, reinterpret_cast<HMENU>(2LL),
                           instance, nullptr);
    editProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fieldProcedure)));
    SetForegroundWindow(host);
    SetFocus(field);
    SetWindowTextW(host, L"field");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) {
            const bool toField = GetFocus() == edit;
            SetFocus(toField ? field : edit);
            // Said once the focus and its reports are through, so the test's next keys follow them.
            SetWindowTextW(host, toField ? L"field" : L"edit");
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
