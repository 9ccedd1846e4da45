#pragma once
#include "platform/clipboard.h"

namespace scrivlet {

// The system clipboard through the CF_UNICODETEXT format, which holds every
// character; Windows converts it to and from the other text formats on its own
// (a clipboard that holds only CF_TEXT is read through that conversion).
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
