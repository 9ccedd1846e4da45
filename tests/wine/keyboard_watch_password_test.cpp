// The keyboard watch beside a field that says it is protected only to accessibility tools.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "desktop_test_support.h"
#include "platform/win32/win32_keyboard_watch.h"
#include "platform/win32/win32_window_system.h"

namespace scrivlet::test {
namespace {

// Letters and Tab with SendInput, as a keyboard sends them.
void press(const std::string& keys) {
    std::vector<INPUT> events;
    for (char c : keys)
        for (bool up : {false, true}) {
            INPUT event{};
            event.type = INPUT_KEYBOARD;
            event.ki.wVk = c == '\t' ? VK_TAB : static_cast<WORD>(c - 'a' + 'A');
            event.ki.wScan = static_cast<WORD>(MapVirtualKeyW(event.ki.wVk, MAPVK_VK_TO_VSC));
            event.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            events.push_back(event);
        }
    SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

std::string textOf(HWND window) {
    wchar_t text[256] = {};
    SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return narrow(text);
}

// Found by its process: windows of earlier runs may still be there.
HWND hostOf(DWORD process) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"ScrivletProtectedFieldHost", nullptr))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process) return window;
    }
    return nullptr;
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
    ASSERT_TRUE(waitUntil([&] {
        host = hostOf(info.dwProcessId);
        field = FindWindowExW(host, nullptr, L"ScrivletProtectedField", nullptr);
        edit = FindWindowExW(host, nullptr, L"Edit", nullptr);
        return field && edit;
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
    const struct { const char* keys; const char* heard; } steps[] = {
        {"abc", ""}, {"\t", ""}, {"xyz", "xyz"}, {"\t", "xyz"}, {"def", "xyz"},
    };
    std::string focus = "field", inField, inEdit;
    for (const auto& step : steps) {
        press(step.keys);
        if (std::string(step.keys) == "\t") {
            focus = focus == "field" ? "edit" : "field";
        } else {
            (focus == "field" ? inField : inEdit) += step.keys;
        }
        // The host's title names the focused control once it has moved there.
        EXPECT_TRUE(waitUntil([&] {
            return textOf(host) == focus && textOf(field) == inField && textOf(edit) == inEdit;
        })) << "after \"" << step.keys << "\": " << textOf(host) << ", \"" << textOf(field) << "\", \"" << textOf(edit) << "\"";
        EXPECT_EQ(heard, step.heard) << "after \"" << step.keys << "\" in the " << focus;
    }
}

}  // namespace
}  // namespace scrivlet::test
