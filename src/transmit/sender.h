#pragma once
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "store/message_boxes.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/key_injector.h"
#include "platform/ui/ui_backend.h"
#include "platform/window_system.h"
#include "platform/ui/form.h"
#include "platform/window_id.h"
#include "store/snippet_file.h"
#include "tracking/target_tracker.h"

namespace scrivlet {

// From a chosen entry to keystrokes in the target window: the entry is read,
// its placeholders expanded, and the text typed into the last used window or
// into the window whose title contains the entry's title; a console window
// gets it pasted from the clipboard. A window of a program run as
// administrator gets nothing, and the user is told why.
class Sender {
public:
    // Included files through files, the clock placeholders through clock; the
    // targets and the typing through windows and keys; a console's text
    // through the clipboard; the choice dialog and letter case through ui.
    struct Services {
        FileSystem& files;
        Clock& clock;
        ui::UiBackend& ui;
        WindowSystem& windows;
        KeyInjector& keys;
        Clipboard& clipboard;
    };

    // placeDialog puts the choice dialog where the program's dialogs open;
    // beforeReading runs before a send reads its entry from the file, so a
    // text still being edited can reach the file first.
    Sender(Services services, SnippetFile& file, TargetTracker& tracker, const MessageBoxes& messages,
           std::string choiceCaption, std::function<void(ui::Form&)> placeDialog,
           std::function<void()> beforeReading = {})
        : services_(services),
          file_(file),
          tracker_(tracker),
          messages_(messages),
          choiceCaption_(std::move(choiceCaption)),
          placeDialog_(std::move(placeDialog)),
          beforeReading_(std::move(beforeReading)) {}

    void sendEntry(EntryNumber n) { sendEntryTo(n, tracker_.lastTargetWindow); }
    // As sendEntry, with lastWindow as the last used window: an entry without
    // a title goes there. For a choice made elsewhere than in the menu, of
    // the window the user was typing in when it was asked for.
    void sendEntryTo(EntryNumber n, WindowId lastWindow);
    // An abbreviation's send: the entry goes into the window where the
    // abbreviation was typed, whatever title it names, and only while that
    // window is still in front (it is not brought there); before goes ahead
    // of the text, after behind it, in the same typing and its confirmation.
    void sendEntryInto(EntryNumber n, WindowId window, const std::vector<KeyStep>& before,
                       const std::vector<KeyStep>& after);
    // True from the choice of an entry until its last key went out (the choice
    // dialog and the typing let other events run meanwhile).
    bool sending() const { return sending_; }

private:
    // Reads the entry and makes its keys (pendingKeys_, the clipboard for a
    // console entry); false, the user told, when there is nothing to type.
    bool prepareKeys(EntryNumber n);
    void sendToLastWindow(WindowId lastWindow);
    void sendToTitledWindow();
    // Types only into a window that exists and came to the foreground.
    bool deliverToWindow(WindowId window);
    // Types the pending keys, between before and after, into the window in front.
    bool typeInto(WindowId window, const std::vector<KeyStep>& before, const std::vector<KeyStep>& after);
    // The keys for a window, and its level against the program's.
    struct Typing {
        std::vector<KeyStep> steps;
        TargetIntegrity integrity;
    };
    // Nothing, the user told, when nothing may be typed there.
    std::optional<Typing> readyToType(WindowId window);
    bool typeSteps(WindowId window, const Typing& typing);
    void reportNoTarget();
    void reportElevated(WindowId window);
    bool putOnClipboard(const std::string& text);
    void chooseTarget();

    Services services_;
    SnippetFile& file_;
    TargetTracker& tracker_;
    const MessageBoxes& messages_;
    std::string choiceCaption_;
    std::function<void(ui::Form&)> placeDialog_;
    std::function<void()> beforeReading_;
    bool sending_ = false;
    // The key string to type (for a console entry the paste keys, chosen by
    // the target's class), and the upper-case target title ("" for the last
    // used window), as the send under way left them.
    bool consoleEntry_ = false;
    std::string pendingKeys_;
    std::string targetTitle_;
    // The windows whose titles matched a titled send, in the system's
    // enumeration order.
    std::vector<std::pair<std::string, WindowId>> targetCandidates_;
};

}  // namespace scrivlet
