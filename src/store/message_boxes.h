#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "store/message_catalogue.h"

namespace scrivlet {

// The program's message boxes: each carries the program's title as caption
// and shows a message of the catalogue; a question is answered Yes or No.
class MessageBoxes {
public:
    MessageBoxes(Dialogs& dialogs, std::string title) : dialogs_(dialogs), title_(std::move(title)) {}

    const std::string& title() const { return title_; }

    // A message with an OK button.
    void show(const Message& message, const std::vector<std::string>& values = {}) const {
        dialogs_.message({messageText(message, values), title_, message.icon, MessageButtons::Ok, false});
    }
    // A Yes/No question with the question icon; true for Yes.
    bool ask(const Message& question, const std::vector<std::string>& values = {}, bool noPreset = false) const {
        return dialogs_.message({messageText(question, values), title_, MessageIcon::Question,
                                 MessageButtons::YesNo, noPreset}) == MessageAnswer::Yes;
    }

private:
    Dialogs& dialogs_;
    std::string title_;
};

}  // namespace scrivlet
