// Stands in for Windows Terminal in the end-to-end tests: a window of its
// class that records the keys it is given. Started as
//     terminal_recorder.exe <record file> <title>
// it shows a window of that title and, after every key message, writes the
// messages so far into the record file, one a line ("KEYDOWN 11",
// "CHAR U+0016"); at Ctrl+V (the character U+0016) it adds the line
// "CLIPBOARD <text>" with what the clipboard holds at that moment, as UTF-8.
// The file appears whole at once, so a reader never sees half of it.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string record;
std::string lines;

std::string utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

std::string clipboardText(HWND owner) {
    if (!OpenClipboard(owner)) return "<clipboard busy>";
    std::string text = "<no text>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = utf8(chars);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void save() {
    const std::string partial = record + ".part";
    HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
    CloseHandle(file);
    MoveFileExA(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING);
}

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const char* name = message == WM_KEYDOWN      ? "KEYDOWN"
                       : message == WM_KEYUP      ? "KEYUP"
                       : message == WM_SYSKEYDOWN ? "SYSKEYDOWN"
                       : message == WM_SYSKEYUP   ? "SYSKEYUP"
                       : message == WM_CHAR       ? "CHAR"
                       : message == WM_SYSCHAR    ? "SYSCHAR"
                                                  : nullptr;
    if (name) {
        // The typing's sentinel key (0xE8) is no key of the text.
        if ((message == WM_CHAR || message == WM_SYSCHAR) || wParam != 0xE8) {
            char line[48];
            const bool character = message == WM_CHAR || message == WM_SYSCHAR;
            std::snprintf(line, sizeof line, character ? "%s U+%04X\r\n" : "%s %02X\r\n", name,
                          static_cast<unsigned>(wParam));
            lines += line;
            if (message == WM_CHAR && wParam == 0x16) lines += "CLIPBOARD " + clipboardText(hwnd) + "\r\n";
            save();
        }
        return 0;  // as a terminal: no menu bar, no system menu from the keys
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) return 2;
    record = utf8(argv[1]);
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"CASCADIA_HOSTING_WINDOW_CLASS";
    if (!RegisterClassW(&wc)) return 1;
    HWND window = CreateWindowExW(0, wc.lpszClassName, argv[2], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 480,
                                  300, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    save();  // an empty record: the window is there
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
