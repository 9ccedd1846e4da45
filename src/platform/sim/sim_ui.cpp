#include "platform/sim/sim_ui.h"

#include <algorithm>

#include "platform/text.h"
#include "platform/unicode.h"

namespace scrivlet {

void SimUi::realize(ui::Form& form) {
    realized.push_back(&form);
    form.reportDpi(monitorDpi);
    if (windows) windowIds_[&form] = windows->openForm(form);
}

void SimUi::destroy(ui::Form& form) {
    realized.erase(std::remove(realized.begin(), realized.end(), &form), realized.end());
    if (auto it = windowIds_.find(&form); it != windowIds_.end()) {
        if (windows) windows->close(it->second);
        windowIds_.erase(it);
    }
}

WindowId SimUi::windowOf(const ui::Form& form) {
    auto it = windowIds_.find(&form);
    return it == windowIds_.end() ? 0 : it->second;
}

namespace {
// The first control in tab order that can take the focus, as a shown window
// gives it.
ui::Control* firstFocusable(ui::Container& container, ui::Control* best) {
    for (ui::Control* c : container.children()) {
        if (!c->visible() || !c->enabled()) continue;
        if (c->focusable() && (!best || c->tabIndex() < best->tabIndex())) best = c;
        if (auto* inner = dynamic_cast<ui::Container*>(c)) best = firstFocusable(*inner, best);
    }
    return best;
}
}  // namespace

void SimUi::show(ui::Form& form) {
    if (windows && windowIds_.count(&form)) windows->activate(windowIds_[&form]);
    if (!form.focused())
        if (ui::Control* first = firstFocusable(form, nullptr)) form.reportFocus(first);
}

void SimUi::runModal(ui::Form& form) {
    modalStack_.push_back(&form);
    struct Ends {
        std::vector<const ui::Form*>& stack;
        ~Ends() { stack.pop_back(); }
    } ends{modalStack_};
    if (!modalScripts_.empty()) {
        auto script = std::move(modalScripts_.front());
        modalScripts_.pop_front();
        script(form);
    } else {
        form.requestClose(ui::CloseReason::User);
    }
    // A modal form that is still open when its script ends was left by the user
    // some other way; the program must not wait forever.
    if (form.visible() && !form.unloaded()) form.hide();
}

void SimUi::focus(ui::Form& form, ui::Control* control) { form.reportFocus(control); }

void SimUi::popupMenu(ui::Form&, ui::Menu& menu) {
    menusShown.push_back(menu.caption());
    if (menuScripts_.empty()) return;
    auto script = std::move(menuScripts_.front());
    menuScripts_.pop_front();
    script(menu);
}

ui::Rect SimUi::frameAround(const ui::Form& form) { return frameAt(form, form.dpi()); }

ui::Rect SimUi::frameAt(const ui::Form& form, int dpi) {
    // Frame widths of a classic Windows theme in pixels at 96 dots per inch,
    // each scaled to the form's resolution and rounded to whole pixels as the
    // system does: the frame in twips is not quite the same at every scale.
    const bool menu = !form.menuBar().empty();
    const auto twips = [dpi](int pixelsAt96) {
        return ui::pixelsToTwips((pixelsAt96 * dpi + 48) / 96, dpi);
    };
    switch (form.style().border) {
        case ui::BorderStyle::Sizable:
            return {0, 0, 2 * twips(8), 2 * twips(8) + twips(23) + (menu ? twips(20) : 0)};
        case ui::BorderStyle::FixedSingle:
        case ui::BorderStyle::FixedDialog:
            return {0, 0, 2 * twips(3), 2 * twips(3) + twips(23) + (menu ? twips(20) : 0)};
        case ui::BorderStyle::ToolWindow:
        case ui::BorderStyle::None:
            return {};
    }
    return {};
}

void SimUi::changeDpi(ui::Form& form, int dpi) {
    if (std::find(realized.begin(), realized.end(), &form) == realized.end() || dpi == form.dpi()) return;
    // As Windows asks the window for its size at the new scale, and the
    // program answers it: the client area keeps its twips, the frame takes
    // the new resolution's. The window's size first, then the resolution.
    const ui::Rect frame = frameAt(form, dpi);
    const ui::Rect before = form.geometry();
    const int clientWidth = form.clientWidth(), clientHeight = form.clientHeight();
    form.reportGeometry({before.left, before.top, clientWidth + frame.width, clientHeight + frame.height}, clientWidth,
                        clientHeight, form.windowState());
    form.reportDpi(dpi);
}

void SimUi::changeMonitorDpi(int dpi) {
    monitorDpi = dpi;
    const std::vector<ui::Form*> forms = realized;
    for (ui::Form* form : forms)
        if (std::find(realized.begin(), realized.end(), form) != realized.end()) changeDpi(*form, dpi);
}

namespace {
// Letters with marks sort with their base letter, as the German locale does
// (modelled for the letters of Windows-1252; others by their small letter).
char32_t baseLetter(char32_t letter) {
    const auto byte = toCp1252(letter);
    if (!byte) return lowerOf(letter);
    const auto u = static_cast<unsigned char>(lowerCp1252(static_cast<char>(*byte)));
    if (u >= 0xE0 && u <= 0xE5) return 'a';
    if (u == 0xE7) return 'c';
    if (u >= 0xE8 && u <= 0xEB) return 'e';
    if (u >= 0xEC && u <= 0xEF) return 'i';
    if (u == 0xF1) return 'n';
    if ((u >= 0xF2 && u <= 0xF6) || u == 0xF8) return 'o';
    if (u >= 0xF9 && u <= 0xFC) return 'u';
    if (u == 0xFD || u == 0xFF) return 'y';
    return fromCp1252(u);
}

std::u32string codePoints(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 0;
        out += decodeUtf8(text, i, &n);
        i += n;
    }
    return out;
}
}  // namespace

int SimUi::compareText(std::string_view textA, std::string_view textB) {
    const std::u32string a = codePoints(textA), b = codePoints(textB);
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char32_t x = baseLetter(a[i]), y = baseLetter(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    // Equal but for marks: the plain letter first. Letter case alone makes no
    // difference, so such items keep the order they were added in.
    for (std::size_t i = 0; i < n; ++i) {
        const bool markA = baseLetter(a[i]) != lowerOf(a[i]);
        const bool markB = baseLetter(b[i]) != lowerOf(b[i]);
        if (markA != markB) return markA ? 1 : -1;
    }
    return 0;
}

void SimUi::doEvents() {
    ++doEventsCalls;
    auto events = std::move(pending_);
    pending_.clear();
    for (auto& event : events) event();
}

}  // namespace scrivlet

namespace scrivlet {

void SimUi::advance(int milliseconds) {
    const std::vector<ui::Form*> forms = realized;
    for (ui::Form* form : forms)
        for (ui::Timer* timer : form->timers()) {
            if (!timer->enabled() || timer->interval() <= 0) continue;
            int& elapsed = timerElapsed_[timer];
            elapsed += milliseconds;
            while (elapsed >= timer->interval() && timer->enabled()) {
                elapsed -= timer->interval();
                timer->tick();
            }
        }
}

}  // namespace scrivlet
