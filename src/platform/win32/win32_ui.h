#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/ui_backend.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_units.h"

namespace scrivlet {

class CommandIds;
class Win32FormPeer;
class Win32HostWindow;

// The control toolkit on real windows: each form gets a top-level window and
// each control a native peer that mirrors it. Owns what the peers share
// (fonts, the program's pictures, the RichEdit library, menu command ids) and
// runs the message loops, with accelerators and dialog-style keyboard
// navigation for the program's windows.
class Win32Ui : public ui::UiBackend {
public:
    Win32Ui();
    ~Win32Ui() override;
    Win32Ui(const Win32Ui&) = delete;
    Win32Ui& operator=(const Win32Ui&) = delete;

    void realize(ui::Form& form) override;
    void destroy(ui::Form& form) override;
    WindowId windowOf(const ui::Form& form) override;
    void show(ui::Form& form) override;
    void hide(ui::Form& form) override;
    void runModal(ui::Form& form) override;
    void focus(ui::Form& form, ui::Control* control) override;
    void popupMenu(ui::Form& owner, ui::Menu& menu) override;
    void prepareMenu(ui::Menu& menu) override;
    ui::Rect frameAround(const ui::Form& form) override;
    ui::ScreenInfo screen() override;
    int compareText(std::string_view a, std::string_view b) override;
    void doEvents() override;
    void quit() override;

    // The simple prompt dialog, modal over the active window: OK gives the
    // text, Cancel "". Offered to the program by the dialogs service.
    std::string inputBox(const std::string& caption, const std::string& prompt, const std::string& preset);

    // The program's message loop; returns the exit code of WM_QUIT.
    int run();
    // Reads every control of the form back from its window, as if the user
    // had made each window's state: what the window shows reaches the control.
    void syncFromNative(ui::Form& form);
    // The same for every realized form.
    void syncFromNative();
    // The window of a realized form; null before.
    HWND hwndOf(const ui::Form& form) const;

    // What the peers share.
    // The screen's units, which positions on the screen count in (and the
    // windows that are no forms, at the resolution the program started with).
    const ScreenUnits& units() const { return units_; }
    // The units of the control's form: its own monitor's.
    ScreenUnits unitsOf(ui::Control& control) const;
    // The resolution of the monitor a window placed there would be on.
    int dpiAt(const ui::Rect& place) const;
    const Win32Dpi& dpi() const { return dpi_; }
    // The program's font at a resolution, made once for each.
    HFONT font(bool bold, int dpi) { return font("", false, bold, dpi); }
    // At the resolution the program started with.
    HFONT font(bool bold) { return font(bold, dpi_.system()); }
    // The program's font in another face ("Courier New"), made once; with
    // fixedPitch the font mapper falls back on a fixed-pitch face.
    HFONT font(const std::string& face, bool fixedPitch, int dpi) { return font(face, fixedPitch, false, dpi); }
    HICON picture(ui::Picture which, int size, bool greyed = false) { return picture(which, size, size, greyed); }
    HICON picture(ui::Picture which, int width, int height, bool greyed);
    const wchar_t* richEditClass() const { return richEditClass_; }
    const std::shared_ptr<CommandIds>& commandIds() const { return commandIds_; }
    // A hidden window: the owner of forms without a taskbar button, and of
    // pop-up menus of forms without a window.
    HWND hostWindow() const;

    void formCreated(Win32FormPeer& form) { forms_.push_back(&form); }
    void formDestroyed(Win32FormPeer& form);
    void dialogCreated(HWND dialog) { dialogs_.push_back(dialog); }
    void dialogDestroyed(HWND dialog);

private:
    class ModalScope;
    bool preTranslate(MSG& message);
    void dispatch(MSG& message);
    // Runs the message loop until done() holds; a WM_QUIT ends it early and
    // is passed on to the outer loop.
    void pumpUntil(const std::function<bool()>& done);
    Win32FormPeer* peerOf(const ui::Form& form) const;
    // Hides a window; a modal one gives the program's windows back first and
    // the activation back afterwards.
    void hideWindow(HWND window);
    // The message font ("" as the face) or another face, bold or not.
    HFONT font(const std::string& face, bool fixedPitch, bool bold, int dpi);

    Win32Dpi dpi_;
    ScreenUnits units_;
    std::map<std::tuple<std::string, bool, bool, int>, UniqueHfont> fonts_;
    UniqueHmodule richEditLibrary_;
    const wchar_t* richEditClass_ = L"RichEdit20W";
    std::map<std::tuple<ui::Picture, int, int, bool>, UniqueHicon> pictures_;
    std::shared_ptr<CommandIds> commandIds_;
    std::vector<Win32FormPeer*> forms_;
    std::vector<HWND> dialogs_;
    std::vector<ModalScope*> modalScopes_;
    std::unique_ptr<Win32HostWindow> host_;
};

}  // namespace scrivlet
