// The keyboard watch in another program's window that has a password field
// the system does not know as one: a control that says it is protected only
// to accessibility tools (tests/wine/programs/protected_field.cpp), beside an
// ordinary edit control. Keys go there with SendInput, as a keyboard's do.
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

// Letters as virtual keys, and Tab.
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

// The program with the protected field, the focus first in the control named.
class FieldProgram {
public:
    explicit FieldProgram(const std::string& firstFocus) {
        const char* path = std::getenv("SCRIVLET_PROTECTED_FIELD");
        if (!path) return;
        std::wstring commandLine = L"\"" + wide(path) + L"\" " + wide(firstFocus);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return;
        process_.reset(info.hProcess);
        UniqueHandle thread(info.hThread);
        waitUntil([&] {
            host_ = hostOf(info.dwProcessId);
            field_ = FindWindowExW(host_, nullptr, L"ScrivletProtectedField", nullptr);
            edit_ = FindWindowExW(host_, nullptr, L"Edit", nullptr);
            return field_ && edit_;
        });
    }
    ~FieldProgram() {
        if (!process_) return;
        TerminateProcess(process_.get(), 0);
        WaitForSingleObject(process_.get(), 30000);
    }
    FieldProgram(const FieldProgram&) = delete;
    FieldProgram& operator=(const FieldProgram&) = delete;

    HWND host() const { return host_; }
    HWND field() const { return field_; }
    HWND edit() const { return edit_; }

private:
    // Found by its process: windows of earlier runs may still be there.
    static HWND hostOf(DWORD process) {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, L"ScrivletProtectedFieldHost", nullptr))) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process) return window;
        }
        return nullptr;
    }

    UniqueHandle process_;
    HWND host_ = nullptr, field_ = nullptr, edit_ = nullptr;
};

// One action of the user: letters typed, or Tab alone (the focus moves to
// the other control).
struct Step {
    const char* keys;
    const char* heard;  // what the listener has heard of all keys so far
};

struct Story {
    const char* name;
    const char* firstFocus;  // "field" or "edit"
    bool startFirst;         // the watch starts before the program shows its field
    std::vector<Step> steps;
};

class KeyboardWatchPasswordField : public ::testing::TestWithParam<Story> {};

TEST_P(KeyboardWatchPasswordField, KeysOfAProtectedControlAreNotTold) {
    const Story& story = GetParam();
    Win32KeyboardWatch watch;
    std::string heard;
    auto startWatch = [&] {
        return watch.start({.key = [&](const TypedKey& key, WindowId) {
                                if (key.kind == TypedKey::Kind::Character) heard += static_cast<char>(key.character);
                                return false;
                            },
                            .lost = [] {}});
    };
    if (story.startFirst) {
        ASSERT_TRUE(startWatch());
    }
    FieldProgram program(story.firstFocus);
    ASSERT_NE(program.edit(), nullptr) << "the program with the field did not start";
    Win32WindowSystem windows;
    ASSERT_TRUE(waitUntil([&] {
        return GetForegroundWindow() == program.host() || windows.bringToForeground(reinterpret_cast<WindowId>(program.host()));
    }));
    if (!story.startFirst) {
        ASSERT_TRUE(startWatch());
    }
    std::string focus = story.firstFocus, inField, inEdit;
    ASSERT_TRUE(waitUntil([&] { return textOf(program.host()) == focus; })) << "the focus was not set";
    for (const Step& step : story.steps) {
        press(step.keys);
        if (std::string(step.keys) == "\t") {
            focus = focus == "field" ? "edit" : "field";
            ASSERT_TRUE(waitUntil([&] { return textOf(program.host()) == focus; })) << "the focus did not move";
        } else {
            (focus == "field" ? inField : inEdit) += step.keys;
            ASSERT_TRUE(waitUntil([&] { return textOf(program.field()) == inField && textOf(program.edit()) == inEdit; }))
                << "after \"" << step.keys << "\" the field has \"" << textOf(program.field()) << "\", the edit \""
                << textOf(program.edit()) << "\"";
        }
        EXPECT_EQ(heard, step.heard) << "after \"" << step.keys << "\" in the " << focus;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stories, KeyboardWatchPasswordField,
    ::testing::Values(Story{"FocusedBeforeTheWatchStarts", "field", false,
                            {{"abc", ""}, {"\t", ""}, {"xyz", "xyz"}, {"\t", "xyz"}, {"def", "xyz"}}},
                      Story{"FocusMovesIntoIt", "edit", true,
                            {{"ab", "ab"}, {"\t", "ab"}, {"cd", "ab"}, {"\t", "ab"}, {"ef", "abef"}}}),
    [](const ::testing::TestParamInfo<Story>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace scrivlet::test
