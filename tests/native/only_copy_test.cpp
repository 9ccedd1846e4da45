// One running copy per user session: a later start shows the running copy's
// main window and ends, at logon it ends without a word, and a copy that
// cannot be reached is named to the user.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "app/only_copy.h"
#include "native/main_window_story.h"

namespace scrivlet {
namespace {

using test::snippetFile;

struct OnlyCopyStory : test::MainWindowStory {
    // The program runs in the notification area, its window hidden.
    void startFirstCopy() {
        startWith(snippetFile({{"Brief", "Hallo"}}));
        ASSERT_FALSE(form().visible());
    }
    // The user starts the program again in the same session.
    bool startAgain(const std::string& commandLine) {
        SimSingleInstance second(sim.session, sim.ui);
        sim.system.commandLine_ = commandLine;
        return startsAsOnlyCopy(second, sim.system, sim.dialogs);
    }
    WindowId mainWindow() { return sim.ui.windowOf(form()); }
};

struct SecondStart {
    const char* label;
    const char* commandLine;
    // What the running copy is doing when the user starts the program again.
    std::function<void(OnlyCopyStory&)> before;
    bool shown;
    // The message the later start shows, or none.
    MessageIcon icon;
    const char* says;
};

[[maybe_unused]] void PrintTo(const SecondStart& c, std::ostream* out) { *out << c.label; }

void showByIcon(OnlyCopyStory& s) { s.sim.tray.iconMessage(NotificationArea::RightButtonDown); }

const SecondStart SecondStarts[] = {
    {"HiddenInTheNotificationArea", "", [](OnlyCopyStory&) {}, true, MessageIcon::None, ""},
    {"Minimised", "",
     [](OnlyCopyStory& s) {
         showByIcon(s);
         s.form().setWindowState(ui::WindowState::Minimized);
     },
     true, MessageIcon::None, ""},
    {"BehindAnotherProgram", "",
     [](OnlyCopyStory& s) {
         showByIcon(s);
         s.sim.windows.open("Unbenannt - Editor", SimWindowSystem::Kind::Notepad);
     },
     true, MessageIcon::None, ""},
    {"AtLogon", "/AUTOSTART", [](OnlyCopyStory&) {}, false, MessageIcon::None, ""},
    {"AtLogonInOtherLetters", "/autostart debug", [](OnlyCopyStory&) {}, false, MessageIcon::None, ""},
    {"RunAsAdministrator", "", [](OnlyCopyStory& s) { s.sim.session.answer = SimSession::Answer::AsAdministrator; },
     false, MessageIcon::Information, "aber mit Administratorrechten"},
    {"RunAsAdministratorAtLogon", "/AUTOSTART",
     [](OnlyCopyStory& s) { s.sim.session.answer = SimSession::Answer::AsAdministrator; }, false,
     MessageIcon::None, ""},
    {"Hanging", "", [](OnlyCopyStory& s) { s.sim.session.answer = SimSession::Answer::Hangs; }, false,
     MessageIcon::Warning, "antwortet aber nicht"},
};

class EverySecondStart : public OnlyCopyStory, public ::testing::WithParamInterface<SecondStart> {};

TEST_P(EverySecondStart, EndsAndShowsTheRunningCopyOrSaysWhyNot) {
    const SecondStart& c = GetParam();
    startFirstCopy();
    c.before(*this);
    const bool visibleBefore = form().visible();

    EXPECT_FALSE(startAgain(c.commandLine));

    if (c.shown) {
        EXPECT_TRUE(form().visible());
        EXPECT_EQ(form().windowState(), ui::WindowState::Normal);
        EXPECT_EQ(sim.windows.foreground(), mainWindow());
    } else {
        EXPECT_EQ(form().visible(), visibleBefore);
    }
    if (c.icon == MessageIcon::None) {
        EXPECT_TRUE(messages().empty()) << messages().front().text;
    } else {
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages().front().icon, c.icon);
        EXPECT_EQ(messages().front().caption, form().caption());
        EXPECT_NE(messages().front().text.find(c.says), std::string::npos) << messages().front().text;
    }
    // The running copy goes on as before.
    EXPECT_FALSE(form().unloaded());
    EXPECT_FALSE(sim.ui.quitRequested);
}

INSTANTIATE_TEST_SUITE_P(Starts, EverySecondStart, ::testing::ValuesIn(SecondStarts),
                         [](const auto& p) { return std::string(p.param.label); });

TEST_F(OnlyCopyStory, AMaximisedWindowStaysMaximised) {
    startFirstCopy();
    showByIcon(*this);
    form().setWindowState(ui::WindowState::Maximized);
    sim.windows.open("Unbenannt - Editor", SimWindowSystem::Kind::Notepad);
    EXPECT_FALSE(startAgain(""));
    EXPECT_EQ(form().windowState(), ui::WindowState::Maximized);
    EXPECT_EQ(sim.windows.foreground(), mainWindow());
}

TEST_F(OnlyCopyStory, TheFirstStartRunsAndHoldsTheSession) {
    EXPECT_TRUE(startsAsOnlyCopy(sim.single, sim.system, sim.dialogs));
    EXPECT_TRUE(messages().empty());
    SimSingleInstance later(sim.session, sim.ui);
    EXPECT_FALSE(later.first());
}

TEST_F(OnlyCopyStory, AStartWhileTheRunningCopyEndsRunsInItsPlace) {
    startFirstCopy();
    SimSingleInstance second(sim.session, sim.ui);
    ASSERT_FALSE(second.first());
    choose(form().mDatei, form().miQuit);
    ASSERT_TRUE(form().unloaded());
    sim.session.held = false;  // its process has ended

    EXPECT_TRUE(startsAsOnlyCopy(second, sim.system, sim.dialogs));
    EXPECT_TRUE(messages().empty());
    SimSingleInstance third(sim.session, sim.ui);
    EXPECT_FALSE(third.first());
}

TEST_F(OnlyCopyStory, ACopyThatShowsNoWindowInTimeIsNamed) {
    // The name is held (by the platform's first copy), but no main window came.
    EXPECT_FALSE(startAgain(""));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages().front().text.find("antwortet aber nicht"), std::string::npos);
}

}  // namespace
}  // namespace scrivlet
