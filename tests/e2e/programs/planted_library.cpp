// A library planted beside the program under the name of a system one
// (riched20.dll): when any process loads it, it writes the marker file
// "geladen.txt" beside itself, naming that process's executable, and then
// refuses to stay loaded, so the process goes on as without it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
    while (length > 0 && path[length - 1] != L'\\') --length;
    const wchar_t marker[] = L"geladen.txt";
    if (length + sizeof marker / sizeof marker[0] > MAX_PATH) return FALSE;
    for (DWORD i = 0; i < sizeof marker / sizeof marker[0]; ++i) path[length + i] = marker[i];
    wchar_t program[MAX_PATH];
    const DWORD programLength = GetModuleFileNameW(nullptr, program, MAX_PATH);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, program, programLength * sizeof(wchar_t), &written, nullptr);
        CloseHandle(file);
    }
    return FALSE;
}
