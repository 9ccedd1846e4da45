#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "native/main_window_story.h"
#include "options/options_form.h"
#include "popup/popup_menu.h"
#include "tracking/own_caption.h"

namespace scrivlet {
namespace {

using Kind = SimWindowSystem::Kind;

// What a menu shows: visible items as "caption|tag" (no tag shown for 0),
// submenus in brackets.
std::vector<std::string> shown(ui::Menu& menu) {
    std::vector<std::string> rows;
    for (const auto& item : menu.items()) {
        if (!item->visible()) continue;
        std::string row = item->caption() + "|" + (item->tag ? std::to_string(item->tag) : "") +
                          (item->isDefault() ? "|bold" : "");
        if (ui::Menu* sub = item->submenu()) {
            row += " [";
            for (const auto& inner : shown(*sub)) row += inner + ";";
            row += "]";
        }
        rows.push_back(row);
    }
    return rows;
}

struct PopupTest : test::MainWindowStory {
    void names(std::initializer_list<const char*> list, const char* options = "") {
        std::string file = "[Name]\r\n";
        int n = 0;
        for (const char* name : list) file += std::to_string(++n) + "=" + name + "\r\n";
        startWith(file + "[Common]\r\n" + options);
    }
    // The menus as the pop-up menu keeps them, built from the snippet file;
    // each start of the program begins with none.
    ui::Menu& build(bool cascade) {
        if (builtAt_ != starts) {
            builtAt_ = starts;
            menus_.emplace(sim.files);
            path = StandardFile;
        }
        snippets.setPath(path);
        return menus_->build(snippets, cascade);
    }
    PopupMenus& menus() { return *menus_; }
    std::string path = StandardFile;
    IniAccess ini{sim.profile};
    SnippetFile snippets{ini, sim.random};

private:
    std::optional<PopupMenus> menus_;
    int builtAt_ = -1;
};

const std::vector<std::string> FixedItems = {"-|-1", "&Öffnen|-2|bold", "&Beenden|-3", "&Abbrechen|-4"};

std::vector<std::string> withFixed(std::vector<std::string> rows) {
    rows.insert(rows.end(), FixedItems.begin(), FixedItems.end());
    return rows;
}

TEST_F(PopupTest, FlatMenuSortsByCharacterCode) {
    names({"beta", "Alpha", "alpha", "Zeta", "10 Uhr", "Äpfel"});
    EXPECT_EQ(shown(build(false)), withFixed({"10 Uhr|5", "Alpha|2", "Zeta|4", "alpha|3", "beta|1", "Äpfel|6"}));
}

TEST_F(PopupTest, CascadedMenuGroupsByFirstCharacter) {
    names({"beta", "Alpha", "alpha", "Zeta", "10 Uhr", "Äpfel"});
    EXPECT_EQ(shown(build(true)), withFixed({"&0-9| [10 Uhr|5;Äpfel|6;]", "&A| [Alpha|2;alpha|3;]",
                                             "&B| [beta|1;]", "&Z| [Zeta|4;]"}));
}

TEST_F(PopupTest, EdgeCasesOfNamesAndNumbers) {
    const struct {
        std::vector<const char*> names;
        std::vector<std::string> flat;
        std::vector<std::string> cascaded;
    } cases[] = {
        {{"x", "Gruß", "y", "z", "a", "b", "c", "d", "e", "Gruß"},
         {"Gruß|10", "Gruß|2", "a|5", "b|6", "c|7", "d|8", "e|9", "x|1", "y|3", "z|4"}, {}},
        {{"Test 2", "Test"}, {"Test|2", "Test 2|1"}, {"&T| [Test|2;Test 2|1;]"}},
        {{"A&B"}, {"A&B|1"}, {"&A| [A&B|1;]"}},
        {{"-"}, {"-|1"}, {"&0-9| [-|1;]"}},
        {{"élan", "ßtraße"}, {"ßtraße|2", "élan|1"}, {"&0-9| [ßtraße|2;élan|1;]"}},
        {{}, {}, {}},
    };
    for (const auto& c : cases) {
        std::string file = "[Name]\r\n";
        for (std::size_t i = 0; i < c.names.size(); ++i) file += std::to_string(i + 1) + "=" + c.names[i] + "\r\n";
        startWith(file);
        EXPECT_EQ(shown(build(false)), withFixed(c.flat));
        if (!c.cascaded.empty() || c.names.empty()) {
            EXPECT_EQ(shown(build(true)), withFixed(c.cascaded));
        }
    }
}

TEST_F(PopupTest, AGapInNamesEndsTheMenu) {
    startWith("[Name]\r\n1=eins\r\n2=zwei\r\n4=vier\r\n");
    EXPECT_EQ(shown(build(false)), withFixed({"eins|1", "zwei|2"}));
}

TEST_F(PopupTest, RebuildingClearsOnlyTheCurrentLayout) {
    names({"eins", "zwei"});
    build(true);
    build(false);
    sim.files.writeAll(StandardFile, "[Name]\r\n1=neu\r\n");
    EXPECT_EQ(shown(build(true)), withFixed({"&N| [neu|1;]"}));
    EXPECT_EQ(shown(menus().flat()), withFixed({"eins|1", "zwei|2"}));
}

// What happens between two openings of the menu: whether the second one
// reads the file again, and what it shows (the fixed items left out).
struct BetweenOpenings {
    const char* label;
    std::function<void(PopupTest&)> change;
    bool cascade;
    bool readsAgain;
    std::vector<std::string> shows;
};

std::string replaced(std::string bytes, const std::string& from, const std::string& to) {
    bytes.replace(bytes.find(from), from.size(), to);
    return bytes;
}

TEST_F(PopupTest, TheMenuIsReadAgainExactlyWhenTheFileOrTheLayoutChanged) {
    const auto host = [](PopupTest& t) { return *t.sim.files.hostPath(StandardFile); };
    const BetweenOpenings cases[] = {
        {"Unchanged", [](PopupTest&) {}, false, false, {"eins|1", "zwei|2"}},
        {"EntryAddedByAnotherProgram",
         [](PopupTest& t) { t.sim.files.writeAll(StandardFile, "[Name]\r\n1=eins\r\n2=zwei\r\n3=drei\r\n"); },
         false, true, {"drei|3", "eins|1", "zwei|2"}},
        // The same size: only the write time tells.
        {"RenamedByAnotherProgram",
         [](PopupTest& t) {
             t.sim.files.writeAll(StandardFile, replaced(t.fileText(StandardFile), "=zwei", "=drei"));
         },
         false, true, {"drei|2", "eins|1"}},
        // Within one tick of the file's clock: only the program knows.
        {"RenamedByTheProgramItself",
         [&](PopupTest& t) {
             const auto before = std::filesystem::last_write_time(host(t));
             ASSERT_EQ(t.snippets.writeField(1, "Name", "acht"), WriteResult::Ok);
             std::filesystem::last_write_time(host(t), before);
         },
         false, true, {"acht|1", "zwei|2"}},
        {"FileRemoved", [](PopupTest& t) { t.sim.files.remove(StandardFile); }, false, true, {}},
        {"OtherFileChosen",
         [](PopupTest& t) {
             t.writeFile("C:\\Daten\\Scrivlet.ini", "[Name]\r\n1=fremd\r\n");
             t.path = "C:\\Daten\\Scrivlet.ini";
         },
         false, true, {"fremd|1"}},
        {"CascadeSwitchedOn", [](PopupTest&) {}, true, true, {"&E| [eins|1;]", "&Z| [zwei|2;]"}},
        // Each layout keeps what it was built from.
        {"CascadeSwitchedOnAndOffAgain", [](PopupTest& t) { t.build(true); }, false, false, {"eins|1", "zwei|2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        names({"eins", "zwei"});
        build(false);
        c.change(*this);
        const std::size_t reads = sim.profile.reads();
        ui::Menu& menu = build(c.cascade);
        EXPECT_EQ(sim.profile.reads() > reads, c.readsAgain);
        EXPECT_EQ(shown(menu), withFixed(c.shows));
    }
}

TEST_F(PopupTest, TheMenuIsReadyWhenTheStartIsOver) {
    for (const bool cascade : {false, true}) {
        names({"eins", "zwei"}, cascade ? "PumMode=1\r\n" : "PumMode=0\r\n");
        const std::string caption = cascade ? "PumMain 2 (cascade)" : "PumMain 1";
        // Not while the program starts, but a moment afterwards.
        const std::size_t prepared = sim.ui.menusPrepared.size();
        sim.ui.advance(500);
        ASSERT_EQ(sim.ui.menusPrepared.size(), prepared + 1);
        EXPECT_EQ(sim.ui.menusPrepared.back(), caption);
        const std::size_t reads = sim.profile.reads();
        sim.tray.iconMessage(NotificationArea::LeftButtonDown);
        EXPECT_EQ(sim.profile.reads(), reads) << caption;
        EXPECT_EQ(sim.ui.menusShown.back(), caption);
    }
}

TEST_F(PopupTest, ARebuiltMenuShowsTheNewNamesWhereverTheyChanged) {
    const struct {
        std::vector<const char*> before, after;
        std::vector<std::string> flat, cascaded;
    } cases[] = {
        {{"a", "b", "c"}, {"a", "x", "c"}, {"a|1", "c|3", "x|2"}, {"&A| [a|1;]", "&C| [c|3;]", "&X| [x|2;]"}},
        {{"a", "b", "c"}, {"a", "c"}, {"a|1", "c|2"}, {"&A| [a|1;]", "&C| [c|2;]"}},
        {{"a", "b"}, {"b", "a"}, {"a|2", "b|1"}, {"&A| [a|2;]", "&B| [b|1;]"}},
        {{"a1", "a2", "a3"}, {"a1", "a0", "a3"}, {"a0|2", "a1|1", "a3|3"}, {"&A| [a0|2;a1|1;a3|3;]"}},
        {{"a", "b"}, {}, {}, {}},
        {{}, {"a"}, {"a|1"}, {"&A| [a|1;]"}},
    };
    for (const auto& c : cases) {
        std::string before = "[Name]\r\n", after = "[Name]\r\n";
        for (std::size_t i = 0; i < c.before.size(); ++i) before += std::to_string(i + 1) + "=" + c.before[i] + "\r\n";
        for (std::size_t i = 0; i < c.after.size(); ++i) after += std::to_string(i + 1) + "=" + c.after[i] + "\r\n";
        startWith(before);
        build(false);
        build(true);
        sim.files.writeAll(StandardFile, after);
        EXPECT_EQ(shown(build(false)), withFixed(c.flat)) << after;
        EXPECT_EQ(shown(build(true)), withFixed(c.cascaded)) << after;
    }
}

TEST_F(PopupTest, ALeftPressOpensTheMenuInFrontOfTheWindowTheUserWorkedIn) {
    names({"Gruß"});
    writeFile(StandardFile, "[Name]\r\n1=Gruß\r\n[Text]\r\n1=Hallo\\N\r\n[Ignore]\r\n1=x\r\n");
    const WindowId notepad = sim.windows.open("Unbenannt - Editor", Kind::Notepad);
    std::vector<std::string> menu;
    sim.ui.whenMenu([&](ui::Menu& m) {
        menu = shown(m);
        EXPECT_EQ(sim.windows.foreground(), sim.ui.windowOf(form()));  // the program's window is in front
        EXPECT_FALSE(form().visible());                                // yet stays hidden
        m.item(0).click();
    });
    EXPECT_TRUE(sim.tray.iconMessage(NotificationArea::LeftButtonDown));
    EXPECT_EQ(menu, withFixed({"Gruß|1"}));
    EXPECT_EQ(sim.windows.window(notepad).text, "Hallo\r\n");
}

TEST_F(PopupTest, IconMessagesActOnPressesOnly) {
    names({"eins"});
    const struct {
        unsigned lParam;
        int menus;
        bool visible;
    } cases[] = {
        {NotificationArea::LeftButtonDown, 1, false}, {NotificationArea::LeftButtonUp, 0, false},
        {NotificationArea::LeftDoubleClick, 0, false}, {NotificationArea::RightButtonDown, 0, true},
        {NotificationArea::RightButtonUp, 0, false},
        {NotificationArea::RightDoubleClick, 0, false}, {0x200, 0, false}, {0x207, 0, false},
    };
    for (const auto& c : cases) {
        form().hide();
        const std::size_t before = sim.ui.menusShown.size();
        sim.tray.iconMessage(c.lParam);
        EXPECT_EQ(sim.ui.menusShown.size() - before, static_cast<std::size_t>(c.menus)) << c.lParam;
        EXPECT_EQ(form().visible(), c.visible) << c.lParam;
    }
}

TEST_F(PopupTest, TheRightButtonTogglesAndRestoresTheMainWindow) {
    names({"eins"});
    sim.tray.iconMessage(NotificationArea::RightButtonDown);
    EXPECT_TRUE(form().visible());
    sim.tray.iconMessage(NotificationArea::RightButtonDown);
    EXPECT_FALSE(form().visible());
    form().setWindowState(ui::WindowState::Minimized);
    sim.tray.iconMessage(NotificationArea::RightButtonDown);
    EXPECT_TRUE(form().visible());
    EXPECT_EQ(form().windowState(), ui::WindowState::Normal);
}

TEST_F(PopupTest, FixedItemsDoWhatTheySay) {
    names({"eins"});
    form().setWindowState(ui::WindowState::Minimized);
    ASSERT_TRUE(chooseFromIconMenu("&Öffnen"));
    EXPECT_TRUE(form().visible());
    EXPECT_EQ(form().windowState(), ui::WindowState::Minimized);  // shown, not restored
    form().hide();
    for (const char* item : {"-", "&Abbrechen"}) ASSERT_TRUE(chooseFromIconMenu(item));
    EXPECT_FALSE(form().visible());
    EXPECT_FALSE(form().unloaded());
    sim.ui.whenMenu([](ui::Menu& m) { m.item(m.size() - 2).click(); });  // "&Beenden"
    sim.tray.iconMessage(NotificationArea::LeftButtonDown);
    EXPECT_TRUE(form().unloaded());
    EXPECT_TRUE(sim.tray.icons.empty());
}

TEST_F(PopupTest, FlatAndCascadedChoicesSendTheSameEntry) {
    startWith("[Name]\r\n1=zwei\r\n2=Eins\r\n[Text]\r\n1=2\r\n2=1\r\n[Common]\r\nPumMode=1\r\n");
    const WindowId notepad = sim.windows.open("Editor", Kind::Notepad);
    sim.ui.whenMenu([](ui::Menu& m) { m.item(5).submenu()->item(0).click(); });  // "&E" -> "Eins"
    sim.tray.iconMessage(NotificationArea::LeftButtonDown);
    shownForm<OptionsForm>("OptionsForm")->pumModeChk.click();  // the flat menu from now on
    sim.windows.activate(notepad);
    sim.ui.whenMenu([](ui::Menu& m) { m.item(0).click(); });  // "Eins" sorts first
    sim.tray.iconMessage(NotificationArea::LeftButtonDown);
    EXPECT_EQ(sim.windows.window(notepad).text, "11");
}

TEST_F(PopupTest, TheIconComesBackWhenTheTaskbarIsRecreated) {
    names({"eins"});
    EXPECT_EQ(sim.tray.icons, (std::map<unsigned, std::string>{{0, "Scrivlet"}}));
    sim.tray.restartTaskbar();
    EXPECT_EQ(sim.tray.icons, (std::map<unsigned, std::string>{{0, "Scrivlet"}}));
}

TEST_F(PopupTest, DebugModeLeavesIconAndHookOut) {
    sim.system.commandLine_ = " Debug ";
    names({"eins"});
    EXPECT_TRUE(form().visible());
    EXPECT_TRUE(sim.tray.icons.empty());
    EXPECT_EQ(sim.tray.hookedWindow, 0u);
}

TEST_F(PopupTest, WithoutIconOrStripTheWindowStaysVisible) {
    sim.tray.refuses = true;
    names({"eins"});
    EXPECT_TRUE(form().visible());
}

TEST_F(PopupTest, TheStripCoversTheChosenEdge) {
    sim.ui.screenInfo = {1024, 768, 96, 96};
    const struct {
        int position;
        ui::Rect pixels;
    } cases[] = {{0, {0, 0, 1024, 1}}, {1, {0, 767, 1024, 1}}, {2, {0, 0, 1, 768}}, {3, {1023, 0, 1, 768}}};
    for (const auto& c : cases) {
        names({"eins"}, ("PumActViaBorder=1\r\nPumActPos=" + std::to_string(c.position) +
                         "\r\nPumActBorderCol=255\r\n").c_str());
        ui::Form& strip = *shownForm("MoveOverFrm");
        EXPECT_TRUE(strip.visible());
        const ui::Rect r = strip.geometry();
        EXPECT_EQ((ui::Rect{r.left / 15, r.top / 15, r.width / 15, r.height / 15}), c.pixels) << c.position;
        EXPECT_EQ(strip.backColour(), 0x0000FFu);
        EXPECT_EQ(strip.caption(), ownCaption("Satellit", true));
    }
    names({"eins"}, "PumActViaBorder=0\r\n");
    EXPECT_FALSE(shownForm("MoveOverFrm")->visible());
}

TEST_F(PopupTest, TheStripOpensTheMenuByMouseOverOrByClick) {
    for (int byClick : {0, 1}) {
        names({"eins"}, ("PumActViaBorder=1\r\nPumActBorderByClick=" + std::to_string(byClick) + "\r\n").c_str());
        ui::Form& strip = *shownForm("MoveOverFrm");
        const std::size_t before = sim.ui.menusShown.size();
        strip.mouseMove({});
        EXPECT_EQ(sim.ui.menusShown.size() - before, byClick ? 0u : 1u);
        strip.mouseDown({ui::MouseButton::Left, 0, {}});
        EXPECT_EQ(sim.ui.menusShown.size() - before, 1u);
        strip.mouseDown({ui::MouseButton::Right, 0, {}});
        EXPECT_EQ(form().visible(), byClick == 1);
    }
}

}  // namespace
}  // namespace scrivlet
