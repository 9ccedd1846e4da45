#pragma once
#include "platform/dialogs.h"

namespace scrivlet {

class Win32Dialogs : public Dialogs {
public:
    MessageAnswer message(const MessageRequest& request) override;
    std::string chooseFolder(WindowId owner, const std::string& prompt) override;
    std::optional<Colour> chooseColour(WindowId owner, Colour start) override;

private:
    // The chooser's sixteen custom colours, kept for the run like the user's
    // last choice.
    unsigned long customColours_[16] = {};
};

}  // namespace scrivlet
