// The clipboard through the real API: text in and out in the program's code
// page, and the failure while another program holds the clipboard open.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_clipboard.h"

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
                                           ClipText{"Cp1252", "Grüße, Señor – 5 € \x80\x9F"},
                                           ClipText{"LineBreaks", "eins\r\nzwei\r\n"},
                                           ClipText{"Long", std::string(100000, 'x')}),
                         [](const auto& p) { return std::string(p.param.label); });

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
