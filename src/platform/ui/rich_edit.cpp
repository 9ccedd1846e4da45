#include "platform/ui/rich_edit.h"

#include <algorithm>

#include "platform/unicode.h"

namespace scrivlet::ui {

RichEdit::RichEdit(Container* parent, std::string name, Rect geometry, CharFormat defaultFormat, int fontSize)
    : Control(parent, std::move(name), geometry), default_(defaultFormat), fontSize_(fontSize), insertion_(defaultFormat) {
    setBackColour(0x80000005);
}

void RichEdit::setText(const std::string& t) {
    text_ = t;
    formats_.assign(t.size(), default_);
    selStart_ = selLength_ = 0;
    insertion_ = default_;
    changed(Change::Text);
    if (onChange) onChange();
}

void RichEdit::setRuns(const std::vector<FormatRun>& runs) {
    text_.clear();
    formats_.clear();
    for (const auto& run : runs) {
        text_ += run.text;
        formats_.insert(formats_.end(), run.text.size(), run.format);
    }
    selStart_ = selLength_ = 0;
    insertion_ = runs.empty() ? default_ : runs.back().format;
    changed(Change::Text);
    if (onChange) onChange();
}

void RichEdit::clampSelection() {
    // Positions are bytes of the UTF-8 text and always fall between two
    // characters.
    const int size = static_cast<int>(text_.size());
    selStart_ = static_cast<int>(codePointStart(text_, static_cast<std::size_t>(std::clamp(selStart_, 0, size))));
    int end = std::clamp(selStart_ + std::max(selLength_, 0), selStart_, size);
    const auto endAt = static_cast<std::size_t>(end);
    if (endAt < text_.size() && codePointStart(text_, endAt) != endAt)
        end = static_cast<int>(codePointStart(text_, endAt) + utf8Length(text_, codePointStart(text_, endAt)));
    selLength_ = end - selStart_;
}

void RichEdit::setSelStart(int position) {
    selStart_ = position;
    selLength_ = 0;
    clampSelection();
    changed(Change::Selection);
}

void RichEdit::setSelLength(int length) {
    selLength_ = length;
    clampSelection();
    changed(Change::Selection);
}

void RichEdit::setSelText(const std::string& t) {
    const auto at = static_cast<std::size_t>(selStart_);
    text_.replace(at, static_cast<std::size_t>(selLength_), t);
    formats_.erase(formats_.begin() + selStart_, formats_.begin() + selStart_ + selLength_);
    formats_.insert(formats_.begin() + selStart_, t.size(), insertion_);
    lastEdit_ = {selStart_, selLength_, t};
    selStart_ += static_cast<int>(t.size());
    selLength_ = 0;
    changed(Change::Insert);
    if (onChange) onChange();
}

void RichEdit::setSelColour(Colour c) {
    insertion_.colour = c;
    for (int i = selStart_; i < selStart_ + selLength_; ++i) formats_[static_cast<std::size_t>(i)].colour = c;
    changed(Change::Format);
}

void RichEdit::setSelFont(const std::string& font) {
    insertion_.font = font;
    for (int i = selStart_; i < selStart_ + selLength_; ++i) formats_[static_cast<std::size_t>(i)].font = font;
    changed(Change::Format);
}

void RichEdit::type(const std::string& keys, int shiftState) {
    if (!enabled()) return;
    setFocus();
    for (std::size_t i = 0; i < keys.size();) {
        std::size_t n = 0;
        const char32_t c = decodeUtf8(keys, i, &n);
        i += n;
        if (c == '\r' || c == '\t') {
            KeyEvent e{c == '\r' ? 13 : 9, shiftState, false};
            if (onKeyDown) onKeyDown(e);
            if (e.consumed) continue;
            setSelText(c == '\r' ? "\r\n" : "\t");
            continue;
        }
        if (onKeyPress) onKeyPress(c);
        setSelText(utf8Of(c));
    }
}

void RichEdit::reportContent(const std::string& text, std::vector<CharFormat> formats) {
    text_ = text;
    formats_ = std::move(formats);
    formats_.resize(text_.size(), default_);
    clampSelection();
    if (onChange) onChange();
}

void RichEdit::reportEdit(const std::string& text, std::vector<CharFormat> formats, int selStart,
                          int selLength) {
    text_ = text;
    formats_ = std::move(formats);
    formats_.resize(text_.size(), default_);
    selStart_ = selStart;
    selLength_ = selLength;
    clampSelection();
    if (onChange) onChange();
}

void RichEdit::reportSelection(int start, int length) {
    selStart_ = start;
    selLength_ = length;
    clampSelection();
}

}  // namespace scrivlet::ui
