#pragma once
#include <string>
#include <string_view>

namespace scrivlet {

// The window class of Windows Terminal, in which Windows 11 opens the command
// prompt and PowerShell.
constexpr std::string_view TerminalWindowClass = "CASCADIA_HOSTING_WINDOW_CLASS";

// The keys that make a console window paste the clipboard, chosen by the class
// of its window: Windows Terminal's window menu has no "Bearbeiten", so it
// gets Ctrl+V; the classic console (ConsoleWindowClass) and any window not
// known get Alt+Space, B, E, which works in the classic console on every
// version.
std::string consolePasteKeys(std::string_view windowClass);

}  // namespace scrivlet
