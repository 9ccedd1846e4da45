// Stands in for an older build of Scrivlet in the installer's test. Started as
//     older_scrivlet.exe <marker file>
// it makes the windows such a build has: a hidden main window of the common
// class "ScrivletForm" with its version in the caption and a menu bar, and
// after it a hidden dialog of the same class, owned, without menu, which a
// close request only hides (as the options dialog did). A close request to
// the main window writes the marker file (the editor's text written at the
// end) and ends the program.
#include <windows.h>

#include <string>

namespace {

std::wstring marker;
HWND mainWindow = nullptr;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        if (window != mainWindow) return 0;
        HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, "beendet", 7, &written, nullptr);
            CloseHandle(file);
        }
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY && window == mainWindow) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
    marker = commandLine;
    if (marker.size() >= 2 && marker.front() == L'"') marker = marker.substr(1, marker.size() - 2);
    if (marker.empty()) return 2;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"ScrivletForm";
    if (!RegisterClassExW(&windowClass)) return 1;
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, L"&Beenden");
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(file), L"&Datei");
    mainWindow = CreateWindowExW(WS_EX_APPWINDOW, L"ScrivletForm", L"\u2022 Scrivlet 2.2a", WS_OVERLAPPEDWINDOW, 100,
                                 100, 400, 300, nullptr, bar, instance, nullptr);
    if (!mainWindow) return 1;
    // Created last, it lies first among the windows of the class.
    if (!CreateWindowExW(0, L"ScrivletForm", L"\u2022 Optionen - Scrivlet 2.2a", WS_OVERLAPPED | WS_CAPTION, 120, 120,
                         300, 200, mainWindow, nullptr, instance, nullptr))
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
