#include "mainwindow/text_search.h"

namespace scrivlet {

bool findNextInEditor(ui::UiBackend& ui, ui::RichEdit& editor, const std::string& term) {
    if (term.empty()) return false;
    const auto from = static_cast<std::size_t>(editor.selStart() + editor.selLength());
    const std::size_t at = ui.upperCase(editor.text()).find(ui.upperCase(term), from);
    if (at == std::string::npos) return false;
    editor.setSelStart(static_cast<int>(at));
    editor.setSelLength(static_cast<int>(term.size()));
    return true;
}

}  // namespace scrivlet
