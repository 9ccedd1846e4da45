#pragma once
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/timer.h"
#include "platform/sim/sim_windows.h"
#include "platform/ui/ui_backend.h"

namespace scrivlet {

// The window system of the simulated desktop: forms have no native windows;
// modal forms and pop-up menus are answered by a script the
// test sets up, and every one of them is recorded.
class SimUi : public ui::UiBackend {
public:
    void realize(ui::Form& form) override;
    void destroy(ui::Form& form) override;
    WindowId windowOf(const ui::Form& form) override;
    void show(ui::Form& form) override;
    void hide(ui::Form&) override {}
    void runModal(ui::Form& form) override;
    void focus(ui::Form& form, ui::Control* control) override;
    void popupMenu(ui::Form& owner, ui::Menu& menu) override;
    void prepareMenu(ui::Menu& menu) override { menusPrepared.push_back(menu.caption()); }
    ui::Rect frameAround(const ui::Form& form) override;
    ui::ScreenInfo screen() override { return screenInfo; }
    int compareText(std::string_view a, std::string_view b) override;
    void doEvents() override;
    void quit() override { quitRequested = true; }

    // What a modal form does while it is open: the test acts on it (clicks a
    // button, closes it). Without a script the user closes it with its close box.
    void whenModal(std::function<void(ui::Form&)> script) { modalScripts_.push_back(std::move(script)); }
    // What the user does with the next pop-up menu; without a script it is dismissed.
    void whenMenu(std::function<void(ui::Menu&)> script) { menuScripts_.push_back(std::move(script)); }
    // Time passes: the timers of realized forms tick as often as it takes.
    void advance(int milliseconds);
    // The form's window comes to a monitor of this resolution (the user
    // moved it there, or its monitor's scale changed), as the system tells a
    // window: its size scales with the resolution, so in twips its outer
    // rectangle stays, and the frame around the client area is the system's
    // at the new resolution.
    void changeDpi(ui::Form& form, int dpi);
    // The scale of the one monitor changes: every realized form moves to the
    // new resolution, and forms realized later start there. The screen's
    // twips (ScreenInfo) stay those the program started with, as on Windows.
    void changeMonitorDpi(int dpi);
    // Something that happens the next time pending events run.
    void post(std::function<void()> event) { pending_.push_back(std::move(event)); }

    std::vector<std::string> menusShown;  // the captions of the menus popped up
    std::vector<std::string> menusPrepared;
    std::vector<ui::Form*> realized;
    ui::ScreenInfo screenInfo;
    // The resolution of the monitor, which forms are realized at.
    int monitorDpi = 96;
    // Realized forms become windows of this desktop.
    SimWindowSystem* windows = nullptr;
    bool quitRequested = false;
    int doEventsCalls = 0;

private:
    ui::Rect frameAt(const ui::Form& form, int dpi);

    std::deque<std::function<void(ui::Form&)>> modalScripts_;
    std::deque<std::function<void(ui::Menu&)>> menuScripts_;
    std::deque<std::function<void()>> pending_;
    std::map<const ui::Form*, WindowId> windowIds_;
    std::map<const ui::Timer*, int> timerElapsed_;
};

}  // namespace scrivlet
