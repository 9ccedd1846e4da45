// The keyboard watch beside a field that says it is protected only to accessibility tools.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "desktop_test_support.h"
#include "platform/win32/win32_keyboard_watch.h"
#include "platform/win32/win32_window_system.h"

namespace scrivlet::test {
namespace {

// Letters and Tab with SendInput, as a keyboard sends them.
void press(const std::string& keys) {
    for (char c : keys)
        for (DWORD upOrDown : {0UL, static_cast<DWORD>(KEYEVENTF_KEYUP)}) {
            INPUT event{};
            event.type = INPUT_KEYBOARD;
            event.ki.wVk = c == '\t' ? VK_TAB : static_cast<WORD>(c - 'a' + 'A');
            event.ki.wScan = static_cast<WORD>(MapVirtualKeyW(event.ki.wVk, MAPVK_VK_TO_VSC));
            event.ki.dwFlags = upOrDown;
            SendInput(1, &event, sizeof event);
        }
}

std::string textOf(HWND window) {
    wchar_t text[256] = {};
    SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return narrow(text);
}

TEST(KeyboardWatchPasswordField, KeysOfAProtectedFieldAreNotToldThoseOfAnEditAre) {
    const char* path = std::getenv("SCRIVLET_PROTECTED_FIELD");
    ASSERT_TRUE(path);
    std::wstring commandLine = L"\"" + wide(path) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    UniqueHandle process(info.hProcess), thread(info.hThread);
    struct Ender {
        HANDLE process;
        ~Ender() { TerminateProcess(process, 0), WaitForSingleObject(process, 30000); }
    } ender{process.get()};
    HWND host = nullptr, field = nullptr, edit = nullptr;
    ASSERT_TRUE(waitUntil([&] {  // by its process: windows of earlier runs may still be there
        host = nullptr;
        for (DWORD owner = 0; (host = FindWindowExW(nullptr, host, L"Static", nullptr));)
            if (GetWindowThreadProcessId(host, &owner), owner == info.dwProcessId) break;
        field = GetDlgItem(host, 1), edit = GetDlgItem(host, 2);
        return host && field && edit;
    })) << "the program with the field did not start";
    Win32WindowSystem windows;
    ASSERT_TRUE(waitUntil([&] {
        return GetForegroundWindow() == host || windows.bringToForeground(reinterpret_cast<WindowId>(host));
    }));
    ASSERT_TRUE(waitUntil([&] { return textOf(host) == "field"; })) << "the focus was not set";
    // Started with the protected field already focused: the watch must ask at its start too.
    Win32KeyboardWatch watch;
    std::string heard;
    ASSERT_TRUE(watch.start({.key = [&](const TypedKey& key, WindowId) {
                                 if (key.kind == TypedKey::Kind::Character) heard += static_cast<char>(key.character);
                                 return false;
                             },
                             .lost = [] {}}));
    // The host's title names the focused control once it has moved there.
    const struct { const char* keys; const char* focus; const char* inField; const char* inEdit; const char* heard; } steps[] = {
        {"abc", "field", "abc", "", ""}, {"\t", "edit", "abc", "", ""}, {"xyz", "edit", "abc", "xyz", "xyz"},
        {"\t", "field", "abc", "xyz", "xyz"}, {"def", "field", "abcdef", "xyz", "xyz"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string("after \"") + step.keys + "\" in the " + step.focus);
        press(step.keys);
        EXPECT_TRUE(waitUntil([&] {
            return textOf(host) == step.focus && textOf(field) == step.inField && textOf(edit) == step.inEdit;
        })) << textOf(host) << ", \"" << textOf(field) << "\", \"" << textOf(edit) << "\"";
        EXPECT_EQ(heard, step.heard);
    }
}

}  // namespace
}  // namespace scrivlet::test
