#include "platform/ui/form.h"

#include "platform/ui/simple_controls.h"
#include "platform/ui/ui_backend.h"

namespace scrivlet::ui {

Form::Form(UiBackend& ui, std::string name, int clientWidth, int clientHeight, Style style)
    : Container(nullptr, std::move(name), {}),
      ui_(ui),
      style_(style),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight) {
    setVisible(false);
}

Form::~Form() {
    // A form that goes without unloading takes its window along.
    if (realized_) ui_.destroy(*this);
}

void Form::realize() {
    if (realized_ || unloaded_) return;
    const Rect frame = ui_.frameAround(*this);
    Control::setGeometry({geometry().left, geometry().top, clientWidth_ + frame.width,
                          clientHeight_ + frame.height});
    realized_ = true;
    ui_.realize(*this);
}

void Form::setCaption(const std::string& c) {
    caption_ = c;
    changed(Change::Caption);
}

void Form::setClientFromOuter() {
    const Rect frame = ui_.frameAround(*this);
    clientWidth_ = geometry().width - frame.width;
    clientHeight_ = geometry().height - frame.height;
}

void Form::setGeometry(Rect r) {
    const Rect before = geometry();
    Control::setGeometry(r);
    setClientFromOuter();
    if ((before.width != r.width || before.height != r.height) && onResize) onResize();
}

void Form::reportGeometry(Rect outer, int clientWidth, int clientHeight, WindowState state) {
    const Rect before = geometry();
    const WindowState stateBefore = state_;
    // The state changes without a Change notice: it came from the window.
    storeGeometry(outer);
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    state_ = state;
    const bool resized = before.width != outer.width || before.height != outer.height ||
                         stateBefore != state;
    if (resized && onResize) onResize();
}

void Form::show() {
    if (unloaded_) return;
    realize();
    setVisible(true);
    ui_.show(*this);
    if (onActivate) onActivate();
}

void Form::showModal() {
    if (unloaded_) return;
    realize();
    setVisible(true);
    ui_.show(*this);
    if (onActivate) onActivate();
    ui_.runModal(*this);
}

void Form::hide() {
    if (!visible()) return;
    setVisible(false);
    if (realized_) ui_.hide(*this);
}

bool Form::requestClose(CloseReason reason) {
    if (unloaded_) return true;
    bool cancel = false;
    if (onQueryUnload) onQueryUnload(reason, cancel);
    if (cancel) return false;
    unload();
    return true;
}

bool Form::queryEndSession() {
    if (unloaded_) return true;
    bool refuse = false;
    if (onQueryEndSession) onQueryEndSession(refuse);
    return !refuse;
}

void Form::unload() {
    if (unloaded_) return;
    if (onUnload) onUnload();
    unloaded_ = true;
    setVisible(false);
    if (realized_) ui_.destroy(*this);
    realized_ = false;
}

bool Form::reportShowRequest() {
    if (!onShowRequest || unloaded_) return false;
    onShowRequest();
    return true;
}

void Form::setWindowState(WindowState s) {
    if (s == state_) return;
    state_ = s;
    changed(Change::Value);
    if (onResize) onResize();
}

void Form::moveFocus(Control* to) {
    if (to == focused_) return;
    if (realized_ && to) {
        // The window reports the move back through reportFocus.
        ui_.focus(*this, to);
        return;
    }
    reportFocus(to);
}

void Form::reportFocus(Control* to) {
    if (to == focused_) return;
    Control* from = focused_;
    focused_ = to;
    if (from && from->onLostFocus) from->onLostFocus();
    if (to && to->onGotFocus) to->onGotFocus();
}

void Form::reportActivated(bool fromProgram) {
    if (fromProgram && onActivate) onActivate();
}

void Form::reportDeactivated() {
    if (!unloaded_ && onDeactivate) onDeactivate();
}

void Form::reportDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    if (!unloaded_ && onDpiChange) onDpiChange();
}

}  // namespace scrivlet::ui
