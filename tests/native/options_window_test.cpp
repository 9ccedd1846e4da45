// The options dialog as the user meets it: made hidden at start, opened from
// the main window, its choices in effect at once and in the file after "&OK".
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "native/main_window_story.h"
#include "options/options_form.h"
#include "tracking/own_caption.h"

namespace scrivlet {
namespace {

using test::snippetFile;

struct OptionsStory : test::MainWindowStory {
    void startWithOptions(const std::string& common) {
        startWith(snippetFile({{"Brief", "Hallo"}, {"Adresse", "Hauptstraße 1"}}) + "[Common]\r\n" + common);
    }
    OptionsForm& dialog() { return lastingForm<OptionsForm>("OptionsForm"); }
    ui::Form& strip() { return lastingForm("MoveOverFrm"); }
    std::string common(const std::string& key, const std::string& file = StandardFile) {
        return sim.profile.readString("Common", key, "<none>", file, 32767);
    }
    // The dialog's top-left corner lies 50 pixels right of and below the main window's.
    ui::Rect besideMainWindow() {
        const ui::Rect main = form().geometry();
        const ui::Rect d = dialog().geometry();
        return {main.left + 50 * 15, main.top + 50 * 15, d.width, d.height};
    }
    std::vector<int> selected(ui::OptionButton& (OptionsForm::*option)(int), int count) {
        std::vector<int> on;
        for (int i = 0; i < count; ++i)
            if ((dialog().*option)(i).value()) on.push_back(i);
        return on;
    }
    ui::Rect stripPixels() {
        const ui::Rect g = strip().geometry();
        return {g.left / 15, g.top / 15, g.width / 15, g.height / 15};
    }
};

// ---- made at start, filled by every load

TEST_F(OptionsStory, IsMadeHiddenAtStartWithThePathAndCaption) {
    startWithOptions("");
    ASSERT_NE(shownForm<OptionsForm>("OptionsForm"), nullptr);
    EXPECT_TRUE(dialog().realized());
    EXPECT_FALSE(dialog().visible());
    EXPECT_EQ(dialog().caption(), ownCaption("Optionen", true));
    EXPECT_EQ(dialog().pathTB.text(), StandardFile);
    EXPECT_EQ(dialog().icon(), ui::Picture::Options);
}

struct LoadCase {
    const char* label;
    std::string common;
    int viaBorder, byClick, position, cascade;
    Colour colour;
};

[[maybe_unused]] void PrintTo(const LoadCase& c, std::ostream* out) { *out << c.label; }

class LoadSelects : public OptionsStory, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadSelects, TheButtonsTheCascadeBoxAndTheColour) {
    const LoadCase& c = GetParam();
    startWithOptions(c.common);
    EXPECT_EQ(selected(&OptionsForm::pumActOpt, 2), std::vector<int>{c.viaBorder});
    EXPECT_EQ(selected(&OptionsForm::pumActBorderByClickOpt, 2), std::vector<int>{c.byClick});
    EXPECT_EQ(selected(&OptionsForm::pumActPosOpt, 4), std::vector<int>{c.position});
    EXPECT_EQ(dialog().pumModeChk.value(), c.cascade);
    EXPECT_EQ(dialog().colBtnSample.backColour(), c.colour);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(dialog().pumActPosOpt(i).backColour(), c.colour) << i;
    EXPECT_EQ(strip().backColour(), c.colour);
    EXPECT_EQ(dialog().redCircle.visible(), c.viaBorder == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadSelects,
    ::testing::Values(LoadCase{"Defaults", "", 0, 0, 0, 0, ButtonFaceColour},
                      LoadCase{"AllSet",
                               "PumActViaBorder=1\r\nPumActBorderByClick=1\r\nPumActPos=3\r\nPumMode=1\r\n"
                               "PumActBorderCol=255\r\n",
                               1, 1, 3, 1, 0x0000FF},
                      LoadCase{"LeftEdgeByMouse", "PumActViaBorder=1\r\nPumActPos=2\r\nPumActBorderCol=65280\r\n",
                               1, 0, 2, 0, 0x00FF00},
                      LoadCase{"OutOfRangeGivesZero", "PumActViaBorder=2\r\nPumActPos=7\r\nPumMode=5\r\n", 0, 0, 0,
                               0, ButtonFaceColour}),
    [](const auto& p) { return std::string(p.param.label); });

// ---- what "Icon &und" shows and hides

struct BorderStuff {
    int option;
    bool barsAndColour, redCircle, clickModes;
};

TEST_F(OptionsStory, IconAndBorderShowsTheBorderControlsAndIconOnlyTheCircle) {
    startWithOptions("");
    const BorderStuff steps[] = {{1, true, false, true}, {0, false, true, false}, {1, true, false, true}};
    for (const BorderStuff& step : steps) {
        SCOPED_TRACE(step.option);
        dialog().pumActOpt(step.option).click();
        for (int i = 0; i < 4; ++i) EXPECT_EQ(dialog().pumActPosOpt(i).visible(), step.barsAndColour) << i;
        EXPECT_EQ(dialog().btnColour.visible(), step.barsAndColour);
        EXPECT_EQ(dialog().colBtnSample.visible(), step.barsAndColour);
        EXPECT_EQ(dialog().redCircle.visible(), step.redCircle);
        for (int i = 0; i < 2; ++i) {
            EXPECT_TRUE(dialog().pumActBorderByClickOpt(i).visible());
            EXPECT_EQ(dialog().pumActBorderByClickOpt(i).enabled(), step.clickModes) << i;
        }
    }
    // Nothing reaches the strip or the file before "&OK", which takes the
    // last choice.
    EXPECT_FALSE(strip().visible());
    EXPECT_EQ(common("PumActViaBorder"), "<none>");
    dialog().btnOk.click();
    EXPECT_EQ(common("PumActViaBorder"), "1");
    EXPECT_TRUE(strip().visible());
}

// ---- "&OK" and the close box

TEST_F(OptionsStory, TheLeftBarAndOkPlaceTheStripAndWriteTheOptions) {
    startWithOptions("PumActViaBorder=1\r\nPumActPos=0\r\n");
    sim.ui.screenInfo.widthPixels = 1024;
    sim.ui.screenInfo.heightPixels = 768;
    form().btnOptions.click();
    dialog().leftOpt.click();
    EXPECT_EQ(stripPixels(), (ui::Rect{0, 0, 1280, 1})) << "the strip moves only with OK";
    dialog().btnOk.click();
    EXPECT_FALSE(dialog().visible());
    EXPECT_EQ(stripPixels(), (ui::Rect{0, 0, 1, 768}));
    EXPECT_TRUE(strip().visible());
    EXPECT_EQ(common("PumActPos"), "2");
    EXPECT_EQ(common("PumActViaBorder"), "1");
    EXPECT_EQ(common("PumActBorderByClick"), "0");
    EXPECT_EQ(common("PumActBorderCol"), "-2147483633");
    EXPECT_EQ(common("PumMode"), "0");
    EXPECT_TRUE(messages().empty());
}

TEST_F(OptionsStory, TheCascadeBoxActsAtOnceAndTheCloseBoxKeepsTheFile) {
    startWithOptions("PumMode=0\r\n");
    const std::string before = fileText(StandardFile);
    form().btnOptions.click();
    dialog().pumModeChk.click();
    EXPECT_FALSE(dialog().requestClose(ui::CloseReason::User));
    EXPECT_FALSE(dialog().visible());
    EXPECT_FALSE(dialog().unloaded());
    std::vector<std::string> captions;
    sim.ui.whenMenu([&captions](ui::Menu& menu) {
        for (std::size_t i = 0; i < menu.size(); ++i)
            if (menu.item(i).visible()) captions.push_back(menu.item(i).caption());
    });
    sim.tray.iconMessage(NotificationArea::LeftButtonDown);
    EXPECT_EQ(captions, (std::vector<std::string>{"&A", "&B", "-", "&Öffnen", "&Beenden", "&Abbrechen"}));
    EXPECT_EQ(fileText(StandardFile), before);
}

TEST_F(OptionsStory, AnOptionsFileThatCannotBeWrittenIsReportedWithItsName) {
    startWithOptions("");
    form().btnOptions.click();
    dialog().iconAndBorderOpt.click();
    sim.files.setAttributes(StandardFile, {false, false, false, true});
    dialog().btnOk.click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].icon, MessageIcon::Error);
    EXPECT_NE(messages()[0].text.find(std::string("'") + StandardFile + "'"), std::string::npos) << messages()[0].text;
    EXPECT_FALSE(dialog().visible());
    // The choice stays in effect.
    EXPECT_TRUE(strip().visible());
    EXPECT_TRUE(dialog().iconAndBorderOpt.value());
}

