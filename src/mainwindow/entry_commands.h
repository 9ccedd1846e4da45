#pragma once
#include <optional>
#include <string>

#include <functional>

#include "mainwindow/editor_state.h"
#include "mainwindow/main_form.h"
#include "platform/dialogs.h"
#include "store/message_boxes.h"
#include "platform/random_source.h"
#include "store/snippet_file.h"

namespace scrivlet {

// Creating, renaming, deleting and editing entries in the main window. Every
// command writes its result to the snippet file before it returns; entry
// numbers stay 1 to N without gaps.
class EntryCommands {
public:
    // Names are asked for through dialogs; enciphered texts take their salt
    // from random.
    struct Services {
        Dialogs& dialogs;
        RandomSource& random;
    };

    // refreshControls brings the main window's controls in line after a
    // command changed the list or the entry shown; rereadFile has the file
    // read again after another program changed it under a command.
    EntryCommands(MainForm& form, EditorState& state, Services services, SnippetFile& file,
                  const MessageBoxes& messages, std::function<void()> refreshControls,
                  std::function<void()> rereadFile = {})
        : form_(form),
          state_(state),
          services_(services),
          file_(file),
          messages_(messages),
          refreshControls_(std::move(refreshControls)),
          rereadFile_(std::move(rereadFile)) {}

    // An entry's text as the editor shows it, with its cipher flag.
    struct TextVersion {
        std::string editorText;
        int crypt = 0;
        bool operator==(const TextVersion&) const = default;
    };

    // Brings the selected entry into the editor and the destination controls.
    void showEntry();
    // Saves the editor's text and the cipher flag into the current entry, and
    // tells the user when that failed.
    void writeCurrTextData() { reportWrite(storeCurrTextData()); }
    // The same, for the caller to report.
    WriteResult storeCurrTextData();
    // True when the editor or the cipher box holds what the file does not:
    // the user changed them since the entry was shown or last written.
    bool textUnsaved() const;
    // The entry the editor shows, and its text as the user left it, taken
    // before the file is read anew.
    struct Kept {
        std::string name;
        EntryNumber number = 0;  // 0: no entry shown
        TextVersion editor;
        // What the file held for it when it was shown, and when the program
        // last wrote or read it; no text when the entry could not be shown.
        std::optional<TextVersion> read, written;
        std::string title;
        int dosBox = 0;
        // The user changed the text since the program last read the entry.
        bool edited() const { return written && (editor != *written || (read && editor != *read)); }
    };
    Kept keep() const;
    // The kept text against the file's version of the entry of the kept name
    // (among equal names the one of the kept number first), never by the
    // number alone: another program changed the file meanwhile. The text is
    // written where nothing of the other change is lost. Where both changed
    // the entry, or the file has no entry of that name any more, the user is
    // asked which text holds, or whether to make the entry anew; without
    // mayAsk nothing happens then, and the answer is nothing. Otherwise it is
    // what became of the write (Ok also when nothing needed writing).
    std::optional<WriteResult> settle(const Kept& kept, bool mayAsk);
    // After the file was read again without another program's change: a text
    // the file refused before stays in the editor, still to be written.
    void keepUnsaved(const Kept& kept);
    // The row of the entry of that name, the one of that number first among
    // equal names; -1 for none.
    int rowNamed(const std::string& name, EntryNumber number) const;

    void newEntry();
    void renameEntry();
    void deleteEntry();

private:
    // The position of another item whose name equals this one, letter case
    // ignored; -1 when there is none.
    int sameName(const std::string& name, int skip) const;
    bool confirmDuplicate(const std::string& name);
    // Another program changed the file since the list was read (the user
    // edits it in notepad; it may also have ended while the command asked):
    // the list's numbers may name other entries there, so the command does
    // nothing, the user is told, and the file is read again.
    bool changedUnderCommand();
    // The list holds as many entries as the file can number.
    void reportFull();
    // An entry longer than a read brings back, and what therefore happens.
    void reportCut(const Message& message, const std::string& name);
    // The cut entry last shown, told once: the start loads the file twice.
    EntryNumber cutShown_ = 0;
    // What the file holds for the entry in the editor, as the editor shows it.
    struct InFile {
        EntryNumber entry = 0;
        TextVersion version;
        bool operator==(const InFile&) const = default;
    };
    InFile now() const;
    // As the program last wrote or read it, and as it was when shown.
    std::optional<InFile> inFile_, read_;
    // An entry's text in the editor's form; nothing for one that was cut.
    static std::optional<TextVersion> versionOf(const Entry& entry);
    // Writes the text and cipher flag of entry n as one change.
    WriteResult writeText(EntryNumber n, const TextVersion& text);

    EntryNumber currentEntry() const { return state_.currentEntry(form_.lbEntryList); }
    void reportWrite(WriteResult result) const;

    MainForm& form_;
    EditorState& state_;
    Services services_;
    SnippetFile& file_;
    const MessageBoxes& messages_;
    std::function<void()> refreshControls_;
    std::function<void()> rereadFile_;
};

}  // namespace scrivlet
