#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace scrivlet {

// The title of a window as the program reads titles: at most 127 characters
// (code points), "" for none.
std::string windowTitle(WindowSystem& windows, WindowId window);

// Finds the window the user was working in: walking down the z-order from the
// foreground window, the first one that is visible, has a title, is none of the
// program's own windows (their titles contain its caption) and is not ignored.
class TargetTracker {
public:
    // Titles compare with letter case ignored.
    TargetTracker(WindowSystem& windows, const std::vector<std::string>& ignoreList, std::string ownCaption)
        : windows_(windows), ignoreList_(ignoreList), ownCaption_(std::move(ownCaption)) {}

    // The first qualifying window, 0 if none; every qualifying title goes to
    // onTitles, top first.
    WindowId capture();

    // Once a second outside the NT family: a capture that finds nothing keeps
    // the previous target.
    void pollTick();
    // When the menu is requested on the NT family: the capture decides, even 0.
    void captureForMenu() { lastTargetWindow = capture(); }

    WindowId lastTargetWindow = 0;
    std::function<void(const std::vector<std::string>&)> onTitles;

private:
    WindowSystem& windows_;
    const std::vector<std::string>& ignoreList_;
    std::string ownCaption_;
};

}  // namespace scrivlet