struct CloseCase {
    const char* label;
    ui::CloseReason reason;
    bool goesAhead;
};

[[maybe_unused]] void PrintTo(const CloseCase& c, std::ostream* out) { *out << c.label; }

class Closing : public OptionsStory, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(Closing, OnlyTheProgramsEndUnloadsTheDialog) {
    startWithOptions("");
    form().btnOptions.click();
    if (GetParam().reason == ui::CloseReason::SystemShutdown) {
        EXPECT_TRUE(dialog().queryEndSession());
    }
    EXPECT_EQ(dialog().requestClose(GetParam().reason), GetParam().goesAhead);
    EXPECT_EQ(dialog().unloaded(), GetParam().goesAhead);
    EXPECT_FALSE(dialog().visible());
}

INSTANTIATE_TEST_SUITE_P(Reasons, Closing,
                         ::testing::Values(CloseCase{"CloseBox", ui::CloseReason::User, false},
                                           CloseCase{"AnotherProgram", ui::CloseReason::TaskManager, false},
                                           CloseCase{"ProgramEnds", ui::CloseReason::Code, true},
                                           CloseCase{"SessionEnds", ui::CloseReason::SystemShutdown, true}),
                         [](const auto& p) { return std::string(p.param.label); });

TEST_F(OptionsStory, TheProgramUnloadsTheDialogBeforeTheStrip) {
    startWithOptions("PumActViaBorder=1\r\n");
    form().btnOptions.click();
    std::vector<std::string> order;
    dialog().onUnload = [&order] { order.push_back("options"); };
    strip().onUnload = [&order] { order.push_back("strip"); };
    choose(form().mDatei, form().miQuit);
    EXPECT_EQ(order, (std::vector<std::string>{"options", "strip"}));
    EXPECT_TRUE(dialog().unloaded());
    EXPECT_TRUE(sim.ui.quitRequested);
}

