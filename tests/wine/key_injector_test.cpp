// Typing with Win32KeyInjector into real windows: Wine's notepad, and a window
// of a thread of this test that records every keyboard message it is given.
// The text must be all there the moment type() returns: it is read at once,
// without waiting.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "desktop_test_support.h"
#include "platform/key_string.h"
#include "platform/notification_area.h"
#include "platform/win32/win32_key_injector.h"
#include "platform/win32/win32_window_system.h"

namespace scrivlet::test {
namespace {

WindowId idOf(HWND hwnd) { return reinterpret_cast<WindowId>(hwnd); }

std::vector<KeyStep> keys(const std::string& keyString) {
    const auto steps = parseKeyString(keyString);
    return steps ? *steps : std::vector<KeyStep>{};
}

bool isDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

// ---- a window of its own thread that records its keyboard messages

// One keyboard message, written as "KEYDOWN 42", "CHAR 'b'" or "CHAR U+00E4"
// (the window is a Unicode one: a character is a UTF-16 unit), so that a
// mismatch reads plainly.
std::string describe(UINT message, WPARAM wParam) {
    const char* name = message == WM_KEYDOWN      ? "KEYDOWN"
                       : message == WM_KEYUP      ? "KEYUP"
                       : message == WM_SYSKEYDOWN ? "SYSKEYDOWN"
                       : message == WM_SYSKEYUP   ? "SYSKEYUP"
                       : message == WM_CHAR       ? "CHAR"
                                                  : "SYSCHAR";
    char text[32];
    const bool character = message == WM_CHAR || message == WM_SYSCHAR;
    if (character && (wParam < 0x80))
        std::snprintf(text, sizeof text, "%s '%c'", name, static_cast<char>(wParam));
    else if (character)
        std::snprintf(text, sizeof text, "%s U+%04X", name, static_cast<unsigned>(wParam));
    else
        std::snprintf(text, sizeof text, "%s %02X", name, static_cast<unsigned>(wParam));
    return text;
}

// Runs a message loop of its own, as another program would; the window is
// never handed to DefWindowProc for keys, so Alt+Space opens no system menu
// and every key stays on record. On request the thread stops taking messages
// until released, as a program that hangs.
class RecordingWindow {
public:
    RecordingWindow() : thread_([this] { run(); }) {
        waitUntil([this] { return ready_.load(); });
    }
    ~RecordingWindow() {
        release();
        if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND window() const { return window_; }

    // Every keyboard message so far, the typing's sentinel key left out.
    std::vector<std::string> messages() const {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    std::string characters() const {
        std::lock_guard lock(mutex_);
        return narrow(characters_);
    }
    void forget() {
        std::lock_guard lock(mutex_);
        messages_.clear();
        characters_.clear();
    }

    // Returns once the thread has stopped taking messages.
    void block() {
        ResetEvent(release_.get());
        PostMessageW(window_, BlockMessage, 0, 0);
        WaitForSingleObject(blocked_.get(), 30000);
    }
    void release() { SetEvent(release_.get()); }

private:
    static constexpr UINT BlockMessage = WM_APP + 1;

    void run() {
        UniqueHwnd window = createTestWindow("Scrivlet Aufzeichnung", &RecordingWindow::procedure);
        if (window) SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        window_ = window.get();
        ready_ = true;
        if (!window) return;
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        switch (message) {
            case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP: case WM_CHAR: case WM_SYSCHAR:
                if (self) self->record(message, wParam);
                return 0;
            case BlockMessage:
                SetEvent(self->blocked_.get());
                WaitForSingleObject(self->release_.get(), INFINITE);
                return 0;
            case WM_CLOSE:
                DestroyWindow(hwnd);
                return 0;
            case WM_DESTROY:
                PostQuitMessage(0);
                return 0;
            default:
                return DefWindowProcW(hwnd, message, wParam, lParam);
        }
    }

    void record(UINT message, WPARAM wParam) {
        const bool key = message != WM_CHAR && message != WM_SYSCHAR;
        if (key && wParam == Win32KeyInjector::SentinelKey) return;
        std::lock_guard lock(mutex_);
        messages_.push_back(describe(message, wParam));
        if (message == WM_CHAR) characters_ += static_cast<wchar_t>(wParam);
    }

    UniqueHandle blocked_{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    UniqueHandle release_{CreateEventA(nullptr, TRUE, TRUE, nullptr)};
    std::atomic<bool> ready_{false};
    HWND window_ = nullptr;
    mutable std::mutex mutex_;
    std::vector<std::string> messages_;
    std::wstring characters_;
    std::thread thread_;
};

// One recording window for all the tests of a suite: Wine waits two seconds
// for a window manager whenever an activated window goes away, and Xvfb has none.
class Win32TypingIntoOwnWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        recording = new RecordingWindow;
        inFront = new RecordingWindow;
    }
    static void TearDownTestSuite() {
        delete recording;
        delete inFront;
        recording = inFront = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(recorder.window());
        ASSERT_TRUE(windows.bringToForeground(idOf(recorder.window())));
        recorder.forget();
    }
    static RecordingWindow* recording;
    static RecordingWindow* inFront;  // a window of another program that comes to the front
    RecordingWindow& recorder = *recording;
    Win32WindowSystem windows;
    Win32KeyInjector injector;
};

RecordingWindow* Win32TypingIntoOwnWindow::recording = nullptr;
RecordingWindow* Win32TypingIntoOwnWindow::inFront = nullptr;

TEST_F(Win32TypingIntoOwnWindow, ConsolePasteSequenceArrivesAsAltSpaceThenBThenE) {
    ASSERT_EQ(injector.type(idOf(recorder.window()), keys("% BE")), TypingResult::Typed);
    const std::vector<std::string> expected = {
        "SYSKEYDOWN 12", "SYSKEYDOWN 20", "SYSCHAR ' '", "SYSKEYUP 20", "KEYUP 12",
        "KEYDOWN 42",    "CHAR 'b'",      "KEYUP 42",    "KEYDOWN 45",  "CHAR 'e'", "KEYUP 45"};
    EXPECT_EQ(recorder.messages(), expected);
    EXPECT_FALSE(isDown(VK_MENU));
    EXPECT_FALSE(isDown(VK_SPACE));
}

struct OwnWindowCase {
    const char* label;
    const char* keys;
    std::vector<std::string> messages;
};

void PrintTo(const OwnWindowCase& c, std::ostream* out) { *out << c.label; }

class Win32KeysIntoOwnWindow : public Win32TypingIntoOwnWindow,
                               public ::testing::WithParamInterface<OwnWindowCase> {};

// Characters come as Unicode packets (VK_PACKET, E7), whatever the layout;
// Enter and Tab as their keys.
TEST_P(Win32KeysIntoOwnWindow, ArriveAsTheseMessages) {
    ASSERT_EQ(injector.type(idOf(recorder.window()), keys(GetParam().keys)), TypingResult::Typed);
    EXPECT_EQ(recorder.messages(), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, Win32KeysIntoOwnWindow,
    ::testing::Values(OwnWindowCase{"Character", "x", {"KEYDOWN E7", "CHAR 'x'", "KEYUP E7"}},
                      OwnWindowCase{"BeyondWindows1252", "Ł", {"KEYDOWN E7", "CHAR U+0141", "KEYUP E7"}},
                      // Beyond U+FFFF: both halves, each pressed and released.
                      OwnWindowCase{"BeyondUFFFF",
                                    "😀",
                                    {"KEYDOWN E7", "CHAR U+D83D", "KEYUP E7", "KEYDOWN E7", "CHAR U+DE00",
                                     "KEYUP E7"}},
                      OwnWindowCase{"LoneSurrogate", "\xED\xA0\xBD", {"KEYDOWN E7", "CHAR U+D83D", "KEYUP E7"}},
                      OwnWindowCase{"Enter", "~", {"KEYDOWN 0D", "CHAR '\r'", "KEYUP 0D"}},
                      OwnWindowCase{"Tab", "{TAB}", {"KEYDOWN 09", "CHAR '\t'", "KEYUP 09"}},
                      OwnWindowCase{"AltLetter",
                                    "%d",
                                    {"SYSKEYDOWN 12", "SYSKEYDOWN 44", "SYSCHAR 'd'", "SYSKEYUP 44", "KEYUP 12"}},
                      // Windows Terminal's paste: the chord's control character, and no key left down.
                      OwnWindowCase{"CtrlLetter",
                                    "^v",
                                    {"KEYDOWN 11", "KEYDOWN 56", "CHAR '\x16'", "KEYUP 56", "KEYUP 11"}}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(Win32TypingIntoOwnWindow, EveryCharacterIsThereWhenTypeReturns) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += static_cast<char>('a' + i % 26);
    ASSERT_EQ(injector.type(idOf(recorder.window()), keys(text)), TypingResult::Typed);
    EXPECT_EQ(recorder.characters(), text);
}

TEST_F(Win32TypingIntoOwnWindow, ATargetThatStopsTakingKeysIsReported) {
    Win32KeyInjector impatient({1000, 500});
    recorder.block();
    EXPECT_EQ(impatient.type(idOf(recorder.window()), keys("abc")), TypingResult::NotProcessed);
    EXPECT_EQ(recorder.characters(), "");
    EXPECT_FALSE(isDown(Win32KeyInjector::SentinelKey));
    // The keys were sent and stay queued: they arrive once the target goes on.
    recorder.release();
    EXPECT_TRUE(waitUntil([&] { return recorder.characters() == "abc"; })) << recorder.characters();
}

TEST_F(Win32TypingIntoOwnWindow, NothingIsTypedWhenAnotherWindowIsInFront) {
    RecordingWindow& front = *inFront;
    ASSERT_TRUE(windows.bringToForeground(idOf(front.window())));
    front.forget();
    EXPECT_EQ(injector.type(idOf(recorder.window()), keys("abc")), TypingResult::NotProcessed);
    // Whatever went to the window in front would be there before this.
    ASSERT_EQ(injector.type(idOf(front.window()), keys("z")), TypingResult::Typed);
    EXPECT_EQ(front.characters(), "z");
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{});
}

// The messages a window of the typing thread was handed, of those the test
// posts to it.
std::vector<UINT>* postedHandled = nullptr;

LRESULT CALLBACK recordPosted(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (postedHandled && (message == NotificationArea::CallbackMessage || message == WM_APP))
        postedHandled->push_back(message);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A click on the icon while the text is typed (the shell's message to the
// program's window) waits until the typing is over; the program's other
// messages go on being handled meanwhile.
TEST_F(Win32TypingIntoOwnWindow, TheIconsMessageWaitsUntilTheTextIsTyped) {
    std::vector<UINT> handled;
    postedHandled = &handled;
    UniqueHwnd own = createTestWindow("Scrivlet Symbol", recordPosted, 0, WS_POPUP);
    ASSERT_TRUE(own);
    PostMessageA(own.get(), NotificationArea::CallbackMessage, 0, WM_LBUTTONDOWN);
    PostMessageA(own.get(), WM_APP, 0, 0);
    ASSERT_EQ(injector.type(idOf(recorder.window()), keys("abc")), TypingResult::Typed);
    EXPECT_EQ(handled, std::vector<UINT>{WM_APP}) << "while typing";
    EXPECT_TRUE(waitUntil([&] { return handled.size() == 2; }));
    EXPECT_EQ(handled, (std::vector<UINT>{WM_APP, NotificationArea::CallbackMessage}));
    postedHandled = nullptr;
}

// ---- the events, prepared a chunk at a time

// A long text never has more than one chunk of events prepared, and the chunks
// together are every step's events, in order, no step split between two.
struct ChunkCase {
    const char* label;
    std::string keyString;
    std::size_t events;  // of all steps together
};

class Win32KeyChunks : public ::testing::TestWithParam<ChunkCase> {};

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

TEST_P(Win32KeyChunks, HoldAtMostOneChunkAndEveryEventInOrder) {
    constexpr std::size_t Max = 64;
    const std::vector<KeyStep> steps = keys(GetParam().keyString);
    KeyChunks chunks(steps, Max);
    ASSERT_TRUE(chunks.typeable());
    std::vector<INPUT> chunk;
    std::size_t total = 0, step = 0, capacity = 0;
    std::wstring typed;
    while (chunks.next(chunk)) {
        EXPECT_LE(chunk.size(), Max);
        capacity = std::max(capacity, chunk.capacity());
        total += chunk.size();
        for (const INPUT& e : chunk)
            if ((e.ki.dwFlags & KEYEVENTF_UNICODE) && !(e.ki.dwFlags & KEYEVENTF_KEYUP))
                typed += static_cast<wchar_t>(e.ki.wScan);
        // A chunk ends with the release of a whole step: Alt ends an Alt step.
        const INPUT& last = chunk.back();
        EXPECT_TRUE(last.ki.dwFlags & KEYEVENTF_KEYUP) << step;
        ++step;
    }
    EXPECT_EQ(total, GetParam().events);
    EXPECT_LE(capacity, 2 * Max) << "the events of the whole text were prepared at once";
    std::string letters;
    for (const KeyStep& s : steps)
        if (s.kind == KeyStep::Kind::Character) appendUtf8(letters, s.character);
    EXPECT_EQ(narrow(typed), letters);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Win32KeyChunks,
    ::testing::Values(ChunkCase{"Empty", "", 0}, ChunkCase{"OneChunk", std::string(32, 'a'), 64},
                      ChunkCase{"JustOver", std::string(33, 'b'), 66},
                      ChunkCase{"AltStepsAreNotSplit", std::string(31, 'c') + "% BE", 62 + 4 + 2 + 2},
                      // Four events a character beyond U+FFFF, never split.
                      ChunkCase{"PairsAreNotSplit", std::string("a").append(repeated("😀", 20)), 2 + 80},
                      ChunkCase{"HundredThousandCharacters", std::string(100000, 'd') + "~{TAB}", 200004}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(Win32TypingTarget, NoWindowIsNotTyped) {
    Win32KeyInjector injector;
    EXPECT_EQ(injector.type(0, keys("abc")), TypingResult::NotProcessed);
}

// ---- Wine's notepad

class Win32TypingIntoNotepad : public ::testing::Test {
protected:
    static void SetUpTestSuite() { notepad = new Notepad; }
    static void TearDownTestSuite() {
        delete notepad;
        notepad = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(notepad->running());
        notepad->clear();
        ASSERT_EQ(notepad->text(), "");
        ASSERT_TRUE(windows.bringToForeground(idOf(notepad->window())));
    }
    TypingResult type(const std::vector<KeyStep>& steps) { return injector.type(idOf(notepad->window()), steps); }

    static Notepad* notepad;
    Win32WindowSystem windows;
    Win32KeyInjector injector;
};

Notepad* Win32TypingIntoNotepad::notepad = nullptr;

struct TextCase {
    const char* label;
    const char* keys;
    const char* text;
};

void PrintTo(const TextCase& c, std::ostream* out) { *out << c.label; }

class Win32TextIntoNotepad : public Win32TypingIntoNotepad, public ::testing::WithParamInterface<TextCase> {};

TEST_P(Win32TextIntoNotepad, ArrivesExactly) {
    ASSERT_EQ(type(keys(GetParam().keys)), TypingResult::Typed);
    EXPECT_EQ(notepad->text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, Win32TextIntoNotepad,
    ::testing::Values(
        TextCase{"Plain", "Hallo Welt 123", "Hallo Welt 123"},
        TextCase{"EnterAndTab", "Zeile 1~Zeile 2{TAB}Spalte~~", "Zeile 1\r\nZeile 2\tSpalte\r\n\r\n"},
        TextCase{"Umlauts", "äöüÄÖÜß", "äöüÄÖÜß"},
        TextCase{"Euro", "5 €", "5 €"},
        TextCase{"BeyondWindows1252", "Łódź, При ✓", "Łódź, При ✓"},
        TextCase{"BeyondUFFFF", "a😀b", "a😀b"},
        TextCase{"SpecialCharacters", "{~}{+}{^}{%}{(}{)}{[}{]}{{}{}}", "~+^%()[]{}"},
        // AltGr and dead keys on the German layout: typed as characters, they
        // arrive untouched.
        TextCase{"AltGrAndDeadKeys", "@\\|²³µ ´`°", "@\\|²³µ ´`°"},
        TextCase{"WholeEntry",
                 "Sehr geehrte Frau Müller,~{TAB}Größe {(}ca. 5 €{)} {[}ÄÖÜß{]} 1 {+} 1 {~} 2 {^} {%} {{}x{}}~Grüße",
                 "Sehr geehrte Frau Müller,\r\n\tGröße (ca. 5 €) [ÄÖÜß] 1 + 1 ~ 2 ^ % {x}\r\nGrüße"}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(Win32TypingIntoNotepad, LongTextArrivesCompleteAndInOrder) {
    // Characters that differ from their neighbours, and a line break every 70
    // characters, so that any lost, doubled or swapped key shows.
    const std::u32string alphabet = U"abcdefghijklmnopqrstuvwxyzäöüßABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜ0123456789€.,;:-!?ŁП✓";
    std::vector<KeyStep> steps;
    std::string expected;
    for (std::size_t i = 0; i < 6000; ++i) {
        if (i % 70 == 69) {
            steps.push_back({KeyStep::Kind::Enter, 0});
            expected += "\r\n";
        } else {
            const char32_t c = alphabet[(i * 7) % alphabet.size()];
            steps.push_back({KeyStep::Kind::Character, c});
            appendUtf8(expected, c);
        }
    }
    ASSERT_EQ(type(steps), TypingResult::Typed);
    const std::string text = notepad->text();
    ASSERT_EQ(text.size(), expected.size());
    EXPECT_TRUE(text == expected) << "first difference at " << std::mismatch(text.begin(), text.end(),
                                                                           expected.begin()).first - text.begin();
}

struct HeldCase {
    const char* label;
    WORD key;
    bool extended;  // Wine takes an injected Shift for the right one only with this flag
    WORD shared;  // the code the key also counts under
};

void PrintTo(const HeldCase& c, std::ostream* out) { *out << c.label; }

// Wine's X11 driver sets the modifiers to what the X server reports (none,
// under Xvfb) when a window gains the X focus (KeymapNotify), which would
// release a key the test holds. Typing once first lets notepad handle its
// focus events before the key is pressed; should a late one still release it,
// it is pressed again, as a held key repeats.
class Win32HeldModifier : public Win32TypingIntoNotepad, public ::testing::WithParamInterface<HeldCase> {
protected:
    void SetUp() override {
        Win32TypingIntoNotepad::SetUp();
        ASSERT_EQ(type(keys("x")), TypingResult::Typed);
        notepad->clear();
    }
};

// The letter b goes in as its key, where a held Shift would make it capital
// and a held Ctrl a control character; a held Alt, released alone, would put
// notepad into its menu bar.
TEST_P(Win32HeldModifier, IsReleasedBeforeTypingAndStaysUp) {
    const HeldCase& c = GetParam();
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = c.key;
    down.ki.wScan = static_cast<WORD>(MapVirtualKeyA(c.key, MAPVK_VK_TO_VSC));
    down.ki.dwFlags = c.extended ? KEYEVENTF_EXTENDEDKEY : 0;
    const auto held = [&] {
        if (!isDown(c.key)) SendInput(1, &down, sizeof down);
        return isDown(c.key);
    };
    ASSERT_TRUE(waitUntil(held));
    const std::vector<KeyStep> steps = {
        {KeyStep::Kind::Character, 'a'}, {KeyStep::Kind::Key, 'b'}, {KeyStep::Kind::Character, 'c'}};
    ASSERT_EQ(type(steps), TypingResult::Typed);
    EXPECT_EQ(notepad->text(), "abc");
    EXPECT_FALSE(isDown(c.key));
    EXPECT_FALSE(isDown(c.shared));
}

INSTANTIATE_TEST_SUITE_P(Keys, Win32HeldModifier,
                         ::testing::Values(HeldCase{"LeftShift", VK_LSHIFT, false, VK_SHIFT},
                                           HeldCase{"RightShift", VK_RSHIFT, true, VK_SHIFT},
                                           HeldCase{"LeftCtrl", VK_LCONTROL, false, VK_CONTROL},
                                           HeldCase{"RightCtrl", VK_RCONTROL, true, VK_CONTROL},
                                           HeldCase{"LeftAlt", VK_LMENU, false, VK_MENU},
                                           HeldCase{"AltGr", VK_RMENU, true, VK_MENU},
                                           HeldCase{"LeftWin", VK_LWIN, true, VK_LWIN}),
                         [](const auto& p) { return std::string(p.param.label); });

}  // namespace
}  // namespace scrivlet::test
