#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/key_injector.h"
#include "platform/window_system.h"

namespace scrivlet {

namespace ui {
class Form;
}

// The top-level windows of the simulated desktop, in z-order, with a foreground
// window. Windows of other programs are scripted by the test; the program's own
// forms take part with their live caption and visibility. Targets record what
// reaches them: a notepad turns keys into text, a console pastes the clipboard
// on Alt+Space, B, E.
class SimWindowSystem : public WindowSystem, public KeyInjector {
public:
    enum class Kind { Notepad, Console, Terminal, Other };

    // The system's levels (the last part of the label's SID).
    static constexpr unsigned MediumIntegrity = 0x2000;
    static constexpr unsigned HighIntegrity = 0x3000;

    struct Window {
        WindowId id = 0;
        std::string title;
        bool visible = true;
        Kind kind = Kind::Other;
        std::string className;       // by kind, as the real programs name theirs
        // Its process's level, which decides whether keys reach it; the
        // program may be unable to read it (levelReadable), and a process
        // that refuses queries counts as above the program, as on Windows.
        unsigned integrityLevel = MediumIntegrity;
        bool levelReadable = true;
        bool refusesQueries = false;
        ui::Form* form = nullptr;    // a form of the program itself
        bool refusesForeground = false;
        int foregroundRefusals = 0;  // the next so many requests fail, later ones succeed
        std::string text;            // what a notepad or console shows
        std::vector<KeyStep> keys;   // every key that reached it
        // The text cursor, where the window's program tells it.
        std::optional<ScreenRect> caret;
        bool systemMenuOpen = false;
        bool editMenuOpen = false;
        // The control with the keyboard focus is a password field.
        bool passwordFocus = false;
    };

    explicit SimWindowSystem(Clipboard& clipboard) : clipboard_(clipboard) {}

    // Opens a window on top of all others and, when visible, makes it the
    // foreground window (see activate).
    WindowId open(const std::string& title, Kind kind = Kind::Other, bool visible = true);
    WindowId openForm(ui::Form& form);
    void close(WindowId id);
    Window& window(WindowId id);
    // Puts a window on top and in the foreground, as a click on it would.
    // When the activation goes from one of the program's forms to another
    // program's window, every form hears it (Form::reportDeactivated).
    void activate(WindowId id);

    WindowId foreground() override { return foreground_; }
    WindowId next(WindowId window) override;
    WindowId previous(WindowId window) override;
    bool exists(WindowId window) override;
    bool isVisible(WindowId window) override;
    std::string title(WindowId window) override;
    std::vector<WindowId> topLevelWindows() override;
    bool bringToForeground(WindowId window) override;
    void setTopmost(WindowId window, bool topmost) override;
    std::string className(WindowId window) override;
    TargetIntegrity integrity(WindowId window) override;

    TypingSpot typingSpot() override;

    // A monitor: its area and its work area, the first the primary one.
    struct Monitor {
        ScreenRect area;
        ScreenRect workArea;
    };
    std::vector<Monitor> monitors{{{0, 0, 1280, 1024}, {0, 0, 1280, 994}}};
    int mouseX = 640, mouseY = 512;

    TypingResult type(WindowId target, const std::vector<KeyStep>& steps) override;
    // A key the user typed reaches the foreground window.
    void userKey(const KeyStep& step);

    unsigned ownIntegrityLevel = MediumIntegrity;

    // Runs after every key, as other events may run while keys are typed.
    std::function<void()> whileTyping;
    // Sees every key the program types, as a keyboard hook sees injected keys.
    std::function<void(const KeyStep&)> programKey;

private:
    void receive(Window& w, const KeyStep& step);
    // The foreground window changes; leaving the program's forms is reported.
    void moveForeground(WindowId id);
    std::vector<WindowId>::iterator find(WindowId id);

    Clipboard& clipboard_;
    std::map<WindowId, Window> windows_;
    std::vector<WindowId> zOrder_;  // top first
    WindowId foreground_ = 0;
    WindowId nextId_ = 0x10010;
};

}  // namespace scrivlet