// ---- opening, modal or not, and the place beside the main window

TEST_F(OptionsStory, TheButtonOpensItModelessAndTheMenuModal) {
    startWithOptions("");
    int modalRuns = 0;
    bool visibleWhileModal = false;
    sim.ui.whenModal([&](ui::Form& modal) {
        ++modalRuns;
        visibleWhileModal = &modal == &dialog() && modal.visible();
        dialog().btnOk.click();
    });
    form().btnOptions.click();
    EXPECT_TRUE(dialog().visible());
    EXPECT_EQ(modalRuns, 0);
    dialog().btnOk.click();
    choose(form().mExtras, form().miOptions);
    EXPECT_EQ(modalRuns, 1);
    EXPECT_TRUE(visibleWhileModal);
    EXPECT_FALSE(dialog().visible());
}

TEST_F(OptionsStory, TheMenuBringsADialogOpenModelessToTheFront) {
    startWithOptions("");
    int modalRuns = 0;
    sim.ui.whenModal([&](ui::Form&) { ++modalRuns; });
    form().btnOptions.click();
    const WindowId notepad = sim.windows.open("Unbenannt - Editor", SimWindowSystem::Kind::Notepad);
    ASSERT_EQ(sim.windows.foreground(), notepad);
    choose(form().mExtras, form().miOptions);
    EXPECT_EQ(modalRuns, 0);
    EXPECT_TRUE(dialog().visible());
    EXPECT_EQ(sim.windows.foreground(), sim.ui.windowOf(dialog()));
}

TEST_F(OptionsStory, ItGoesBesideTheMainWindowWheneverItBecomesTheProgramsActiveWindow) {
    startWithOptions("");
    form().setGeometry({3000, 2000, form().geometry().width, form().geometry().height});
    form().btnOptions.click();
    EXPECT_EQ(dialog().geometry(), besideMainWindow());

    struct Step {
        const char* action;
        std::function<void()> act;
        bool placed;
    } steps[] = {
        {"from another program", [this] { dialog().reportActivated(false); }, false},
        {"from the main window", [this] { dialog().reportActivated(true); }, true},
        {"shown again", [this] { form().btnOptions.click(); }, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.action);
        const ui::Rect moved{600, 450, dialog().geometry().width, dialog().geometry().height};
        dialog().setGeometry(moved);  // the user moved it away
        step.act();
        EXPECT_EQ(dialog().geometry(), step.placed ? besideMainWindow() : moved);
    }
}

// ---- the snippet file's place

TEST_F(OptionsStory, TheLocationButtonsShowTheNewPathAndItsOptions) {
    startWithOptions("PumActPos=3\r\n");
    writeFile("C:\\Daten\\Scrivlet.ini", snippetFile({{"Gruß", "Hallo"}}) + "[Common]\r\nPumActPos=1\r\nPumMode=1\r\n");
    form().btnOptions.click();
    sim.dialogs.chooseFolderNext("C:\\Daten");
    dialog().btnChooseFolder.click();
    EXPECT_EQ(sim.dialogs.folderOwners, std::vector<WindowId>{sim.ui.windowOf(dialog())});
    EXPECT_EQ(dialog().pathTB.text(), "C:\\Daten\\Scrivlet.ini");
    EXPECT_EQ(selected(&OptionsForm::pumActPosOpt, 4), std::vector<int>{1});
    EXPECT_EQ(dialog().pumModeChk.value(), 1);
    EXPECT_EQ(listed(), std::vector<std::string>{"Gruß"});

    dialog().btnStandard.click();
    EXPECT_EQ(dialog().pathTB.text(), StandardFile);
    EXPECT_EQ(selected(&OptionsForm::pumActPosOpt, 4), std::vector<int>{3});
    EXPECT_EQ(dialog().pumModeChk.value(), 0);
    EXPECT_TRUE(messages().empty());
}

