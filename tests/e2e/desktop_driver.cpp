#include "e2e/desktop_driver.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/unicode.h"
#include "platform/win32/win32_text.h"

namespace e2e {

bool waitFor(const std::function<bool()>& condition, int milliseconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() > deadline) return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
}

std::vector<HWND> topLevelWindows(DWORD processId) {
    struct Search {
        DWORD id;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->id) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string windowText(HWND window) {
    // In UTF-16, which every window of another process answers without loss.
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
    const LRESULT got = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
    return scrivlet::narrow(text);
}

std::string windowsOf(DWORD processId) {
    std::string text;
    for (HWND w : topLevelWindows(processId)) {
        char cls[128] = {};
        GetClassNameA(w, cls, sizeof cls);
        text.append("'").append(windowText(w)).append("' ").append(cls);
        if (IsWindowVisible(w)) text.append(" visible");
        if (GetForegroundWindow() == w) text.append(" foreground");
        text.append("; ");
    }
    return text;
}

HWND findWindow(DWORD processId, const std::string& title, const char* className, bool visibleOnly) {
    for (HWND window : topLevelWindows(processId)) {
        if (visibleOnly && !IsWindowVisible(window)) continue;
        if (!title.empty() && windowText(window) != title) continue;
        if (className) {
            char cls[256] = {};
            GetClassNameA(window, cls, sizeof cls);
            if (std::string(cls) != className) continue;
        }
        return window;
    }
    return nullptr;
}

HWND waitForWindow(DWORD processId, const std::string& title, const char* className, bool visibleOnly) {
    HWND found = nullptr;
    waitFor([&] { return (found = findWindow(processId, title, className, visibleOnly)) != nullptr; });
    return found;
}

HWND findChild(HWND parent, const std::string& className, const std::string& text, bool classPrefix) {
    struct Search {
        std::string cls, text;
        bool prefix;
        HWND found = nullptr;
    } search{className, text, classPrefix};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char cls[256] = {};
            GetClassNameA(window, cls, sizeof cls);
            const std::string name = cls;
            const bool classMatches = s->prefix ? _strnicmp(name.c_str(), s->cls.c_str(), s->cls.size()) == 0
                                                : _stricmp(name.c_str(), s->cls.c_str()) == 0;
            if (classMatches && (s->text.empty() || windowText(window) == s->text)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> childWindows(HWND parent, const std::string& className) {
    struct Search {
        std::string cls;
        std::vector<HWND> found;
    } search{className, {}};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char cls[256] = {};
            GetClassNameA(window, cls, sizeof cls);
            if (_stricmp(cls, s->cls.c_str()) == 0) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::string> listBoxItems(HWND listBox) {
    std::vector<std::string> items;
    // Another process's list answers in UTF-16 whatever was asked, so ask for that.
    const LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const WPARAM row = static_cast<WPARAM>(i);
        std::wstring wide(static_cast<std::size_t>(SendMessageW(listBox, LB_GETTEXTLEN, row, 0)) + 1, L'\0');
        const LRESULT got = SendMessageW(listBox, LB_GETTEXT, row, reinterpret_cast<LPARAM>(wide.data()));
        wide.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
        items.push_back(scrivlet::narrow(wide));
    }
    return items;
}

bool chooseMenuItem(HWND window, char menuKey, char itemKey) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return chooseMenuByKeys(processId, menuKey, itemKey);
}

void clickButton(HWND dialog, const std::string& caption) {
    if (HWND button = findChild(dialog, "Button", caption)) clickCentre(button);
}

namespace {
void send(std::vector<INPUT>& inputs) {
    if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    inputs.clear();
}
INPUT key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}
}  // namespace

void pressKey(WORD virtualKey, bool alt) {
    std::vector<INPUT> inputs;
    if (alt) inputs.push_back(key(VK_MENU, false));
    inputs.push_back(key(virtualKey, false));
    inputs.push_back(key(virtualKey, true));
    if (alt) inputs.push_back(key(VK_MENU, true));
    send(inputs);
}

void pressWithCtrl(WORD virtualKey) {
    std::vector<INPUT> inputs{key(VK_CONTROL, false), key(virtualKey, false), key(virtualKey, true),
                              key(VK_CONTROL, true)};
    send(inputs);
}

bool waitUntilKeysTaken(HWND window) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (thread == 0 || !AttachThreadInput(GetCurrentThreadId(), thread, TRUE)) return false;
    constexpr WORD Sentinel = 0x97;
    bool taken = true;
    for (bool up : {false, true}) {
        std::vector<INPUT> inputs{key(Sentinel, up)};
        send(inputs);
        taken = taken && waitFor([up] { return ((GetKeyState(Sentinel) & 0x8000) != 0) != up; }, 10000);
    }
    AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
    return taken;
}

