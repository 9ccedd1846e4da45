#pragma once
#include "platform/dialogs.h"

namespace scrivlet {

class Win32Ui;

class Win32Dialogs : public Dialogs {
public:
    // The input box is a window of the program's own toolkit, run modal like
    // its forms.
    explicit Win32Dialogs(Win32Ui& ui) : ui_(ui) {}

    MessageAnswer message(const MessageRequest& request) override;
    std::string inputBox(const std::string& caption, const std::string& prompt,
                         const std::string& preset) override;
    std::string chooseFolder(WindowId owner, const std::string& prompt) override;
    std::optional<Colour> chooseColour(WindowId owner, Colour start) override;

private:
    Win32Ui& ui_;
    // The chooser's sixteen custom colours, kept for the run like the user's
    // last choice.
    unsigned long customColours_[16] = {};
};

}  // namespace scrivlet
