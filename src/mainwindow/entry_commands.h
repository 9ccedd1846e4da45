#pragma once
#include <optional>
#include <string>

#include <functional>

#include "mainwindow/editor_state.h"
#include "mainwindow/main_form.h"
#include "platform/dialogs.h"
#include "platform/message_boxes.h"
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
    // command changed the list or the entry shown.
    EntryCommands(MainForm& form, EditorState& state, Services services, SnippetFile& file,
                  const MessageBoxes& messages, std::function<void()> refreshControls)
        : form_(form),
          state_(state),
          services_(services),
          file_(file),
          messages_(messages),
          refreshControls_(std::move(refreshControls)) {}

    // Brings the selected entry into the editor and the destination controls.
    void showEntry();
    // Saves the editor's text and the cipher flag into the current entry.
    void writeCurrTextData();
    // True when the editor or the cipher box holds what the file does not:
    // the user changed them since the entry was shown or last written.
    bool textUnsaved() const;
    void newEntry();
    void renameEntry();
    void deleteEntry();

private:
    // The position of another item whose name equals this one, letter case
    // ignored; -1 when there is none.
    int sameName(const std::string& name, int skip) const;
    bool confirmDuplicate(const std::string& name);
    void inform(const std::string& text);
    // An entry longer than a read brings back, and what therefore happens.
    void reportCut(const std::string& name, const char* consequence);
    // The cut entry last shown, told once: the start loads the file twice.
    EntryNumber cutShown_ = 0;
    // What the file holds for the entry in the editor, as the editor shows it.
    struct InFile {
        EntryNumber entry = 0;
        std::string editorText;
        int crypt = 0;
        bool operator==(const InFile&) const = default;
    };
    InFile now() const;
    std::optional<InFile> inFile_;

    EntryNumber currentEntry() const { return state_.currentEntry(form_.lbEntryList); }
    void reportWrite(WriteResult result) const;

    MainForm& form_;
    EditorState& state_;
    Services services_;
    SnippetFile& file_;
    const MessageBoxes& messages_;
    std::function<void()> refreshControls_;
};

}  // namespace scrivlet
