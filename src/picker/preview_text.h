#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace scrivlet {

// What the picker shows of the selected entry's text: its first lines, with
// the keys the text types as symbols a user knows from a word processor's
// formatting marks. They are characters every dialog font holds, unlike the
// editor's symbol-font markers, which a plain text field cannot colour or
// show in their own font.
constexpr std::string_view PreviewEnter = "¶";
constexpr std::string_view PreviewTab = "→";
constexpr std::string_view PreviewCut = "…";
constexpr std::size_t PreviewLineCount = 3;
constexpr std::size_t PreviewLineLength = 160;  // characters

// The first lines of a plain text (CR is Enter, TAB is Tab). A line ends at
// an Enter, shown as PreviewEnter at its end (an LF right after it belongs to
// it), or at a line feed of its own; each Tab shows as PreviewTab; a line
// longer than PreviewLineLength is cut, PreviewCut at its end. Placeholders
// stay as written. A final Enter starts no empty line.
std::vector<std::string> previewLines(std::string_view plainText, std::size_t lineCount = PreviewLineCount);

}  // namespace scrivlet
