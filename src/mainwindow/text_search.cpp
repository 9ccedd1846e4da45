#include "mainwindow/text_search.h"

#include "platform/text.h"

namespace scrivlet {

bool findNextInEditor(ui::RichEdit& editor, const std::string& term) {
    const auto from = static_cast<std::size_t>(editor.selStart() + editor.selLength());
    const std::optional<TextRange> found = findIgnoringCase(editor.text(), term, from);
    if (!found) return false;
    editor.setSelStart(static_cast<int>(found->start));
    editor.setSelLength(static_cast<int>(found->length));
    return true;
}

}  // namespace scrivlet
