#include "tracking/debug_window.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/text.h"
#include "tracking/target_tracker.h"

namespace scrivlet {

DebugWindowForm::DebugWindowForm(ui::UiBackend& ui)
    : ui::Form(ui, "ZRDEBUGFRM", 5325, 6345, {ui::BorderStyle::FixedDialog, true, false, false, false}) {
    wList.fontName = "Courier New";
    wList.fixedPitch = true;
    visChk.setValue(1);
    const std::pair<ui::Control*, int> tabOrder[] = {{&wList, 0}, {&visChk, 1}, {&command1, 2}};
    for (auto [control, index] : tabOrder) control->setTabIndex(index);
}

std::string windowListLine(int position, WindowId window, bool visible, const std::string& title) {
    char head[32];
    std::snprintf(head, sizeof head, "%03d %08X %c ", position, static_cast<unsigned>(static_cast<std::uint32_t>(window)),
                  visible ? 'V' : 'X');
    return head + ("'" + title + "'");
}

DebugWindow::DebugWindow(ui::UiBackend& ui, WindowSystem& windows, Clock& clock, std::string ownCaption,
                         std::function<WindowId()> mainWindow)
    : ui_(ui),
      windows_(windows),
      clock_(clock), ownCaption_(std::move(ownCaption)), mainWindow_(std::move(mainWindow)) {}

DebugWindow::~DebugWindow() = default;

DebugWindowForm* DebugWindow::window() const { return form_ && !form_->unloaded() ? form_.get() : nullptr; }

void DebugWindow::show() {
    if (ended_) return;
    const bool made = !window();
    if (made) {
        form_ = std::make_unique<DebugWindowForm>(ui_);
        DebugWindowForm& f = *form_;
        f.setCaption(ownCaption_ + " - Debug");
        f.command1.onClick = [this] {
            if (form_) form_->unload();
        };
        f.timer1.onTick = [this] {
            fillWList();
            tron();
        };
        f.realize();
    }
    form_->show();
    // Filled at once, not half a second later.
    if (made) {
        fillWList();
        tron();
    }
}

void DebugWindow::unload() {
    ended_ = true;
    if (form_) form_->unload();
}

void DebugWindow::fillWList() {
    DebugWindowForm* f = window();
    if (!f) return;
    WindowSystem& windows = windows_;
    const DateTime now = clock_.now();
    std::vector<std::string> lines{clock_.dateText(now) + " " + clock_.timeText(now)};
    const bool visibleOnly = f->visChk.value() != 0;
    for (WindowId h = mainWindow_ ? mainWindow_() : 0; h != 0; h = windows.previous(h)) {
        const bool visible = windows.isVisible(h);
        if (visibleOnly && !visible) continue;
        lines.push_back(windowListLine(static_cast<int>(lines.size()), h, visible, windowTitle(windows, h)));
    }
    f->wList.setItems(lines);
}

void DebugWindow::tron() {
    DebugWindowForm* f = window();
    if (!f) return;
    WindowSystem& windows = windows_;
    const std::string own = toUpper(ownCaption_);
    for (WindowId h = windows.foreground(); h != 0; h = windows.next(h)) {
        if (!windows.isVisible(h)) continue;
        const std::string title = windowTitle(windows, h);
        if (title.empty() || toUpper(title).find(own) != std::string::npos) continue;
        if (f->caption() != title) f->setCaption(title);
        return;
    }
}

}  // namespace scrivlet
