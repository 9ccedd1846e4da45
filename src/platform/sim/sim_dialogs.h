#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace scrivlet {

// Dialogs answered from a script the test sets up; every message shown is kept.
// A message without a scripted answer gets its preset button, a folder chooser
// without one is cancelled.
class SimDialogs : public Dialogs {
public:
    MessageAnswer message(const MessageRequest& request) override;
    std::string chooseFolder(WindowId owner, const std::string& prompt) override;

    void answerNext(MessageAnswer answer) { answers_.push_back(answer); }
    void chooseFolderNext(std::string folder) { folders_.push_back(std::move(folder)); }

    std::vector<MessageRequest> shown;
    std::vector<std::string> folderPrompts;

private:
    std::deque<MessageAnswer> answers_;
    std::deque<std::string> folders_;
};

}  // namespace scrivlet
