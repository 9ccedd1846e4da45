#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "platform/ui/form.h"
#include "platform/window_id.h"
#include "store/snippet_file.h"
#include "tracking/target_tracker.h"

namespace scrivlet {

// From a chosen entry to keystrokes in the target window: the entry is read,
// its placeholders expanded, and the text typed into the last used window or
// into the window whose title contains the entry's title; a console window
// gets it pasted from the clipboard.
class Sender {
public:
    // placeDialog puts the choice dialog where the program's dialogs open.
    Sender(Platform& platform, SnippetFile& file, TargetTracker& tracker, const MessageBoxes& messages,
           std::string choiceCaption, std::function<void(ui::Form&)> placeDialog)
        : platform_(platform),
          file_(file),
          tracker_(tracker),
          messages_(messages),
          choiceCaption_(std::move(choiceCaption)),
          placeDialog_(std::move(placeDialog)) {}

    void sendEntry(EntryNumber n);
    // True from the choice of an entry until its last key went out (the choice
    // dialog and the typing let other events run meanwhile).
    bool sending() const { return sending_; }

    // The key string to type, and the upper-case target title ("" for the last
    // used window), as the last send left them.
    std::string pendingKeys;
    std::string targetTitle;
    // The windows whose titles matched the last titled send, in the system's
    // enumeration order.
    std::vector<std::pair<std::string, WindowId>> targetCandidates;

    void sendToLastWindow();
    void sendToTitledWindow();
    // Types only into a window that exists and came to the foreground.
    bool deliverToWindow(WindowId window);
    void reportNoTarget();

private:
    bool putOnClipboard(const std::string& text);
    void chooseTarget();

    Platform& platform_;
    SnippetFile& file_;
    TargetTracker& tracker_;
    const MessageBoxes& messages_;
    std::string choiceCaption_;
    std::function<void(ui::Form&)> placeDialog_;
    bool sending_ = false;
};

}  // namespace scrivlet
