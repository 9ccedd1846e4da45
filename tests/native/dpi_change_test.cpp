// A window moved to a monitor of another scale (or whose monitor's scale
// changes) is told so by the system: it takes the new size, and the program
// lays it out anew. Every window of the program keeps its controls in sight.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "mainwindow/main_form.h"
#include "native/main_window_story.h"
#include "platform/ui/simple_controls.h"
#include "transmit/choice_form.h"

namespace scrivlet {
namespace {

using test::snippetFile;
using Kind = SimWindowSystem::Kind;

// Every control of a container, by name, in twips of its container.
void collect(const ui::Container& container, std::map<std::string, ui::Rect>& out) {
    for (const ui::Control* c : container.children()) {
        out[c->name()] = c->geometry();
        if (auto* inner = dynamic_cast<const ui::Container*>(c)) collect(*inner, out);
    }
}

// Names the visible controls that reach beyond their container's area (a
// form's client area). A line only has to start inside: the window's edge
// cuts the one under the menu bar, which runs on beyond any width.
void outside(const ui::Container& container, int width, int height, std::string& found) {
    for (ui::Control* c : container.children()) {
        if (!c->visible()) continue;
        ui::Rect g = c->geometry();
        if (dynamic_cast<ui::Line*>(c)) g.width = g.height = 0;
        if (g.left < 0 || g.top < 0 || g.left + g.width > width || g.top + g.height > height)
            found += c->name() + " ";
        if (auto* inner = dynamic_cast<ui::Container*>(c)) outside(*inner, g.width, g.height, found);
    }
}

struct DpiStory : test::MainWindowStory {
    // The user moves the window to a monitor at 150 % (144 dots per inch).
    void checkMoveTo144(ui::Form& form) {
        std::map<std::string, ui::Rect> before;
        collect(form, before);
        const int clientWidth = form.clientWidth(), clientHeight = form.clientHeight();
        sim.ui.changeDpi(form, 144);
        EXPECT_EQ(form.dpi(), 144) << form.name();
        // The window scaled with the monitor: its client area in twips is
        // what it was, and so is every control in it, in a sizable window too.
        EXPECT_EQ(form.clientWidth(), clientWidth) << form.name();
        EXPECT_EQ(form.clientHeight(), clientHeight) << form.name();
        std::string found;
        outside(form, form.clientWidth(), form.clientHeight(), found);
        EXPECT_EQ(found, "") << form.name() << ": client " << form.clientWidth() << " x " << form.clientHeight();
        std::map<std::string, ui::Rect> after;
        collect(form, after);
        EXPECT_EQ(after, before) << form.name();
        checked = true;
    }
    bool checked = false;
};

struct FormCase {
    const char* label;
    // Opens the window as the user does and hands it to the check (while it
    // runs, for a modal one).
    std::function<void(DpiStory&, const std::function<void(ui::Form&)>&)> open;
};
[[maybe_unused]] void PrintTo(const FormCase& c, std::ostream* out) { *out << c.label; }

class EveryWindowAtANewScale : public DpiStory, public ::testing::WithParamInterface<FormCase> {};

TEST_P(EveryWindowAtANewScale, KeepsItsControlsInsideItsClientArea) {
    GetParam().open(*this, [this](ui::Form& form) { checkMoveTo144(form); });
    EXPECT_TRUE(checked);
}

// An entry typed into a window whose title holds "editor", with two such
// windows open: the choice dialog asks which.
void sendToOneOfTwo(DpiStory& s, const std::function<void(ui::Form&)>& check) {
    s.startWith(snippetFile({{"Brief", "Hallo"}}) + "[Title]\r\n1=editor\r\n");
    s.sim.windows.open("Editor-Hilfe", Kind::Notepad);
    s.sim.windows.open("editor", Kind::Notepad);
    s.sim.ui.whenModal([check](ui::Form& f) {
        check(f);
        dynamic_cast<ChoiceForm&>(f).btnCancel.click();
    });
    s.chooseFromIconMenu("Brief");
}

INSTANTIATE_TEST_SUITE_P(
    Windows, EveryWindowAtANewScale,
    ::testing::Values(
        FormCase{"MainWindow",
                 [](DpiStory& s, const auto& check) {
                     s.startWith(snippetFile({{"Brief", "Hallo"}}));
                     s.sim.tray.iconMessage(NotificationArea::RightButtonDown);
                     check(s.form());
                 }},
        FormCase{"Options",
                 [](DpiStory& s, const auto& check) {
                     s.startWith(snippetFile({{"Brief", "Hallo"}}));
                     s.form().btnOptions.click();
                     check(s.lastingForm("OptionsForm"));
                 }},
        FormCase{"Debugger",
                 [](DpiStory& s, const auto& check) {
                     s.startWith(snippetFile({{"Brief", "Hallo"}}));
                     s.form().btnDebug.click();
                     check(*s.shownForm("DebFrm"));
                 }},
        FormCase{"DebugWindow",
                 [](DpiStory& s, const auto& check) {
                     s.writeFile(DpiStory::StandardFile, snippetFile({{"Brief", "Hallo"}}));
                     s.sim.system.commandLine_ = " Debug ";
                     s.start();
                     check(*s.shownForm("ZRDEBUGFRM"));
                 }},
        FormCase{"Choice", sendToOneOfTwo},
        FormCase{"About",
                 [](DpiStory& s, const auto& check) {
                     s.startWith(snippetFile({{"Brief", "Hallo"}}));
                     s.sim.ui.whenModal([check](ui::Form& f) {
                         check(f);
                         f.requestClose(ui::CloseReason::User);
                     });
                     s.form().btnInfo.click();
                 }}),
    [](const auto& p) { return std::string(p.param.label); });

// The strip stays one pixel thick along the whole edge when the monitor's
// scale changes while the program runs: the screen's pixels are as many as
// before, the strip's window counts in the new scale.
struct StripCase {
    const char* label;
    int position;
    ui::Rect pixels;      // at 144 dots per inch, on a screen of 1280 x 1024
    int screenDpi = 96;   // the resolution the program started with
};
[[maybe_unused]] void PrintTo(const StripCase& c, std::ostream* out) { *out << c.label; }

class StripAtANewScale : public DpiStory, public ::testing::WithParamInterface<StripCase> {};

TEST_P(StripAtANewScale, CoversTheEdgeOnePixelThick) {
    sim.ui.screenInfo.dpiX = sim.ui.screenInfo.dpiY = GetParam().screenDpi;
    startWith(snippetFile({{"Brief", "Hallo"}}) + "[Common]\r\nPumActViaBorder=1\r\nPumActPos=" +
              std::to_string(GetParam().position) + "\r\n");
    ui::Form& strip = lastingForm("MoveOverFrm");
    ASSERT_TRUE(strip.visible());
    sim.ui.changeMonitorDpi(144);
    const ui::Rect g = strip.geometry();
    // The position in the screen's twips (at the resolution of the start, as
    // the system turns them into pixels), the size in those of the strip's
    // monitor (10 a pixel at 144).
    const auto screenPixels = [](int twips) { return (twips * GetParam().screenDpi + 720) / 1440; };
    EXPECT_EQ((ui::Rect{screenPixels(g.left), screenPixels(g.top), g.width / 10, g.height / 10}), GetParam().pixels);
    EXPECT_EQ(g.width % 10 + g.height % 10, 0);
}

INSTANTIATE_TEST_SUITE_P(Edges, StripAtANewScale,
                         ::testing::Values(StripCase{"Top", 0, {0, 0, 1280, 1}},
                                           StripCase{"Bottom", 1, {0, 1023, 1280, 1}},
                                           StripCase{"Left", 2, {0, 0, 1, 1024}},
                                           StripCase{"Right", 3, {1279, 0, 1, 1024}},
                                           // Started at 200 % and 175 %: no whole number of
                                           // twips makes a pixel there.
                                           StripCase{"BottomStartedAt200Percent", 1, {0, 1023, 1280, 1}, 192},
                                           StripCase{"RightStartedAt175Percent", 3, {1279, 0, 1, 1024}, 168}),
                         [](const auto& p) { return std::string(p.param.label); });

}  // namespace
}  // namespace scrivlet