TEST_F(OptionsStory, ReloadingWithTheStripOnHidesTheDialogWhileTheStripIsPlaced) {
    startWithOptions("PumActViaBorder=1\r\nPumActPos=0\r\n");
    writeFile("C:\\Daten\\Scrivlet.ini", "[Common]\r\nPumActViaBorder=1\r\nPumActPos=3\r\n");
    form().btnOptions.click();
    std::vector<bool> dialogShownWhilePlaced;
    strip().onResize = [&] { dialogShownWhilePlaced.push_back(dialog().visible()); };
    sim.dialogs.chooseFolderNext("C:\\Daten");
    dialog().btnChooseFolder.click();
    EXPECT_EQ(stripPixels(), (ui::Rect{1279, 0, 1, 1024}));
    EXPECT_EQ(dialogShownWhilePlaced, std::vector<bool>{false});
    EXPECT_TRUE(dialog().visible()) << "back after the strip is placed";
    EXPECT_EQ(dialog().geometry(), besideMainWindow());
}

struct CommandLineCase {
    const char* label;
    std::string folder;
    bool fileManager = true;  // installed; a start that fails is not reported either
};

[[maybe_unused]] void PrintTo(const CommandLineCase& c, std::ostream* out) { *out << c.label; }

class OpenFolder : public OptionsStory, public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(OpenFolder, StartsTheFileManagerWithTheQuotedPath) {
    startWithOptions("");
    const std::string path = GetParam().folder + "\\Scrivlet.ini";
    writeFile(path, "[Ignore]\r\n1=x\r\n");
    sim.dialogs.chooseFolderNext(GetParam().folder);
    dialog().btnChooseFolder.click();
    if (!GetParam().fileManager) sim.programs.installed.clear();
    dialog().btnOpenFolder.click();
    ASSERT_EQ(sim.programs.tried.size(), 1u);
    EXPECT_EQ(sim.programs.tried[0], "explorer /e, /select, \"" + path + "\"");
    EXPECT_EQ(sim.programs.started.size(), GetParam().fileManager ? 1u : 0u);
    EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Paths, OpenFolder,
                         ::testing::Values(CommandLineCase{"Plain", "C:\\Daten"},
                                           CommandLineCase{"Blanks", "C:\\Eigene Dateien\\Text bausteine"},
                                           CommandLineCase{"CommaAndBlank", "C:\\Mueller, Hans"},
                                           CommandLineCase{"NoFileManager", "C:\\Daten", false}),
                         [](const auto& p) { return std::string(p.param.label); });

// ---- the colour

TEST_F(OptionsStory, AChosenColourTakesEffectAtOnceAndReachesTheFileOnlyWithOk) {
    startWithOptions("PumActViaBorder=1\r\nPumActBorderCol=255\r\n");
    form().btnOptions.click();
    struct Step {
        std::optional<Colour> answer;
        Colour startedFrom, shown;
    } steps[] = {
        {std::nullopt, 0x000000, 0x0000FF},  // cancelled: from black, nothing changes
        {0x00FF00, 0x000000, 0x00FF00},
        {std::nullopt, 0x00FF00, 0x00FF00},  // starts from the colour chosen last
        {0xFF0000, 0x00FF00, 0xFF0000},
    };
    for (const Step& step : steps) {
        sim.dialogs.chooseColourNext(step.answer);
        dialog().btnColour.click();
        EXPECT_EQ(sim.dialogs.colourStarts.back(), step.startedFrom);
        EXPECT_EQ(sim.dialogs.colourOwners.back(), sim.ui.windowOf(dialog()));
        EXPECT_EQ(strip().backColour(), step.shown);
        EXPECT_EQ(dialog().colBtnSample.backColour(), step.shown);
        EXPECT_EQ(dialog().leftOpt.backColour(), step.shown);
        EXPECT_EQ(common("PumActBorderCol"), "255");
    }
    EXPECT_TRUE(messages().empty());
    dialog().btnOk.click();
    EXPECT_EQ(common("PumActBorderCol"), std::to_string(0xFF0000));
}

TEST_F(OptionsStory, AColourChosenAndNotConfirmedIsGoneAfterARestart) {
    startWithOptions("PumActViaBorder=1\r\nPumActBorderCol=255\r\n");
    sim.dialogs.chooseColourNext(0x00FF00);
    dialog().btnColour.click();
    dialog().requestClose(ui::CloseReason::User);
    choose(form().mDatei, form().miQuit);
    start();
    EXPECT_EQ(strip().backColour(), 0x0000FFu);
    EXPECT_EQ(dialog().colBtnSample.backColour(), 0x0000FFu);
}

}  // namespace
}  // namespace scrivlet
