#pragma once
#include <optional>
#include <string>

#include "platform/ui/colour.h"
#include "platform/window_id.h"

namespace scrivlet {

enum class MessageIcon { None, Information, Question, Error, Warning };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    // For YesNo: true when No is the preset button.
    bool defaultNo = false;
};

// Modal interaction with the user: message boxes and the system's choosers.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer message(const MessageRequest& request) = 0;
    // The simple prompt dialog: OK gives the text, Cancel "".
    virtual std::string inputBox(const std::string& caption, const std::string& prompt,
                                 const std::string& preset) = 0;
    // The folder chooser for file-system folders; "" when cancelled or when the
    // choice has no file-system path.
    virtual std::string chooseFolder(WindowId owner, const std::string& prompt) = 0;
    // The colour chooser, opened with the start colour (an RGB value) selected;
    // the chosen RGB value, nothing when the user cancelled or the chooser
    // could not be shown.
    virtual std::optional<Colour> chooseColour(WindowId owner, Colour start) = 0;
};

}  // namespace scrivlet
