// Every window of the program at the resolution it starts with (the prefix's
// LogPixels: the CTest entries run this suite at 96, 120 and 144), and after
// the system reports a monitor of another scale. Wine has one resolution for
// all monitors and never sends WM_DPICHANGED itself, so the test sends it as
// Windows does when the user drags a window to another monitor.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "mainwindow/about_form.h"
#include "mainwindow/main_form.h"
#include "options/options_form.h"
#include "picker/picker_form.h"
#include "platform/win32/win32_input_box.h"
#include "platform/ui/simple_controls.h"
#include "platform/win32/win32_control_peer.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_ui.h"
#include "tracking/debug_window.h"
#include "tracking/debugger_dialog.h"
#include "transmit/choice_form.h"

namespace scrivlet {
namespace {

struct FormCase {
    const char* label;
    std::function<std::unique_ptr<ui::Form>(ui::UiBackend&)> make;
};
[[maybe_unused]] void PrintTo(const FormCase& c, std::ostream* out) { *out << c.label; }

HWND windowOf(ui::Control& control) {
    auto* peer = dynamic_cast<Win32ControlPeer*>(control.peer());
    return peer ? peer->hwnd() : nullptr;
}

RECT inParent(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Appended piece by piece: GCC 12 takes a sum of strings for an overlapping copy.
std::string describe(const RECT& r) {
    std::ostringstream out;
    out << '(' << r.left << ',' << r.top << ")-(" << r.right << ',' << r.bottom << ')';
    return out.str();
}

class DpiLayout : public ::testing::TestWithParam<FormCase> {
protected:
    // The resolution the run was started with, which the prefix must have
    // given the program (96 unless the entry sets another).
    static int startingDpi() {
        const char* set = std::getenv("SCRIVLET_LOG_PIXELS");
        return set ? std::atoi(set) : 96;
    }

    // Every visible control with a window of its own lies inside its parent's
    // client area.
    void checkEveryControl(ui::Container& container, const std::string& where) {
        for (ui::Control* control : container.children()) {
            if (auto* inner = dynamic_cast<ui::Container*>(control)) checkEveryControl(*inner, where);
            HWND window = windowOf(*control);
            if (!window || !control->visible()) continue;
            std::string name = where;
            name.append(" ").append(control->name());
            RECT area, r = inParent(window);
            GetClientRect(GetParent(window), &area);
            // A combo box's window includes its dropped-down list.
            if (dynamic_cast<ui::ComboBox*>(control)) r.bottom = r.top + 1;
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= area.right && r.bottom <= area.bottom)
                << name << " " << describe(r) << " outside " << describe(area);
        }
    }

    // The pixels of every control with a window: its twips at the resolution.
    void checkPixels(ui::Container& container, int dpi, const std::string& where) {
        for (ui::Control* control : container.children()) {
            if (auto* inner = dynamic_cast<ui::Container*>(control)) checkPixels(*inner, dpi, where);
            HWND window = windowOf(*control);
            if (!window) continue;
            const ui::Rect g = control->geometry();
            const int left = MulDiv(g.left, dpi, 1440), top = MulDiv(g.top, dpi, 1440);
            RECT expected{left, top, left + MulDiv(g.width, dpi, 1440), top + MulDiv(g.height, dpi, 1440)};
            RECT r = inParent(window);
            if (dynamic_cast<ui::ComboBox*>(control)) r.bottom = expected.bottom;
            EXPECT_TRUE(EqualRect(&r, &expected))
                << where << " " << control->name() << " " << describe(r) << " not " << describe(expected);
        }
    }

    // The room a control keeps beside its caption, at its resolution, and how
    // it lays the caption out. Check boxes and option buttons draw one line
    // beside their glyph; labels and picture buttons wrap at words.
    struct CaptionRoom {
        std::string caption;
        int left = 0, right = 0, top = 0, bottom = 0;  // kept inside the client area
        bool wraps = false;
    };

    std::optional<CaptionRoom> roomOf(ui::Control& control, int dpi) {
        const auto scale = [dpi](int pixelsAt96) { return MulDiv(pixelsAt96, dpi, 96); };
        if (auto* label = dynamic_cast<ui::Label*>(&control)) return CaptionRoom{label->caption(), 0, 0, 0, 0, true};
        // The glyph, the gap after it and the focus rectangle around the text.
        const int glyph = ui.dpi().metric(SM_CXMENUCHECK, dpi) + scale(4);
        if (auto* box = dynamic_cast<ui::CheckBox*>(&control))
            return CaptionRoom{box->caption(), glyph, 1, 0, 0, false};
        if (auto* option = dynamic_cast<ui::OptionButton*>(&control)) {
            if (option->barStyle) return std::nullopt;
            return CaptionRoom{option->caption(), glyph, 1, 0, 0, false};
        }
        if (auto* button = dynamic_cast<ui::Button*>(&control)) {
            // The border and the focus rectangle; a picture button wraps its
            // caption under a picture that steps down to 16 pixels at least.
            if (button->picture() != ui::Picture::None)
                return CaptionRoom{button->caption(), 4, 4, 4 + scale(16) + scale(2), 4, true};
            return CaptionRoom{button->caption(), scale(3), scale(3), scale(3), scale(3), false};
        }
        if (auto* frame = dynamic_cast<ui::Frame*>(&control))
            // The title sits on the top edge, inset on the left; on the right
            // it may run up to the gap it keeps from the edge.
            return CaptionRoom{frame->caption(), scale(8) + 2, 2, 0, 0, false};
        return std::nullopt;
    }

    // Every caption as its control draws it, in the control's font, fits the
    // room the control gives it.
    void checkCaptions(ui::Container& container, int dpi, const std::string& where) {
        for (ui::Control* control : container.children()) {
            if (auto* inner = dynamic_cast<ui::Container*>(control)) checkCaptions(*inner, dpi, where);
            HWND window = windowOf(*control);
            if (!window || !control->visible()) continue;
            const std::optional<CaptionRoom> room = roomOf(*control, dpi);
            if (!room || room->caption.empty()) continue;
            HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
            if (!font) font = ui.font(false, dpi);
            RECT area;
            GetClientRect(window, &area);
            const int width = area.right - room->left - room->right;
            const int height = area.bottom - room->top - room->bottom;
            const std::wstring text = wide(room->caption);
            HDC dc = GetDC(window);
            HGDIOBJ before = SelectObject(dc, font);
            RECT drawn{0, 0, room->wraps ? width : 0, 0};
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &drawn,
                      DT_CALCRECT | (room->wraps ? DT_WORDBREAK : DT_SINGLELINE));
            SelectObject(dc, before);
            ReleaseDC(window, dc);
            const int needWidth = drawn.right - drawn.left;
            EXPECT_TRUE(needWidth <= width && drawn.bottom - drawn.top <= height)
                << where << " " << control->name() << " \"" << room->caption << "\" needs "
                << needWidth << " x " << drawn.bottom - drawn.top << ", has " << width << " x " << height;
        }
    }

