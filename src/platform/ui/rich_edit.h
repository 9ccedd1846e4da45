#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace scrivlet::ui {

struct CharFormat {
    Colour colour = 0x000000;
    std::string font = "Arial";
    bool operator==(const CharFormat&) const = default;
};

// A stretch of text in one format.
struct FormatRun {
    std::string text;
    CharFormat format;
};

// A multi-line rich-text editor. Its text is UTF-8 with CR LF line breaks;
// every position is a byte offset into it, between two characters, and a line
// break counts two, as the program's editor logic expects; the native peer
// translates to the control's own counting.
class RichEdit : public Control {
public:
    // The whole text has one size, in twentieths of a point (195 is 9.75 pt).
    RichEdit(Container* parent, std::string name, Rect geometry, CharFormat defaultFormat, int fontSize = 200);
    bool focusable() const override { return true; }
    int fontSize() const { return fontSize_; }

    const std::string& text() const { return text_; }
    // Replaces the whole text in the default format; the caret goes to 0.
    void setText(const std::string& t);
    // Replaces the whole text with formatted runs in one step.
    void setRuns(const std::vector<FormatRun>& runs);

    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    // Moves the caret; the selection length becomes 0.
    void setSelStart(int position);
    void setSelLength(int length);
    std::string selText() const {
        return text_.substr(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
    }
    // Replaces the selection with the text in the insertion format; the caret
    // ends after it.
    void setSelText(const std::string& t);
    // Format the next insertion takes, and the format of a selection.
    void setSelColour(Colour c);
    void setSelFont(const std::string& font);
    const CharFormat& insertionFormat() const { return insertion_; }
    CharFormat formatAt(int position) const { return formats_.at(static_cast<std::size_t>(position)); }

    std::function<void(KeyEvent&)> onKeyDown;
    std::function<void(char32_t)> onKeyPress;
    std::function<void()> onChange;

    // The user at the keyboard, in this editor: CR is the Enter key, TAB the Tab key, any other
    // character is typed. Each goes through onKeyDown (Enter, Tab) and
    // onKeyPress (characters) as on the real desktop.
    void type(const std::string& keys, int shiftState = 0);

    // Reports of the native control, which change state without echoing back.
    void reportContent(const std::string& text, std::vector<CharFormat> formats);
    void reportSelection(int start, int length);
    // The user's edit together with where it left the selection, so that
    // onChange already sees the new caret.
    void reportEdit(const std::string& text, std::vector<CharFormat> formats, int selStart, int selLength);

    // The replacement behind the last Change::Insert: the range it replaced
    // and the text, in the insertion format.
    struct Edit {
        int start = 0, length = 0;
        std::string text;
    };
    const Edit& lastEdit() const { return lastEdit_; }

    const CharFormat& defaultFormat() const { return default_; }
    const std::vector<CharFormat>& formats() const { return formats_; }

private:
    void clampSelection();

    CharFormat default_;
    int fontSize_;
    CharFormat insertion_;
    std::string text_;
    std::vector<CharFormat> formats_;
    int selStart_ = 0;
    int selLength_ = 0;
    Edit lastEdit_;
};

}  // namespace scrivlet::ui
