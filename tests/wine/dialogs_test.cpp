// Message boxes and the folder chooser, answered as a user would: a second
// thread finds the dialog box of this process, notes what it shows, and presses
// a button of it.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_ui.h"

namespace scrivlet::test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto Deadline = std::chrono::seconds(30);

struct Control {
    int id = 0;
    std::string className;
    std::string text;
    LONG style = 0;
    HICON icon = nullptr;  // of an icon control, asked while the box is open
};

struct SeenBox {
    bool found = false;
    std::string caption;
    HWND owner = nullptr;
    bool foreground = false;
    std::vector<Control> controls;

    const Control* withId(int id) const {
        for (const auto& c : controls)
            if (c.id == id) return &c;
        return nullptr;
    }
    std::set<int> buttons() const {
        std::set<int> ids;
        for (const auto& c : controls)
            if (c.className == "Button") ids.insert(c.id);
        return ids;
    }
    int defaultButton() const {
        for (const auto& c : controls)
            if (c.className == "Button" && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return c.id;
        return 0;
    }
    HICON icon() const {
        for (const auto& c : controls)
            if (c.icon) return c.icon;
        return nullptr;
    }
    bool showsText(const std::string& text) const {
        for (const auto& c : controls)
            if (c.text == text) return true;
        return false;
    }
};

std::string windowText(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return narrow(text);
}

std::string classOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND findDialogOfThisProcess() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM result) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
                classOf(window) != "#32770")
                return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Waits on its own thread for the dialog the calling thread is about to show,
// records it, then lets `act` answer it. Should no box appear, the caller's
// modal loop is ended with WM_QUIT so that the test fails instead of hanging.
class Answerer {
public:
    explicit Answerer(std::function<void(HWND)> act)
        : caller_(GetCurrentThreadId()), thread_([this, act] { run(act); }) {}
    ~Answerer() {
        if (thread_.joinable()) thread_.join();
    }
    Answerer(const Answerer&) = delete;
    Answerer& operator=(const Answerer&) = delete;

    const SeenBox& seen() {
        if (thread_.joinable()) thread_.join();
        return seen_;
    }

private:
    void run(const std::function<void(HWND)>& act) {
        const auto end = Clock::now() + Deadline;
        HWND box = nullptr;
        while (!box && Clock::now() < end) {
            box = findDialogOfThisProcess();
            if (!box) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (!box) {
            PostThreadMessageA(caller_, WM_QUIT, 0, 0);
            return;
        }
        seen_.found = true;
        seen_.caption = windowText(box);
        seen_.owner = GetWindow(box, GW_OWNER);
        // Brought to the front while it opens; give the window manager its time.
        const auto frontBy = Clock::now() + std::chrono::seconds(5);
        while (GetForegroundWindow() != box && Clock::now() < frontBy)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        seen_.foreground = GetForegroundWindow() == box;
        EnumChildWindows(
            box,
            [](HWND child, LPARAM into) -> BOOL {
                Control control{GetDlgCtrlID(child), classOf(child), windowText(child),
                                GetWindowLongA(child, GWL_STYLE), nullptr};
                if (control.className == "Static" && (control.style & SS_TYPEMASK) == SS_ICON)
                    control.icon =
                        reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
                reinterpret_cast<std::vector<Control>*>(into)->push_back(control);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&seen_.controls));
        act(box);
    }

    DWORD caller_;
    SeenBox seen_;
    std::thread thread_;
};

std::function<void(HWND)> press(int button) {
    return [button](HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); };
}

// A visible top-level window of this thread, made the active one.
UniqueHwnd activeWindow() {
    UniqueHwnd window(CreateWindowExA(0, "STATIC", "Scrivlet-Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      10, 10, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr),
                                      nullptr));
    SetForegroundWindow(window.get());
    SetActiveWindow(window.get());
    return window;
}

// ---- message boxes

struct MessageCase {
    const char* label;
    MessageRequest request;
    int pressed;
    MessageAnswer answer;
    std::set<int> buttons;
    int preset;
    LPCSTR icon;  // a system icon, or nullptr for none
};

void PrintTo(const MessageCase& c, std::ostream* out) { *out << c.label; }

class Win32Message : public ::testing::TestWithParam<MessageCase> {
protected:
    Win32Ui ui;
    Win32Dialogs dialogs{ui};
};

TEST_P(Win32Message, ShowsTheRequestAndReportsTheButtonPressed) {
    const MessageCase& c = GetParam();
    Answerer user(press(c.pressed));
    const MessageAnswer answer = dialogs.message(c.request);
    const SeenBox& seen = user.seen();
    ASSERT_TRUE(seen.found) << "no message box appeared";
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(seen.caption, c.request.caption);
    const Control* text = seen.withId(0xFFFF);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text, c.request.text);
    EXPECT_EQ(seen.buttons(), c.buttons);
    EXPECT_EQ(seen.defaultButton(), c.preset);
    EXPECT_EQ(seen.icon(), c.icon ? LoadIconA(nullptr, c.icon) : nullptr);
    EXPECT_TRUE(seen.foreground);
}

