#include <gtest/gtest.h>

#include "mainwindow/window_placement.h"
#include "native/main_window_story.h"

namespace scrivlet {
namespace {

struct LayoutTest : test::MainWindowStory {
    void SetUp() override { startWith(""); }
    ui::Rect design() { return {0, 0, 9255 + 240, 5790 + (16 + 23 + 20) * 15}; }
};

TEST_F(LayoutTest, GrowingMovesAndStretchesTheControls) {
    MainForm& f = form();
    ui::Rect r = f.geometry();
    f.setGeometry({r.left, r.top, r.width + 1440, r.height + 1440});
    EXPECT_EQ(f.textFrame.geometry(), (ui::Rect{2880, 120, 5175 + 1440, 5355 + 1440}));
    EXPECT_EQ(f.ghostTextTB.geometry(), (ui::Rect{120, 300, 4935 + 1440, 3915 + 1440}));
    EXPECT_EQ(f.steuerungsFrame.geometry(), (ui::Rect{8160 + 1440, 120, 1035, 5355 + 1440}));
    EXPECT_EQ(f.listenFrame.geometry(), (ui::Rect{60, 120, 2715, 5355 + 1440}));
    EXPECT_EQ(f.lbEntryList.geometry(), (ui::Rect{120, 300, 2475, 3900 + 1440}));
    EXPECT_EQ(f.container1.geometry(), (ui::Rect{120, 4320 + 1440, 2535, 975}));
    EXPECT_EQ(f.container2.geometry(), (ui::Rect{120, 4320 + 1440, 4935, 975}));
    EXPECT_EQ(f.btnOptions.geometry(), (ui::Rect{90, 4320, 855, 915}));  // stays at the top of its column
}

TEST_F(LayoutTest, TheWindowNeverGetsSmallerThanAtLoad) {
    MainForm& f = form();
    const ui::Rect atLoad = f.geometry();
    f.setGeometry({atLoad.left, atLoad.top, atLoad.width - 500, atLoad.height + 300});
    EXPECT_EQ(f.geometry().width, atLoad.width);
    EXPECT_EQ(f.geometry().height, atLoad.height + 300);
    EXPECT_EQ(f.ghostTextTB.geometry().height, 3915 + 300);
    f.setGeometry({atLoad.left, atLoad.top, atLoad.width + 100, atLoad.height - 1});
    EXPECT_EQ(f.geometry().height, atLoad.height);
    EXPECT_EQ(f.ghostTextTB.geometry().width, 4935 + 100);
}

TEST_F(LayoutTest, MinimisingRunsNoPass) {
    MainForm& f = form();
    const ui::Rect r = f.geometry();
    f.setGeometry({r.left, r.top, r.width + 600, r.height + 600});
    const int clientWidth = f.clientWidth(), clientHeight = f.clientHeight();
    f.reportGeometry({r.left, r.top, 2400, 400}, 0, 0, ui::WindowState::Minimized);
    EXPECT_EQ(f.ghostTextTB.geometry().width, 4935 + 600);
    f.reportGeometry({r.left, r.top, r.width + 600, r.height + 600}, clientWidth, clientHeight,
                     ui::WindowState::Normal);
    EXPECT_EQ(f.ghostTextTB.geometry().width, 4935 + 600);
}

struct PlacementTest : test::MainWindowStory {
    // A 1024 x 768 screen: 15360 x 11520 twips.
    PlacementTest() { sim.ui.screenInfo = {1024, 768, 96, 96}; }
    void stored(int top, int left, int width, int height) {
        UserSettings s(sim.registry);
        EXPECT_EQ(s.save("_Top", std::to_string(top)), WriteResult::Ok);
        EXPECT_EQ(s.save("_Left", std::to_string(left)), WriteResult::Ok);
        EXPECT_EQ(s.save("_Width", std::to_string(width)), WriteResult::Ok);
        EXPECT_EQ(s.save("_Height", std::to_string(height)), WriteResult::Ok);
    }
    static constexpr int W = 9255 + 240, H = 5790 + 59 * 15;
    static constexpr int CentredLeft = (15360 - W) / 2, CentredTop = (11520 - H) / 2;
};

TEST_F(PlacementTest, StoredValuesAreUsedOnlyWhereTheyFit) {
    const struct {
        int top, left, width, height;
        ui::Rect expected;
    } cases[] = {
        {-1, -1, -1, -1, {CentredLeft, CentredTop, W, H}},             // first start
        {0, 0, W + 15, H + 15, {0, 0, W + 15, H + 15}},                 // the corner is valid
        {11520, 0, W, H, {CentredLeft, CentredTop, W, H}},              // top at the screen height
        {11519, 0, W, H, {0, 11519, W, H}},                             // one twip less; height too tall
        {11520 - H - 30, 30, W, H + 30, {30, 11520 - H - 30, W, H + 30}},  // exactly filling
        {11520 - H - 30, 30, W, H + 31, {30, 11520 - H - 30, W, H}},    // one twip more
        {100, 200, 0, -5, {200, 100, W, H}},                             // no width, position kept
        {100, 15360, W, H, {CentredLeft, CentredTop, W, H}},             // left off screen
        {100, 200, 2000, 1000, {200, 100, W, H}},                        // too small: snaps back
    };
    for (const auto& c : cases) {
        sim.registry.deleteValue(RegistryHive::CurrentUser, UserSettings::Key, "_Top");
        if (c.top != -1) stored(c.top, c.left, c.width, c.height);
        startWith("");
        EXPECT_EQ(form().geometry(), c.expected) << c.top << "/" << c.left << "/" << c.width << "/" << c.height;
    }
}

TEST_F(PlacementTest, QuittingSavesThePlacementEvenWhenHidden) {
    startWith("");
    form().setGeometry({300, 450, W + 60, H + 90});
    form().btnOk.click();
    EXPECT_FALSE(form().visible());
    form().miQuit.click();
    UserSettings s(sim.registry);
    EXPECT_EQ(s.get("_Top", ""), "450");
    EXPECT_EQ(s.get("_Left", ""), "300");
    EXPECT_EQ(s.get("_Width", ""), std::to_string(W + 60));
    startWith("");
    EXPECT_EQ(form().geometry(), (ui::Rect{300, 450, W + 60, H + 90}));
}

TEST(PlaceBeside, FiftyPixelsRightAndBelow) {
    SimUi ui;
    ui::Form main(ui, "Main", 1000, 1000, {}), dialog(ui, "Dialog", 500, 500, {});
    main.setGeometry({3000, 1500, 2000, 2000});
    // At 100 % and 125 %, and at 200 % and 175 %, where no whole number of
    // twips makes a pixel.
    const struct {
        int dpiX, dpiY, right, down;
    } cases[] = {{96, 120, 750, 600}, {192, 168, 375, 429}};
    for (const auto& c : cases) {
        placeBesideMainWindow(dialog, main, {1024, 768, c.dpiX, c.dpiY});
        EXPECT_EQ(dialog.geometry().left, 3000 + c.right) << c.dpiX;
        EXPECT_EQ(dialog.geometry().top, 1500 + c.down) << c.dpiY;
    }
}

}  // namespace
}  // namespace scrivlet
