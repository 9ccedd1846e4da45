#include "mainwindow/entry_commands.h"

#include "mainwindow/editor_text.h"
#include "mainwindow/write_report.h"
#include "platform/text.h"
#include "store/entry_cipher.h"
#include "store/storage_escape.h"
#include "transmit/key_notation.h"

namespace scrivlet {

void EntryCommands::reportFull() { messages_.show(messages::EntriesFull, {std::to_string(MaxEntries)}); }

void EntryCommands::reportWrite(WriteResult result) const { scrivlet::reportWrite(messages_, file_, result); }

void EntryCommands::reportCut(const Message& message, const std::string& name) {
    messages_.show(message, {name, file_.path()});
}

void EntryCommands::showEntry() {
    MainForm& f = form_;
    const int row = f.lbEntryList.listIndex();
    if (row < 0) return;
    const auto n = static_cast<EntryNumber>(f.lbEntryList.itemData(row));
    Entry entry = file_.readEntry(n);
    // Shown, a cut entry would be saved cut: it is not shown, and the
    // controls that write it stay off until another entry is shown.
    state_.entryCut = entry.cut;
    if (entry.cut) {
        if (cutShown_ != n)
            reportCut(messages::EntryCutNotShown, f.lbEntryList.text(row));
        entry = Entry{};
    }
    cutShown_ = state_.entryCut ? n : 0;
    showTextInEditor(f.ghostTextTB, textToEditorForm(textFromFile(entry.text)));
    f.destinationTextList.setText(trimBlanks(entry.title));
    // Showing an entry writes nothing: the flags are set as read, so their
    // click handling has nothing to store.
    state_.entryLoading = true;
    f.cryptChk.setValue(entry.crypt);
    f.dosBoxChk.setValue(entry.dosBox);
    refreshControls_();
    state_.entryLoading = false;
    inFile_ = state_.entryCut ? std::nullopt : std::optional<InFile>(now());
    read_ = inFile_;
}

EntryCommands::InFile EntryCommands::now() const {
    const MainForm& f = form_;
    return {currentEntry(), {f.ghostTextTB.text(), f.cryptChk.value()}};
}

bool EntryCommands::textUnsaved() const {
    if (currentEntry() == 0 || state_.entryCut) return false;
    return !inFile_ || *inFile_ != now();
}

std::optional<EntryCommands::TextVersion> EntryCommands::versionOf(const Entry& entry) {
    if (entry.cut) return std::nullopt;
    return TextVersion{textToEditorForm(textFromFile(entry.text)), entry.crypt};
}

WriteResult EntryCommands::writeText(EntryNumber n, const TextVersion& text) {
    std::string stored = textForFile(editorFormToText(text.editorText));
    if (text.crypt) stored = encipherText(stored, services_.random);
    // Text and cipher flag change together or not at all, so the two never
    // disagree.
    return file_.writeFields({{"Text", n, stored}, {"Crypt", n, std::to_string(text.crypt)}});
}

WriteResult EntryCommands::storeCurrTextData() {
    const EntryNumber n = currentEntry();
    if (n == 0 || state_.entryCut) return WriteResult::Ok;
    const InFile written = now();
    const WriteResult result = writeText(n, written.version);
    if (succeeded(result)) inFile_ = written;
    return result;
}

EntryCommands::Kept EntryCommands::keep() const {
    Kept kept;
    const EntryNumber n = currentEntry();
    if (n == 0) return kept;
    kept.name = form_.lbEntryList.text(state_.currEntryListIndex);
    kept.number = n;
    if (state_.entryCut || !inFile_) return kept;
    kept.editor = now().version;
    kept.written = inFile_->version;
    if (read_) kept.read = read_->version;
    kept.title = trimBlanks(form_.destinationTextList.text());
    kept.dosBox = form_.dosBoxChk.value();
    return kept;
}

std::optional<WriteResult> EntryCommands::settle(const Kept& kept, bool mayAsk) {
    if (!kept.edited()) return WriteResult::Ok;
    const std::vector<NamedEntry> names = file_.readNames();
    EntryNumber m = 0;
    for (const NamedEntry& entry : names) {
        if (entry.name != kept.name) continue;
        if (m == 0 || entry.number == kept.number) m = entry.number;
        if (m == kept.number) break;
    }
    if (m == 0) {
        if (!mayAsk) return std::nullopt;
        if (!messages_.ask(messages::EditorTextGone, {kept.name, file_.path()}))
            return WriteResult::Ok;
        if (names.size() >= static_cast<std::size_t>(MaxEntries)) {
            reportFull();
            return WriteResult::Ok;
        }
        const auto n = static_cast<EntryNumber>(names.size() + 1);
        return file_.writeEntry(n, {kept.name, textForFile(editorFormToText(kept.editor.editorText)), kept.title,
                                    kept.editor.crypt, kept.dosBox});
    }
    const auto inFile = versionOf(file_.readEntry(m));
    if (inFile == kept.editor) return WriteResult::Ok;
    // The file's entry is as the program last read or wrote it: the change
    // of the other program lies elsewhere, and nothing of it is lost.
    const bool untouched = inFile && (inFile == kept.written || inFile == kept.read);
    if (!untouched) {
        if (!mayAsk) return std::nullopt;
        if (!messages_.ask(messages::EditorTextChangedBoth, {kept.name, file_.path()}))
            return WriteResult::Ok;
    }
    const WriteResult result = writeText(m, kept.editor);
    // Written where the editor's entry lies: the editor holds what the file does.
    if (succeeded(result) && m == kept.number && m == currentEntry()) inFile_ = now();
    return result;
}

void EntryCommands::keepUnsaved(const Kept& kept) {
    if (!kept.edited()) return;
    const int row = form_.lbEntryList.listIndex();
    if (row < 0 || form_.lbEntryList.text(row) != kept.name || now().version == kept.editor) return;
    showTextInEditor(form_.ghostTextTB, kept.editor.editorText);
    state_.entryLoading = true;
    form_.cryptChk.setValue(kept.editor.crypt);
    state_.entryLoading = false;
}

int EntryCommands::rowNamed(const std::string& name, EntryNumber number) const {
    const ui::ListBox& list = form_.lbEntryList;
    int found = -1;
    for (int i = 0; i < list.count(); ++i) {
        if (list.text(i) != name) continue;
        if (list.itemData(i) == number) return i;
        if (found < 0) found = i;
    }
    return found;
}

int EntryCommands::sameName(const std::string& name, int skip) const {
    const ui::ListBox& list = form_.lbEntryList;
    const std::string upper = toUpper(name);
    for (int i = 0; i < list.count(); ++i)
        if (i != skip && toUpper(list.text(i)) == upper) return i;
    return -1;
}

bool EntryCommands::changedUnderCommand() {
    if (!file_.changedOutside()) return false;
    messages_.show(messages::ChangedOutside, {file_.path()});
    if (rereadFile_) rereadFile_();
    return true;
}

bool EntryCommands::confirmDuplicate(const std::string& name) {
    return messages_.ask(messages::NameTaken, {name}, true);
}

void EntryCommands::newEntry() {
    MainForm& f = form_;
    if (f.lbEntryList.count() >= MaxEntries) {
        reportFull();
        return;
    }
    std::string name;
    for (;;) {
        name = trimBlanks(IniAccess::singleLine(services_.dialogs.inputBox(
            "Scrivlet - Neuen Eintrag erstellen", "Bitte geben Sie einen Namen für den neuen Eintrag an:", "")));
        if (name.empty()) return;
        if (sameName(name, -1) < 0 || confirmDuplicate(name)) break;
    }
    if (changedUnderCommand()) return;
    const auto n = static_cast<EntryNumber>(f.lbEntryList.count() + 1);
    // A new entry starts empty, enciphered, for the last used window.
    const WriteResult result = file_.writeEntry(n, {name, "", "", 1, 0});
    // Also when it succeeded: the day's backup may have failed.
    reportWrite(result);
    if (!succeeded(result)) return;
    const int row = f.lbEntryList.addItem(name, n);
    f.lbEntryList.setListIndex(row);
    refreshControls_();
    f.ghostTextTB.setFocus();
}

void EntryCommands::renameEntry() {
    MainForm& f = form_;
    const int p = f.lbEntryList.listIndex();
    if (p < 0) return;
    const std::intptr_t n = f.lbEntryList.itemData(p);
    const std::string old = f.lbEntryList.text(p);
    std::string name;
    for (;;) {
        name = trimBlanks(IniAccess::singleLine(services_.dialogs.inputBox(
            "Scrivlet - Eintrag umbenennen",
            "Bitte geben Sie einen neuen Namen für den Eintrag ''" + old + "'' an:", old)));
        if (name.empty()) return;
        if (sameName(name, p) < 0 || confirmDuplicate(name)) break;
    }
    if (changedUnderCommand()) return;
    // Its abbreviation follows it: the file keys abbreviations by name.
    const auto number = static_cast<EntryNumber>(n);
    const WriteResult result = file_.writeFields({{"Name", number, name}}, file_.abbreviationFollowing(number, name));
    // Also when it succeeded: the day's backup may have failed.
    reportWrite(result);
    if (!succeeded(result)) return;
    f.lbEntryList.removeItem(p);
    const int row = f.lbEntryList.addItem(name, n);
    f.lbEntryList.setListIndex(row);
}

void EntryCommands::deleteEntry() {
    MainForm& f = form_;
    ui::ListBox& list = f.lbEntryList;
    const int p = list.listIndex();
    if (p < 0) return;
    const auto d = static_cast<EntryNumber>(list.itemData(p));
    if (!messages_.ask(messages::DeleteEntry, {list.text(p)})) return;
    if (changedUnderCommand()) return;

    int q = 0;
    for (int i = 1; i < list.count(); ++i)
        if (list.itemData(i) > list.itemData(q)) q = i;
    const auto m = static_cast<EntryNumber>(list.itemData(q));

    // The highest-numbered entry moves into the freed number, so the numbers
    // stay without gaps; its old number is emptied, which ends the list there.
    // Both entries change as one, so a failed write leaves both as they were.
    std::vector<std::pair<EntryNumber, Entry>> changes;
    if (m != d) {
        Entry moved = file_.readEntry(m);
        if (moved.cut) {
            reportCut(messages::EntryCutNotMoved, list.text(q));
            return;
        }
        changes.emplace_back(d, std::move(moved));
    }
    changes.emplace_back(m, Entry{});
    // Its abbreviation goes with it, in the same change.
    const WriteResult result = file_.writeEntries(changes, file_.abbreviationFollowing(d, std::nullopt));
    // Also when it succeeded: the day's backup may have failed.
    reportWrite(result);
    if (!succeeded(result)) return;
    list.setItemData(q, d);
    list.removeItem(p);
    refreshControls_();
}

}  // namespace scrivlet
