#include <gtest/gtest.h>

#include "native/main_window_story.h"
#include <algorithm>

#include "tracking/own_caption.h"
#include "tracking/target_tracker.h"
#include "version.h"

namespace scrivlet {
namespace {

using Kind = SimWindowSystem::Kind;

// A tracker over the simulated desktop, on which the program's own windows
// stand as well.
struct TrackerTest : test::MainWindowStory {
    void SetUp() override { startWith(""); }
    SimWindowSystem& desktop() { return sim.windows; }
    TargetTracker& tracker() { return tracker_; }
    std::vector<std::string> ignoreList{"", "DFÜ-Netzwerkmonitor"};
    TargetTracker tracker_{sim.windows, ignoreList, ownCaption("", true)};
};

TEST_F(TrackerTest, TheFirstQualifyingWindowBelowTheForegroundIsTheTarget) {
    const WindowId notepad = desktop().open("Unbenannt - Editor", Kind::Notepad);
    desktop().open("", Kind::Other);                                  // the taskbar: no title
    const WindowId hidden = desktop().open("Versteckt", Kind::Other, false);
    desktop().open("netzwerk");                                        // part of an ignored title
    desktop().activate(sim.ui.windowOf(form()));                      // the program's own window in front
    std::vector<std::string> titles;
    tracker().onTitles = [&titles](const std::vector<std::string>& t) { titles = t; };
    EXPECT_EQ(tracker().capture(), notepad);
    EXPECT_EQ(titles, std::vector<std::string>{"Unbenannt - Editor"});
    desktop().window(hidden).visible = true;
    desktop().activate(hidden);
    EXPECT_EQ(tracker().capture(), hidden);
}

TEST_F(TrackerTest, IgnoringIsContainmentInTheJoinedList) {
    const struct {
        std::string title;
        bool qualifies;
    } cases[] = {{"netzwerk", false},      {"DFÜ-Netzwerkmonitor", false}, {"dfü-netzwerkmonitor", false},
                 {"DFÜ-Netzwerkmonitor (2)", true}, {"Editor", true},  {ownCaption("Debugger", true), false},
                 {ownCaption("", false), true}};  // the other family's prefix is a foreign window
    for (const auto& c : cases) {
        const WindowId w = desktop().open(c.title);
        EXPECT_EQ(tracker().capture() == w, c.qualifies) << c.title;
        desktop().close(w);
    }
}

TEST_F(TrackerTest, AnEmptyIgnoreListSkipsNothing) {
    ignoreList.assign(1, "");
    const WindowId w = desktop().open("netzwerk");
    EXPECT_EQ(tracker().capture(), w);
}

TEST_F(TrackerTest, TitlesAreJudgedByTheirFirst127Characters) {
    const std::string longTitle = std::string(127, 'x') + ownCaption("", true);
    const WindowId w = desktop().open(longTitle);
    EXPECT_EQ(tracker().capture(), w);
    EXPECT_EQ(windowTitle(desktop(), w).size(), 127u);
}

TEST_F(TrackerTest, PollingKeepsTheLastTargetWhileMenuRequestsAlwaysDecide) {
    const WindowId notepad = desktop().open("Editor", Kind::Notepad);
    tracker().pollTick();
    EXPECT_EQ(tracker().lastTargetWindow, notepad);
    desktop().close(notepad);
    tracker().pollTick();
    EXPECT_EQ(tracker().lastTargetWindow, notepad);
    tracker().captureForMenu();
    EXPECT_EQ(tracker().lastTargetWindow, 0u);
}

TEST(PollTimer, RunsOnlyOutsideTheNtFamily) {
    for (unsigned platformId : {1u, 2u}) {
        test::SimDesktop desk;
        desk.sim.system.platformId_ = platformId;
        desk.writeFile(test::SimDesktop::StandardFile, "[Name]\r\n1=Gruß\r\n[Text]\r\n1=Hallo\r\n");
        Program program(desk.sim.table());
        program.start();
        const WindowId notepad = desk.sim.windows.open("Editor", Kind::Notepad);
        desk.sim.ui.advance(1000);
        // A poll tick is a capture: it shows its titles in the debugger.
        const bool polled = std::any_of(desk.sim.ui.realized.begin(), desk.sim.ui.realized.end(),
                                        [](ui::Form* f) { return f->name() == "DebFrm"; });
        EXPECT_EQ(polled, platformId != 2) << platformId;
        // Outside the NT family the menu takes the polled window, whatever is
        // in front when it opens.
        const WindowId calculator = desk.sim.windows.open("Rechner", Kind::Notepad);
        desk.sim.ui.whenMenu([](ui::Menu& m) { test::MainWindowStory::clickItem(m, "Gruß"); });
        desk.sim.tray.iconMessage(NotificationArea::LeftButtonDown);
        EXPECT_EQ(desk.sim.windows.window(platformId == 2 ? calculator : notepad).text, "Hallo") << platformId;
        for (ui::Form* f : desk.sim.ui.realized) {
            if (f->name() == "MainForm") {
                EXPECT_EQ(f->caption(), (platformId == 2 ? "• Scrivlet " : ":: Scrivlet ") + std::string(VersionShort));
            }
        }
    }
}

}  // namespace
}  // namespace scrivlet
