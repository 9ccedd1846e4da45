#pragma once
#include <string>

#include "platform/ui/rich_edit.h"

namespace scrivlet {

// Selects the next occurrence of the term after the editor's selection (or
// caret), letter case ignored as Windows has it; false when there is none.
// Never wraps around.
bool findNextInEditor(ui::RichEdit& editor, const std::string& term);

}  // namespace scrivlet