    static HWND firstWithFont(ui::Container& container) {
        for (ui::Control* control : container.children()) {
            if (HWND w = windowOf(*control); w && !dynamic_cast<ui::RichEdit*>(control) &&
                                             SendMessageW(w, WM_GETFONT, 0, 0))
                return w;
            if (auto* inner = dynamic_cast<ui::Container*>(control))
                if (HWND w = firstWithFont(*inner)) return w;
        }
        return nullptr;
    }

    static int fontHeight(HWND window) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
        return std::abs(font.lfHeight);
    }

    Win32Ui ui;
};

TEST_P(DpiLayout, EveryControlInsideItsWindowAtTheStartingResolution) {
    ASSERT_EQ(ui.dpi().system(), startingDpi()) << "the prefix's LogPixels did not reach the program";
    std::unique_ptr<ui::Form> form = GetParam().make(ui);
    form->realize();
    HWND window = ui.hwndOf(*form);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(form->dpi(), startingDpi());
    // The dialog font is the one Windows XP to 7 draw captions in.
    HDC dc = GetDC(window);
    HGDIOBJ before = SelectObject(dc, ui.font(false, startingDpi()));
    wchar_t face[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, before);
    ReleaseDC(window, dc);
    EXPECT_STREQ(face, L"Tahoma") << "the prefix lacks Wine's own fonts";
    checkEveryControl(*form, GetParam().label);
    checkCaptions(*form, startingDpi(), GetParam().label);
    form->unload();
}

