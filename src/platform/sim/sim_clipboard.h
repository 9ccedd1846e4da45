#pragma once
#include "platform/clipboard.h"

namespace scrivlet {

class SimClipboard : public Clipboard {
public:
    void setOwner(WindowId window) override { owner = window; }
    bool setText(const std::string& text) override {
        // As on Windows: emptied for no window, the clipboard takes no data.
        if (locked || owner == 0) return false;
        content = text;
        return true;
    }
    bool clear() override {
        if (locked) return false;
        content.reset();
        return true;
    }
    std::optional<std::string> text() override {
        if (locked) return std::nullopt;
        return content;
    }

    std::optional<std::string> content;
    // Another program holds the clipboard open.
    bool locked = false;
    WindowId owner = 0;
};

}  // namespace scrivlet
