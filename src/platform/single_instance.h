#pragma once

namespace scrivlet {

// The one running copy of the program in a user's session. The first copy
// holds a named object of the session for its whole run, whatever the path
// of its exe; a later start finds that copy's main window and asks it to show
// itself.
class SingleInstance {
public:
    // The main window's class of its own, by which a later start and the
    // installer find it; the program's other windows keep the toolkit's common
    // class "ScrivletForm", as every window of older versions had.
    static constexpr const char* MainWindowClass = "ScrivletMainForm";

    enum class Reach {
        Shown,      // the running copy showed its main window
        NowFirst,   // it ended meanwhile: this copy holds the session's name now
        Blocked,    // it runs with higher rights, and the system drops the request
        NoAnswer,   // no window of it answered in time
    };

    virtual ~SingleInstance() = default;
    // True when this copy holds the session's name: no other copy runs.
    virtual bool first() const = 0;
    // Asks the running copy to show its main window, shown, restored and in
    // front, as the right button on its icon does. A copy that is still
    // starting is waited for a few seconds.
    virtual Reach showRunningCopy() = 0;
};

}  // namespace scrivlet
