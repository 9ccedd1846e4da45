// Stands in for a browser's password field: protected only to accessibility tools, beside an edit.
// The focus starts in the field and Tab moves it; the host's title names the focused control once it is there.
#include <windows.h>
#include <oleacc.h>

namespace {

HWND host = nullptr, field = nullptr, edit = nullptr;

// A COM object goes through Release, never through a destructor of a base.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// Answers as a password field of a page does: a text that is protected, and
// focused while it has the focus. Everything else is left unanswered.
class ProtectedText : public IAccessible {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (id == IID_IUnknown || id == IID_IDispatch || id == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // One object for the program's life.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return E_INVALIDARG;
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_PROTECTED | STATE_SYSTEM_FOCUSABLE | (GetFocus() == field ? STATE_SYSTEM_FOCUSED : 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        focus->vt = GetFocus() == field ? VT_I4 : VT_EMPTY;
        focus->lVal = CHILDID_SELF;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR*, VARIANT, LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(LONG*, LONG*, LONG*, LONG*, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG, LONG, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }
};

ProtectedText accessible;

LRESULT CALLBACK fieldProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETOBJECT:
            if (static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT)
                return LresultFromObject(__uuidof(IAccessible), wParam, &accessible);
            break;
        case WM_SETFOCUS:
            // What a browser reports when one of its fields takes the focus.
            NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, CHILDID_SELF);
            return 0;
        case WM_CHAR: {
            wchar_t text[256] = {};
            const int length = GetWindowTextW(hwnd, text, 254);
            text[length] = static_cast<wchar_t>(wParam);
            SetWindowTextW(hwnd, text);
            return 0;
        }
        default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    WNDCLASSW fieldClass{};
    fieldClass.lpfnWndProc = fieldProcedure;
    fieldClass.hInstance = instance;
    fieldClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    fieldClass.lpszClassName = L"ScrivletProtectedField";
    WNDCLASSW hostClass{};
    hostClass.lpfnWndProc = DefWindowProcW;
    hostClass.hInstance = instance;
    hostClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    hostClass.lpszClassName = L"ScrivletProtectedFieldHost";
    if (!RegisterClassW(&fieldClass) || !RegisterClassW(&hostClass)) return 1;
    // A pop-up window: Xvfb has no window manager to wait for.
    host = CreateWindowExW(0, L"ScrivletProtectedFieldHost", L"Anmelden", WS_POPUP | WS_VISIBLE, 60, 60, 300,
                                120, nullptr, nullptr, instance, nullptr);
    field = CreateWindowExW(0, L"ScrivletProtectedField", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 280, 24, host,
                            nullptr, instance, nullptr);
    edit = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 50, 280, 24, host, nullptr, instance,
                           nullptr);
    if (!host || !field || !edit) return 1;
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
