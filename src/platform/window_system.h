#pragma once
#include <string>
#include <vector>

#include "platform/window_id.h"

namespace scrivlet {

// The program reads window titles up to this many characters (code points).
constexpr std::size_t MaxTitleCharacters = 127;

// Where a window's process stands against this program in the system's
// integrity levels. The system drops keys sent to a window of a higher level
// (user interface privilege isolation) without telling the sender.
enum class TargetIntegrity {
    NotHigher,  // keys reach it
    Higher,     // keys are dropped: run as administrator, or not even open to a query
    Unknown,    // its level could not be read
};

// The top-level windows of the desktop, as other programs have them.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    virtual WindowId foreground() = 0;
    // The window below (next) or above (previous) in z-order; 0 at the end.
    virtual WindowId next(WindowId window) = 0;
    virtual WindowId previous(WindowId window) = 0;
    virtual bool exists(WindowId window) = 0;
    virtual bool isVisible(WindowId window) = 0;
    // The title, at most MaxTitleCharacters characters (code points).
    virtual std::string title(WindowId window) = 0;
    // Every top-level window, in the system's enumeration order.
    virtual std::vector<WindowId> topLevelWindows() = 0;
    // Asks for the window to become the foreground window; true when its
    // thread owns the foreground afterwards.
    virtual bool bringToForeground(WindowId window) = 0;
    virtual void setTopmost(WindowId window, bool topmost) = 0;
    // The name of the window's class ("" for none), which tells which kind of
    // program it belongs to.
    virtual std::string className(WindowId window) = 0;
    virtual TargetIntegrity integrity(WindowId window) = 0;
};

}  // namespace scrivlet