TEST_P(DpiLayout, AMonitorOfAnotherScaleLaysTheWindowOutAnew) {
    std::unique_ptr<ui::Form> form = GetParam().make(ui);
    form->realize();
    HWND window = ui.hwndOf(*form);
    ASSERT_NE(window, nullptr);
    // A step of 50 % of scale (48 dots per inch) upwards: the main window
    // still fits the test's screen. Upwards only: Wine keeps the frame of its
    // one resolution, which a smaller suggested window would take from the
    // client area.
    const int before = form->dpi(), after = before + 48;
    // A control with a window of its own tells the font's height before and after.
    HWND sample = firstWithFont(*form);
    ASSERT_NE(sample, nullptr);
    const int heightBefore = fontHeight(sample);
    // As the system suggests it: the window where it was, scaled.
    RECT outer;
    GetWindowRect(window, &outer);
    RECT suggested{outer.left, outer.top, outer.left + MulDiv(outer.right - outer.left, after, before),
                   outer.top + MulDiv(outer.bottom - outer.top, after, before)};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(after, after), reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(form->dpi(), after);
    RECT now;
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested)) << describe(now) << " not " << describe(suggested);
    checkPixels(*form, after, GetParam().label);
    EXPECT_NEAR(fontHeight(sample), MulDiv(heightBefore, after, before), 1);
    checkEveryControl(*form, GetParam().label);
    checkCaptions(*form, after, GetParam().label);
    // The editor's points are zoomed by the new scale against the program's.
    if (auto* main = dynamic_cast<MainForm*>(form.get())) {
        WPARAM numerator = 0;
        LPARAM denominator = 0;
        SendMessageW(windowOf(main->ghostTextTB), EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator),
                     reinterpret_cast<LPARAM>(&denominator));
        EXPECT_EQ(static_cast<int>(numerator), after);
        EXPECT_EQ(static_cast<int>(denominator), before);
    }
    form->unload();
}

// The input box is built in code, not from twips: laid out anew all the same.
TEST(DpiLayoutInputBox, AMonitorOfAnotherScaleLaysTheBoxOutAnew) {
    Win32Ui ui;
    Win32InputBox box(ui, "Kürzel", "Neuer Name:", "Gruß", nullptr);
    ASSERT_NE(box.hwnd(), nullptr);
    box.show();
    HWND edit = GetDlgItem(box.hwnd(), 100);
    const int before = ui.dpi().ofWindow(box.hwnd()), after = before + 48;
    EXPECT_EQ(inParent(edit).right - inParent(edit).left, MulDiv(360, before, 96));
    RECT outer;
    GetWindowRect(box.hwnd(), &outer);
    RECT suggested{outer.left, outer.top, outer.left + MulDiv(outer.right - outer.left, after, before),
                   outer.top + MulDiv(outer.bottom - outer.top, after, before)};
    SendMessageW(box.hwnd(), WM_DPICHANGED, MAKEWPARAM(after, after), reinterpret_cast<LPARAM>(&suggested));
    RECT now, area;
    GetWindowRect(box.hwnd(), &now);
    EXPECT_TRUE(EqualRect(&now, &suggested)) << describe(now) << " not " << describe(suggested);
    const RECT field = inParent(edit);
    EXPECT_EQ(field.right - field.left, MulDiv(360, after, 96));
    GetClientRect(box.hwnd(), &area);
    EXPECT_LE(field.right, area.right);
    EXPECT_LE(field.bottom, area.bottom);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -MulDiv(8, after, 72));
    DestroyWindow(box.hwnd());
}

INSTANTIATE_TEST_SUITE_P(
    Windows, DpiLayout,
    ::testing::Values(
        FormCase{"MainWindow", [](ui::UiBackend& ui) { return std::make_unique<MainForm>(ui); }},
        FormCase{"Options", [](ui::UiBackend& ui) { return std::make_unique<OptionsForm>(ui); }},
        FormCase{"Debugger", [](ui::UiBackend& ui) { return std::make_unique<DebuggerForm>(ui); }},
        FormCase{"DebugWindow", [](ui::UiBackend& ui) { return std::make_unique<DebugWindowForm>(ui); }},
        FormCase{"Choice", [](ui::UiBackend& ui) { return std::make_unique<ChoiceForm>(ui, "Scrivlet"); }},
        FormCase{"About", [](ui::UiBackend& ui) { return std::make_unique<AboutForm>(ui, "Scrivlet"); }},
        FormCase{"Picker", [](ui::UiBackend& ui) { return std::make_unique<PickerForm>(ui); }}),
    [](const auto& p) { return std::string(p.param.label); });

}  // namespace
}  // namespace scrivlet
