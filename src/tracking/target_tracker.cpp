#include "tracking/target_tracker.h"

#include "platform/text.h"
#include "platform/unicode.h"

namespace scrivlet {

std::string windowTitle(WindowSystem& windows, WindowId window) {
    std::string title = windows.title(window);
    title.resize(prefixOfCodePoints(title, MaxTitleCharacters));
    return title;
}

WindowId TargetTracker::capture() {
    const std::string own = toUpper(ownCaption_);
    // The ignore list joined with TABs, position 0 (empty) first: a title is
    // ignored when it is any part of one entry.
    std::string ignored;
    for (std::size_t i = 0; i < ignoreList_.size(); ++i) ignored += (i ? "\t" : "") + ignoreList_[i];
    ignored = toUpper(ignored);

    std::vector<std::string> titles;
    WindowId result = 0;
    for (WindowId h = windows_.foreground(); h != 0; h = windows_.next(h)) {
        if (!windows_.isVisible(h)) continue;
        const std::string title = windowTitle(windows_, h);
        if (title.empty()) continue;
        const std::string upper = toUpper(title);
        if (upper.find(own) != std::string::npos || ignored.find(upper) != std::string::npos) continue;
        if (result == 0) result = h;
        titles.push_back(title);
    }
    if (onTitles) onTitles(titles);
    return result;
}

void TargetTracker::pollTick() {
    if (const WindowId h = capture()) lastTargetWindow = h;
}

}  // namespace scrivlet
