#pragma once
#include <string_view>

#include "platform/ui/rich_edit.h"

namespace scrivlet {

// The editor of entry texts shows each Enter and Tab as a coloured Wingdings
// symbol followed by a line break (see key_notation.h).
constexpr Colour EnterMarkerColour = 0x0000FF;  // red
constexpr Colour TabMarkerColour = 0xFF0000;    // blue
constexpr Colour TextColour = 0x000000;
constexpr const char* MarkerFont = "wingdings";
constexpr const char* TextFont = "arial";

// Fills the editor with a text in editor form, markers coloured, in one step:
// no other event can run while the editor is half filled. The caret stays
// where it was, as far as the new text reaches.
void showTextInEditor(ui::RichEdit& editor, std::string_view editorText);

// Moves a caret that stands between a marker and its line break past the
// line break, so typing never lands there.
void skipMarkerBreak(ui::RichEdit& editor);

// Enter and Tab (with any modifier) insert their markers instead of reaching
// the editor; typed characters come out in the ordinary style.
void attachMarkerKeys(ui::RichEdit& editor);

}  // namespace scrivlet
