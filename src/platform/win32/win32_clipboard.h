#pragma once
#include "platform/clipboard.h"

namespace scrivlet {

// The system clipboard through the CF_TEXT format, which Windows converts to
// and from the other text formats on its own.
class Win32Clipboard : public Clipboard {
public:
    void setOwner(WindowId owner) override { owner_ = owner; }
    bool setText(const std::string& text) override;
    bool clear() override;
    std::optional<std::string> text() override;

private:
    WindowId owner_ = 0;
};

}  // namespace scrivlet