MessageRequest request(MessageIcon icon, MessageButtons buttons, bool defaultNo = false) {
    return {"Die Änderungen an »Grüße, Łódź 😀« speichern?", "Scrivlet – Frage ✓", icon, buttons, defaultNo};
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, Win32Message,
    ::testing::Values(
        MessageCase{"InformationOk", request(MessageIcon::Information, MessageButtons::Ok), IDOK,
                    MessageAnswer::Ok, {IDOK}, IDOK, IDI_INFORMATION},
        MessageCase{"ErrorOk", request(MessageIcon::Error, MessageButtons::Ok), IDOK,
                    MessageAnswer::Ok, {IDOK}, IDOK, IDI_ERROR},
        MessageCase{"NoIcon", request(MessageIcon::None, MessageButtons::Ok), IDOK,
                    MessageAnswer::Ok, {IDOK}, IDOK, nullptr},
        MessageCase{"QuestionAnsweredYes", request(MessageIcon::Question, MessageButtons::YesNo),
                    IDYES, MessageAnswer::Yes, {IDYES, IDNO}, IDYES, IDI_QUESTION},
        MessageCase{"QuestionAnsweredNo", request(MessageIcon::Question, MessageButtons::YesNo),
                    IDNO, MessageAnswer::No, {IDYES, IDNO}, IDYES, IDI_QUESTION},
        MessageCase{"WarningPresetNoAnsweredNo",
                    request(MessageIcon::Warning, MessageButtons::YesNo, true), IDNO,
                    MessageAnswer::No, {IDYES, IDNO}, IDNO, IDI_WARNING},
        MessageCase{"WarningPresetNoAnsweredYes",
                    request(MessageIcon::Warning, MessageButtons::YesNo, true), IDYES,
                    MessageAnswer::Yes, {IDYES, IDNO}, IDNO, IDI_WARNING}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(Win32MessageOwner, TheActiveWindowOfThisThreadOwnsTheBox) {
    const UniqueHwnd window = activeWindow();
    ASSERT_EQ(GetActiveWindow(), window.get());
    Win32Ui ui;
    Win32Dialogs dialogs{ui};
    Answerer user(press(IDOK));
    dialogs.message(request(MessageIcon::Information, MessageButtons::Ok));
    ASSERT_TRUE(user.seen().found);
    EXPECT_EQ(user.seen().owner, window.get());
}

TEST(Win32MessageOwner, WithoutAnActiveWindowTheBoxHasNoOwner) {
    ASSERT_EQ(GetActiveWindow(), nullptr);
    Win32Ui ui;
    Win32Dialogs dialogs{ui};
    Answerer user(press(IDOK));
    dialogs.message(request(MessageIcon::Information, MessageButtons::Ok));
    ASSERT_TRUE(user.seen().found);
    EXPECT_EQ(user.seen().owner, nullptr);
}

// ---- folder chooser

std::string selectedTreeItem(HWND tree) {
    const auto item = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return {};
    wchar_t text[MAX_PATH] = {};
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return narrow(text);
}

HWND treeOf(HWND box) {
    HWND tree = nullptr;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM into) -> BOOL {
            if (classOf(child) != WC_TREEVIEWA) return TRUE;
            *reinterpret_cast<HWND*>(into) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tree));
    return tree;
}

class Win32FolderChooser : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1] = {};
        ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
        // A name the ANSI code page cannot spell.
        folderName = "Auswahl-Łódź-" + std::to_string(GetCurrentProcessId());
        folder = narrow(temp) + folderName;
        ASSERT_TRUE(CreateDirectoryW(wide(folder).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    void TearDown() override { RemoveDirectoryW(wide(folder).c_str()); }

    Win32Ui ui;
    Win32Dialogs dialogs{ui};
    std::string folderName;
    std::string folder;
};

TEST_F(Win32FolderChooser, CancellingGivesNothing) {
    const UniqueHwnd owner = activeWindow();
    Answerer user(press(IDCANCEL));
    const std::string chosen =
        dialogs.chooseFolder(reinterpret_cast<WindowId>(owner.get()), "Ordner für die Texte wählen ✓");
    const SeenBox& seen = user.seen();
    ASSERT_TRUE(seen.found) << "no folder chooser appeared";
    EXPECT_EQ(chosen, "");
    EXPECT_TRUE(seen.showsText("Ordner für die Texte wählen ✓"));
    EXPECT_EQ(seen.owner, owner.get());
}

TEST_F(Win32FolderChooser, TheChosenFolderIsReturnedAsAPath) {
    const std::string wanted = folder;
    const std::string name = folderName;
    Answerer user([wanted, name](HWND box) {
        // The chooser fills its tree while it opens; ask for the folder until the
        // tree shows it chosen, then confirm.
        const HWND tree = treeOf(box);
        const auto end = Clock::now() + Deadline;
        while (Clock::now() < end && selectedTreeItem(tree) != name) {
            SendMessageW(box, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(wide(wanted).c_str()));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    const std::string chosen = dialogs.chooseFolder(0, "Ordner wählen");
    ASSERT_TRUE(user.seen().found) << "no folder chooser appeared";
    EXPECT_EQ(chosen, folder);
    EXPECT_EQ(user.seen().owner, nullptr);
}

}  // namespace
}  // namespace scrivlet::test
