#pragma once
#include <optional>
#include <string>

#include "platform/window_id.h"

namespace scrivlet {

// The system clipboard, plain text only. Another program may hold it open for
// a moment: the calls then fail and the caller decides whether to try again.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The window the clipboard is opened for, the program's main window once
    // it exists. Windows gives text put on a clipboard emptied for no window
    // to nobody, and refuses it: without an owner nothing can be put there.
    virtual void setOwner(WindowId owner) = 0;
    // Empties the clipboard and puts the text on it.
    virtual bool setText(const std::string& text) = 0;
    virtual bool clear() = 0;
    // The text on the clipboard; nothing when there is none or it cannot be opened.
    virtual std::optional<std::string> text() = 0;
};

}  // namespace scrivlet
