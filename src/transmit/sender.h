#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/window_id.h"
#include "store/snippet_file.h"

namespace scrivlet {

class Program;

// From a chosen entry to keystrokes in the target window: the entry is read,
// its placeholders expanded, and the text typed into the last used window or
// into the window whose title contains the entry's title; a console window
// gets it pasted from the clipboard.
class Sender {
public:
    explicit Sender(Program& program) : program_(program) {}

    void sendEntry(EntryNumber n);

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

    Program& program_;
};

}  // namespace scrivlet
