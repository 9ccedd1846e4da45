#pragma once
#include <string>
#include <utility>

#include "platform/dialogs.h"

namespace scrivlet {

// The program's message boxes: each carries the program's title as caption,
// and a question is answered Yes or No.
class MessageBoxes {
public:
    MessageBoxes(Dialogs& dialogs, std::string title) : dialogs_(dialogs), title_(std::move(title)) {}

    const std::string& title() const { return title_; }

    // A message with an OK button.
    void show(MessageIcon icon, const std::string& text) const {
        dialogs_.message({text, title_, icon, MessageButtons::Ok, false});
    }
    // A Yes/No question with the question icon; true for Yes.
    bool ask(const std::string& text, bool noPreset = false) const {
        return dialogs_.message({text, title_, MessageIcon::Question, MessageButtons::YesNo, noPreset}) ==
               MessageAnswer::Yes;
    }

private:
    Dialogs& dialogs_;
    std::string title_;
};

}  // namespace scrivlet