void typeText(const std::string& text) {
    std::vector<INPUT> inputs;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        const char32_t c = scrivlet::decodeUtf8(text, i, &length);
        if (c == '\r' || c == '\t') {
            inputs.push_back(key(c == '\r' ? VK_RETURN : VK_TAB, false));
            inputs.push_back(key(c == '\r' ? VK_RETURN : VK_TAB, true));
            i += length;
            continue;
        }
        // Each UTF-16 unit as a key of its own, pressed and released: a
        // character beyond U+FFFF as its two surrogates.
        for (wchar_t unit : scrivlet::wide(text.substr(i, length)))
            for (bool up : {false, true}) {
                INPUT in{};
                in.type = INPUT_KEYBOARD;
                in.ki.wScan = unit;
                in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
                inputs.push_back(in);
            }
        i += length;
    }
    send(inputs);
}

void clickAt(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
    std::vector<INPUT> inputs(2);
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    send(inputs);
}

namespace {
INPUT absoluteMouse(int x, int y, DWORD flags) {
    // Normalised coordinates of the primary screen, rounded up so that the
    // system's rounding down lands on the pixel itself.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((static_cast<long long>(x) * 65536 + width - 1) / width);
    in.mi.dy = static_cast<LONG>((static_cast<long long>(y) * 65536 + height - 1) / height);
    in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
    return in;
}
bool cursorAt(int x, int y) {
    return waitFor(
        [x, y] {
            POINT p{};
            return GetCursorPos(&p) && p.x == x && p.y == y;
        },
        5000);
}
}  // namespace

bool moveMouse(int x, int y) {
    std::vector<INPUT> inputs{absoluteMouse(x, y, 0)};
    send(inputs);
    return cursorAt(x, y);
}

namespace {
DWORD downFlag(MouseButton button) {
    return button == MouseButton::Left    ? MOUSEEVENTF_LEFTDOWN
           : button == MouseButton::Right ? MOUSEEVENTF_RIGHTDOWN
                                          : MOUSEEVENTF_MIDDLEDOWN;
}
DWORD upFlag(MouseButton button) {
    return button == MouseButton::Left    ? MOUSEEVENTF_LEFTUP
           : button == MouseButton::Right ? MOUSEEVENTF_RIGHTUP
                                          : MOUSEEVENTF_MIDDLEUP;
}
}  // namespace

bool clickScreen(int x, int y, MouseButton button) {
    if (!moveMouse(x, y)) return false;
    std::vector<INPUT> inputs{absoluteMouse(x, y, downFlag(button)), absoluteMouse(x, y, upFlag(button))};
    send(inputs);
    return true;
}

void clickHere(MouseButton button) {
    std::vector<INPUT> inputs(2);
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = downFlag(button);
    inputs[1].mi.dwFlags = upFlag(button);
    send(inputs);
}

bool clickIn(HWND window, int x, int y, MouseButton button) {
    POINT p{x, y};
    if (!ClientToScreen(window, &p)) return false;
    return clickScreen(p.x, p.y, button);
}

bool clickCentre(HWND control) {
    RECT r{};
    if (!GetClientRect(control, &r)) return false;
    return clickIn(control, r.right / 2, r.bottom / 2);
}

bool clickCloseBox(HWND window) { return clickCaptionButton(window, HTCLOSE); }

bool clickCaptionButton(HWND window, int hitCode) {
    // The middle of the caption's area where the window answers the button's
    // hit code, as a user aims at the box.
    RECT r{};
    if (!GetWindowRect(window, &r)) return false;
    long sumX = 0, sumY = 0, points = 0;
    for (int y = r.top; y < r.top + 48 && y < r.bottom; ++y)
        for (int x = r.right - 1; x > r.right - 96 && x > r.left; --x) {
            DWORD_PTR hit = 0;
            if (SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &hit) &&
                static_cast<int>(hit) == hitCode) {
                sumX += x;
                sumY += y;
                ++points;
            }
        }
    return points > 0 && clickScreen(static_cast<int>(sumX / points), static_cast<int>(sumY / points));
}

bool chooseMenuByKeys(DWORD processId, char menuKey, char itemKey) {
    // F10 first: Alt+letter would go to a control with the same access key
    // ("&Titel" and "&Texte").
    auto menuOpen = [processId] { return findWindow(processId, "", "#32768", true) != nullptr; };
    pressKey(VK_F10);
    pressKey(static_cast<WORD>(menuKey));
    if (!waitFor(menuOpen, 10000)) return false;
    pressKey(static_cast<WORD>(itemKey));
    return true;
}

