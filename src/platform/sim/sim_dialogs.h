#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace scrivlet {

// Dialogs answered from a script the test sets up; every message shown is kept.
// A message without a scripted answer gets its preset button, a folder chooser
// without one is cancelled, and so is a colour chooser.
class SimDialogs : public Dialogs {
public:
    MessageAnswer message(const MessageRequest& request) override;
    std::string chooseFolder(WindowId owner, const std::string& prompt) override;
    std::optional<Colour> chooseColour(WindowId owner, Colour start) override;

    void answerNext(MessageAnswer answer) { answers_.push_back(answer); }
    void chooseFolderNext(std::string folder) { folders_.push_back(std::move(folder)); }
    // The answer of the next colour chooser; nothing stands for a cancel.
    void chooseColourNext(std::optional<Colour> colour) { colours_.push_back(colour); }

    std::vector<MessageRequest> shown;
    std::vector<std::string> folderPrompts;
    std::vector<WindowId> folderOwners;
    // The start colour of every colour chooser shown, and its owner.
    std::vector<Colour> colourStarts;
    std::vector<WindowId> colourOwners;

private:
    std::deque<MessageAnswer> answers_;
    std::deque<std::string> folders_;
    std::deque<std::optional<Colour>> colours_;
};

}  // namespace scrivlet
