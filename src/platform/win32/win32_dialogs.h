#pragma once
#include "platform/dialogs.h"

namespace scrivlet {

class Win32Dialogs : public Dialogs {
public:
    MessageAnswer message(const MessageRequest& request) override;
    std::string chooseFolder(WindowId owner, const std::string& prompt) override;
};

}  // namespace scrivlet
