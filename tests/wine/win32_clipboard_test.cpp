// The clipboard through the real API: text in and out with every character,
// text another program put there in either format, and the failure while
// another program holds the clipboard open.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <thread>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_text.h"

namespace scrivlet {
namespace {

struct ClipText {
    const char* label;
    std::string text;
};

void PrintTo(const ClipText& c, std::ostream* out) { *out << c.label; }

class ClipboardRoundTrip : public ::testing::TestWithParam<ClipText> {};

TEST_P(ClipboardRoundTrip, TextComesBackAsItWasPut) {
    Win32Clipboard clipboard;
    ASSERT_TRUE(clipboard.setText(GetParam().text));
    EXPECT_EQ(clipboard.text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Texts, ClipboardRoundTrip,
                         ::testing::Values(ClipText{"Plain", "Hallo Welt"},
                                           ClipText{"Cp1252", "Grüße, Señor – 5 € Ÿ"},
                                           ClipText{"BeyondWindows1252", "Łódź, При ✓"},
                                           ClipText{"BeyondUFFFF", "a😀b"},
                                           ClipText{"LoneSurrogate", "a\xED\xA0\xBD" "b"},
                                           ClipText{"LineBreaks", "eins\r\nzwei\r\n"},
                                           ClipText{"Long", std::string(100000, 'x')}),
                         [](const auto& p) { return std::string(p.param.label); });

// What another program put on the clipboard, in the format it chose: the
// program reads it as text all the same, ANSI text through Windows' own
// conversion (the German locale's code page, 1252).
struct Foreign {
    const char* label;
    UINT format;
    std::string bytes;  // terminating NUL included
    std::string text;
};

void PrintTo(const Foreign& c, std::ostream* out) { *out << c.label; }

class ClipboardFromAnotherProgram : public ::testing::TestWithParam<Foreign> {};

TEST_P(ClipboardFromAnotherProgram, IsReadAsText) {
    const Foreign& c = GetParam();
    UniqueHwnd window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, c.bytes.size()));
    ASSERT_TRUE(memory);
    std::memcpy(GlobalLock(memory.get()), c.bytes.data(), c.bytes.size());
    GlobalUnlock(memory.get());
    ASSERT_TRUE(OpenClipboard(window.get()));
    EmptyClipboard();
    const bool put = SetClipboardData(c.format, memory.get()) != nullptr;
    CloseClipboard();
    ASSERT_TRUE(put);
    memory.release();
    Win32Clipboard clipboard;
    EXPECT_EQ(clipboard.text(), c.text);
}

std::string utf16Bytes(const std::string& text) {
    const std::wstring units = wide(text);
    return std::string(reinterpret_cast<const char*>(units.c_str()), (units.size() + 1) * sizeof(wchar_t));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ClipboardFromAnotherProgram,
    ::testing::Values(Foreign{"AnsiText", CF_TEXT, std::string("Gr\xFC\xDF" "e \x80", 8), "Grüße €"},
                      Foreign{"UnicodeText", CF_UNICODETEXT, utf16Bytes("Łódź 😀"), "Łódź 😀"}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(Clipboard, ThePutTextIsUnicodeText) {
    Win32Clipboard clipboard;
    ASSERT_TRUE(clipboard.setText("Łódź 😀"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    std::wstring units;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        units = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    EXPECT_TRUE(units == L"\u0141\u00F3d\u017A \U0001F600");
}

TEST(Clipboard, ClearingLeavesNoText) {
    Win32Clipboard clipboard;
    ASSERT_TRUE(clipboard.setText("weg damit"));
    ASSERT_TRUE(clipboard.clear());
    EXPECT_EQ(clipboard.text(), std::nullopt);
}

TEST(Clipboard, AnEmptyTextIsStillText) {
    Win32Clipboard clipboard;
    ASSERT_TRUE(clipboard.setText(""));
    EXPECT_EQ(clipboard.text(), std::string());
}

TEST(Clipboard, TheTextBelongsToTheProgramsWindow) {
    // Windows refuses data on a clipboard emptied for no window; the program
    // opens it for its main window.
    UniqueHwnd window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);
    Win32Clipboard clipboard;
    clipboard.setOwner(reinterpret_cast<WindowId>(window.get()));
    ASSERT_TRUE(clipboard.setText("Eigentum"));
    EXPECT_EQ(GetClipboardOwner(), window.get());
    EXPECT_EQ(clipboard.text(), "Eigentum");
    ASSERT_TRUE(clipboard.clear());
    EXPECT_EQ(GetClipboardOwner(), window.get());
}

TEST(Clipboard, WhileAnotherThreadHoldsItEveryCallFails) {
    Win32Clipboard clipboard;
    ASSERT_TRUE(clipboard.setText("vorher"));
    UniqueHandle opened(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    UniqueHandle release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    bool heldOpen = false;
    std::thread other([&] {
        // Another program's window: Wine lets two threads that both open the
        // clipboard for no window share it.
        UniqueHwnd window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
        heldOpen = window && OpenClipboard(window.get());
        SetEvent(opened.get());
        WaitForSingleObject(release.get(), INFINITE);
        if (heldOpen) CloseClipboard();
    });
    WaitForSingleObject(opened.get(), INFINITE);
    EXPECT_TRUE(heldOpen);
    EXPECT_FALSE(clipboard.setText("während"));
    EXPECT_FALSE(clipboard.clear());
    EXPECT_EQ(clipboard.text(), std::nullopt);
    SetEvent(release.get());
    other.join();
    EXPECT_EQ(clipboard.text(), "vorher") << "nothing was changed meanwhile";
}

}  // namespace
}  // namespace scrivlet