namespace {

// Whether a click at the screen point lands in the window (or a child of it).
bool landsIn(HWND window, POINT p) {
    const HWND hit = WindowFromPoint(p);
    return hit == window || IsChild(window, hit);
}

// Wine finishes an activation in the activated window's own thread, when it
// next takes a message: it then gives X the focus and sets the modifier keys
// to what X holds down, undoing modifiers sent in between, and a focus it
// gives late takes the activation from a window activated after it.
void letActivationSettle(HWND window) {
    DWORD_PTR ignored = 0;
    for (int i = 0; i < 2; ++i) {
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
        Sleep(20);
    }
}
}  // namespace

bool clickToFront(HWND window) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return false;
    // The caption bar, where a click activates and changes nothing else; the
    // first spot along it that no other window covers.
    const int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    for (int step = 1; step < 8; ++step) {
        const POINT p{r.left + (r.right - r.left) * step / 8, y};
        if (!landsIn(window, p)) continue;
        clickScreen(p.x, p.y);
        if (!waitFor([window] { return GetForegroundWindow() == window; }, 5000)) return false;
        letActivationSettle(window);
        return true;
    }
    return false;
}


bool screenshot(HWND window, const std::string& path) {
    RECT r;
    if (!GetWindowRect(window, &r)) return false;
    return screenshotArea(r, path, window);
}

namespace {

// The area of the screen as 24-bit rows, bottom up, as a BMP holds them.
std::string screenPixels(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const int stride = ((w * 3 + 3) / 4) * 4;
    std::string pixels(static_cast<std::size_t>(stride * h), '\0');
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Returns once the window's thread has taken a message sent now.
void roundTrip(HWND window) {
    DWORD_PTR ignored = 0;
    if (window) SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
}

}  // namespace

bool screenshotArea(const RECT& r, const std::string& path, HWND painter) {
    // Wine copies what a thread painted to the screen when that thread next
    // waits for messages, so a window whose painting is done may still show
    // an older state for a moment: the picture is the one that two captures,
    // each after the painting thread has taken a message, agree on.
    roundTrip(painter);
    std::string pixels = screenPixels(r);
    waitFor(
        [&] {
            roundTrip(painter);
            std::string again = screenPixels(r);
            const bool settled = again == pixels;
            pixels = std::move(again);
            return settled;
        },
        5000);
    const int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

Process::Process(const std::string& commandLine, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                   folder.empty() ? nullptr : folder.c_str(), &startup, &info_);
}

Process::~Process() {
    if (running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    if (info_.hProcess) CloseHandle(info_.hProcess);
    if (info_.hThread) CloseHandle(info_.hThread);
}

bool Process::running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Process::waitForExit(int milliseconds) {
    return waitFor([this] { return !running(); }, milliseconds);
}

Notepad::Notepad(const std::string& file) : process_(file.empty() ? "notepad.exe" : "notepad.exe \"" + file + "\"", "") {
    waitFor([this] {
        for (HWND w : topLevelWindows(process_.id()))
            if (IsWindowVisible(w) && (edit_ = findChild(w, "Edit"))) {
                window_ = w;
                return true;
            }
        return false;
    });
    // Shown is not yet settled: a notepad still starting takes the activation
    // back from whatever comes to the front meanwhile (a menu then closes at
    // once). A user waits until the window is ready, too.
    WaitForInputIdle(process_.handle(), 10000);
    // Where the user keeps it: each notepad of a test a little lower and to
    // the right of the one before, so that the caption of every one can be
    // clicked, and clear of the notification area in the top left corner.
    static int started = 0;
    const int offset = 40 * (started++ % 8);
    if (window_) SetWindowPos(window_, nullptr, 200 + offset, 120 + offset, 0, 0,
                              SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Notepad::text() const { return edit_ ? windowText(edit_) : "<no notepad>"; }

std::string freshFolder(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    const std::string folder = std::string(temp) + "scrivlet-e2e-" + name + "-" +
                               std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

bool makeFolders(const std::string& path) {
    for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream data;
    data << in.rdbuf();
    return data.str();
}

std::string iniValue(const std::string& file, const std::string& section, const std::string& key) {
    char buffer[32767];
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "<none>", buffer, sizeof buffer,
                                             file.c_str());
    return std::string(buffer, n);
}

}  // namespace e2e
