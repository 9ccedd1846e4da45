#pragma once
#include <string>

#include "platform/ui/rich_edit.h"
#include "platform/ui/ui_backend.h"

namespace scrivlet {

// Selects the next occurrence of the term after the editor's selection (or
// caret), letter case ignored as the user's locale has it; false when there is
// none. Never wraps around.
bool findNextInEditor(ui::UiBackend& ui, ui::RichEdit& editor, const std::string& term);

}  // namespace scrivlet
