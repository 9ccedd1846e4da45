#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace scrivlet {

// Dialogs answered from a script the test sets up; every message and input box
// shown is kept. A message without a scripted answer gets its preset button; an
// input box, a folder chooser and a colour chooser without one are cancelled.
class SimDialogs : public Dialogs {
public:
    MessageAnswer message(const MessageRequest& request) override;
    std::string inputBox(const std::string& caption, const std::string& prompt,
                         const std::string& preset) override;
    std::string chooseFolder(WindowId owner, const std::string& prompt) override;
    std::optional<Colour> chooseColour(WindowId owner, Colour start) override;

    void answerNext(MessageAnswer answer) { answers_.push_back(answer); }
    // The user's answer to the next input box; without one it is cancelled.
    void answerInput(std::string text) { inputs_.push_back(std::move(text)); }
    void chooseFolderNext(std::string folder) { folders_.push_back(std::move(folder)); }
    // The answer of the next colour chooser; nothing stands for a cancel.
    void chooseColourNext(std::optional<Colour> colour) { colours_.push_back(colour); }
    // What happens elsewhere while the next dialog of any kind is open (another
    // program ends, time passes), before the user answers it.
    void whileNextOpen(std::function<void()> meanwhile) { meanwhile_.push_back(std::move(meanwhile)); }

    std::vector<MessageRequest> shown;
    struct InputRequest {
        std::string caption, prompt, preset;
    };
    std::vector<InputRequest> inputBoxes;
    std::vector<std::string> folderPrompts;
    std::vector<WindowId> folderOwners;
    // The start colour of every colour chooser shown, and its owner.
    std::vector<Colour> colourStarts;
    std::vector<WindowId> colourOwners;

private:
    void meanwhile();

    std::deque<std::function<void()>> meanwhile_;
    std::deque<MessageAnswer> answers_;
    std::deque<std::string> inputs_;
    std::deque<std::string> folders_;
    std::deque<std::optional<Colour>> colours_;
};

}  // namespace scrivlet
