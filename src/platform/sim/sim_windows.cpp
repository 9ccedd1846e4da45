#include "platform/sim/sim_windows.h"

#include "platform/unicode.h"

#include <algorithm>

#include "platform/ui/form.h"

namespace scrivlet {

namespace {
std::string classOf(SimWindowSystem::Kind kind) {
    switch (kind) {
        case SimWindowSystem::Kind::Notepad: return "Notepad";
        case SimWindowSystem::Kind::Console: return "ConsoleWindowClass";
        case SimWindowSystem::Kind::Terminal: return "CASCADIA_HOSTING_WINDOW_CLASS";
        case SimWindowSystem::Kind::Other: break;
    }
    return "SimWindow";
}
}  // namespace

std::vector<WindowId>::iterator SimWindowSystem::find(WindowId id) {
    return std::find(zOrder_.begin(), zOrder_.end(), id);
}

WindowId SimWindowSystem::open(const std::string& title, Kind kind, bool visible) {
    const WindowId id = nextId_;
    nextId_ += 0x10;
    Window& window = windows_[id];
    window.id = id;
    window.title = title;
    window.visible = visible;
    window.kind = kind;
    window.className = classOf(kind);
    zOrder_.insert(zOrder_.begin(), id);
    if (visible) moveForeground(id);
    return id;
}

WindowId SimWindowSystem::openForm(ui::Form& form) {
    const WindowId id = open("", Kind::Other, false);
    windows_[id].form = &form;
    windows_[id].className = "ScrivletForm";
    return id;
}

void SimWindowSystem::close(WindowId id) {
    if (auto it = find(id); it != zOrder_.end()) zOrder_.erase(it);
    windows_.erase(id);
    if (foreground_ == id) foreground_ = zOrder_.empty() ? 0 : zOrder_.front();
}

SimWindowSystem::Window& SimWindowSystem::window(WindowId id) { return windows_.at(id); }

void SimWindowSystem::activate(WindowId id) {
    auto it = find(id);
    if (it == zOrder_.end()) return;
    zOrder_.erase(it);
    zOrder_.insert(zOrder_.begin(), id);
    moveForeground(id);
}

void SimWindowSystem::moveForeground(WindowId id) {
    const auto before = windows_.find(foreground_);
    const bool fromProgram = before != windows_.end() && before->second.form;
    foreground_ = id;
    // As the system's WM_ACTIVATE to the window that loses the activation.
    if (fromProgram && before->first != id) before->second.form->reportActivationLost();
    if (!fromProgram || windows_.at(id).form) return;
    // As the system's WM_ACTIVATEAPP: every form of the program hears that
    // the activation went to another program. Taken first, as a handler may
    // open or close windows.
    std::vector<ui::Form*> forms;
    for (const auto& [window, w] : windows_)
        if (w.form) forms.push_back(w.form);
    for (ui::Form* form : forms) form->reportDeactivated();
}

WindowId SimWindowSystem::next(WindowId window) {
    auto it = find(window);
    if (it == zOrder_.end() || ++it == zOrder_.end()) return 0;
    return *it;
}

WindowId SimWindowSystem::previous(WindowId window) {
    auto it = find(window);
    if (it == zOrder_.end() || it == zOrder_.begin()) return 0;
    return *--it;
}

bool SimWindowSystem::exists(WindowId window) { return windows_.count(window) > 0; }

bool SimWindowSystem::isVisible(WindowId window) {
    auto it = windows_.find(window);
    if (it == windows_.end()) return false;
    return it->second.form ? it->second.form->visible() : it->second.visible;
}

std::string SimWindowSystem::title(WindowId window) {
    auto it = windows_.find(window);
    if (it == windows_.end()) return "";
    std::string t = it->second.form ? it->second.form->caption() : it->second.title;
    t.resize(prefixOfCodePoints(t, MaxTitleCharacters));
    return t;
}

std::vector<WindowId> SimWindowSystem::topLevelWindows() { return zOrder_; }

bool SimWindowSystem::bringToForeground(WindowId window) {
    auto it = windows_.find(window);
    if (it == windows_.end() || it->second.refusesForeground) return false;
    if (it->second.foregroundRefusals > 0) {
        --it->second.foregroundRefusals;
        return false;
    }
    activate(window);
    return true;
}

void SimWindowSystem::setTopmost(WindowId, bool) {}

TypingSpot SimWindowSystem::typingSpot() {
    TypingSpot spot;
    auto it = windows_.find(foreground_);
    if (it != windows_.end() && it->second.caret) {
        spot.at = *it->second.caret;
        spot.caret = true;
    } else {
        spot.at = {mouseX, mouseY, mouseX, mouseY};
    }
    // The monitor that holds the spot, else the primary one, as the system
    // takes the nearest.
    spot.workArea = monitors.front().workArea;
    for (const Monitor& m : monitors)
        if (spot.at.left >= m.area.left && spot.at.left < m.area.right && spot.at.top >= m.area.top &&
            spot.at.top < m.area.bottom)
            spot.workArea = m.workArea;
    return spot;
}

std::string SimWindowSystem::className(WindowId window) {
    auto it = windows_.find(window);
    return it == windows_.end() ? "" : it->second.className;
}

TargetIntegrity SimWindowSystem::integrity(WindowId window) {
    auto it = windows_.find(window);
    if (it == windows_.end()) return TargetIntegrity::Unknown;
    const Window& w = it->second;
    if (w.refusesQueries) return TargetIntegrity::Higher;
    if (!w.levelReadable) return TargetIntegrity::Unknown;
    return w.integrityLevel > ownIntegrityLevel ? TargetIntegrity::Higher : TargetIntegrity::NotHigher;
}

void SimWindowSystem::receive(Window& w, const KeyStep& step) {
    w.keys.push_back(step);
    switch (step.kind) {
        case KeyStep::Kind::Character:
            if (w.kind != Kind::Other) appendUtf8(w.text, step.character);
            break;
        case KeyStep::Kind::Enter:
            if (w.kind != Kind::Other) w.text += "\r\n";
            break;
        case KeyStep::Kind::Tab:
            if (w.kind != Kind::Other) w.text += '\t';
            break;
        case KeyStep::Kind::Backspace:
            // An edit control takes a line break back as a whole.
            if (w.text.ends_with("\r\n"))
                w.text.resize(w.text.size() - 2);
            else if (!w.text.empty())
                w.text.resize(codePointStart(w.text, w.text.size() - 1));
            break;
        case KeyStep::Kind::AltKey:
            w.systemMenuOpen = w.kind == Kind::Console && step.character == ' ';
            break;
        case KeyStep::Kind::CtrlKey:
            // A chord types nothing; Windows Terminal pastes on Ctrl+V.
            if (w.kind == Kind::Terminal && (step.character & ~0x20u) == 'V')
                if (auto clip = clipboard_.text()) w.text += *clip;
            w.systemMenuOpen = w.editMenuOpen = false;
            break;
        case KeyStep::Kind::Key: {
            const auto key = static_cast<char>(step.character & ~0x20u);
            if (w.systemMenuOpen && key == 'B') {
                w.editMenuOpen = true;
            } else if (w.editMenuOpen && key == 'E') {
                if (auto clip = clipboard_.text()) w.text += *clip;
                w.editMenuOpen = false;
            } else if (w.kind != Kind::Other) {
                appendUtf8(w.text, step.character);
            }
            if (key != 'B') w.systemMenuOpen = false;
            break;
        }
    }
}

void SimWindowSystem::userKey(const KeyStep& step) {
    if (const auto w = windows_.find(foreground_); w != windows_.end()) receive(w->second, step);
}

TypingResult SimWindowSystem::type(WindowId target, const std::vector<KeyStep>& steps) {
    // As the real injector: keys go only to a target that owns the foreground,
    // and typing stops when it loses it.
    for (const KeyStep& step : steps) {
        if (foreground_ != target || !windows_.count(target)) return TypingResult::NotProcessed;
        // The system drops keys to a process above the program's level; the
        // typing's confirmation then never comes.
        if (windows_.at(target).integrityLevel > ownIntegrityLevel) return TypingResult::NotProcessed;
        if (programKey) programKey(step);
        receive(windows_.at(target), step);
        if (whileTyping) whileTyping();
    }
    return TypingResult::Typed;
}

}  // namespace scrivlet
