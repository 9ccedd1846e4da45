#pragma once
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialogs.h"

namespace scrivlet {

// One message the program can show. Every message lives in the catalogue,
// so that the help's page of messages can be checked against the program's
// own words: a message box takes nothing else.
struct Message {
    // The anchor of its explanation on the help's page of messages.
    std::string_view anchor;
    // Question for a Yes/No question.
    MessageIcon icon;
    // "\n" where a line breaks, "%1".."%3" where a value goes in at run time.
    std::string_view text;
    // What each value is, in the words the help shows in its place.
    std::array<std::string_view, 3> values{};
};

// The text with its values in place.
std::string messageText(const Message& message, const std::vector<std::string>& values = {});

// Every message, in the order of the help's page.
std::span<const Message* const> messageCatalogue();

namespace messages {
// The snippet file and its place
extern const Message FileNotWritable;
extern const Message FileConverted;
extern const Message FileNotConverted;
extern const Message WriteLineBreak;
extern const Message WriteTooLong;
extern const Message WriteFailed;
extern const Message BackupFailed;
extern const Message ChangedOutside;
extern const Message EditorTextGone;
extern const Message EditorTextChangedBoth;
extern const Message LocationNotRemembered;
extern const Message SampleNotCopied;
extern const Message NoFileInFolder;
extern const Message FileNotCreated;
extern const Message RememberedFolderEmpty;
// Entries
extern const Message EntriesFull;
extern const Message NameTaken;
extern const Message DeleteEntry;
extern const Message EntryCutNotShown;
extern const Message EntryCutNotMoved;
// Abbreviations
extern const Message AbbreviationBlank;
extern const Message AbbreviationBadStart;
extern const Message AbbreviationEqualsSign;
extern const Message AbbreviationTooLong;
extern const Message AbbreviationTaken;
// The editor
extern const Message ClipboardBusyCopy;
extern const Message ClipboardEmpty;
extern const Message SearchAtEnd;
// Typing
extern const Message EntryCutNotSent;
extern const Message ClipboardBlocked;
extern const Message KeyStringInvalid;
extern const Message NoTarget;
extern const Message KeysNotTaken;
extern const Message KeysNotTakenMaybeElevated;
extern const Message TargetElevated;
extern const Message ConsoleElevated;
// The debugger
extern const Message NoTitleMarked;
extern const Message IgnoreTitle;
extern const Message NotepadNotStarted;
// The autostart
extern const Message AutostartNotWritten;
extern const Message AutostartNotRemoved;
extern const Message ShortcutAttributes;
extern const Message ShortcutNotDeleted;
// The program
extern const Message RunningElevated;
extern const Message RunningNoAnswer;
extern const Message PickerHotkeyTaken;
extern const Message PlacementNotSaved;
extern const Message HelpMissing;
}  // namespace messages

}  // namespace scrivlet
