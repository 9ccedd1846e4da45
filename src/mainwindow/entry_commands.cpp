#include "mainwindow/entry_commands.h"

#include "mainwindow/editor_text.h"
#include "mainwindow/write_report.h"
#include "platform/text.h"
#include "store/entry_cipher.h"
#include "store/message_text.h"
#include "store/storage_escape.h"
#include "transmit/key_notation.h"

namespace scrivlet {

void EntryCommands::inform(const std::string& text) {
    messages_.show(MessageIcon::Information, text);
}

void EntryCommands::reportWrite(WriteResult result) const { scrivlet::reportWrite(messages_, file_.path(), result); }

void EntryCommands::reportCut(const std::string& name, const char* consequence) {
    messages_.show(MessageIcon::Error,
                   formatMessageText("Der Eintrag '%1' ist in der Datei '%2' länger, als Scrivlet lesen kann.\\n\\n%3",
                                     {name, file_.path(), consequence}));
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
            reportCut(f.lbEntryList.text(row),
                      "Er wird nicht angezeigt und bleibt in der Datei unverändert. Bitte kürzen Sie ihn "
                      "mit einem Texteditor.");
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
}

EntryCommands::InFile EntryCommands::now() const {
    const MainForm& f = form_;
    return {currentEntry(), f.ghostTextTB.text(), f.cryptChk.value()};
}

bool EntryCommands::textUnsaved() const {
    if (currentEntry() == 0 || state_.entryCut) return false;
    return !inFile_ || *inFile_ != now();
}

void EntryCommands::writeCurrTextData() {
    MainForm& f = form_;
    const EntryNumber n = currentEntry();
    if (n == 0 || state_.entryCut) return;
    const int crypt = f.cryptChk.value();
    std::string stored = textForFile(editorFormToText(f.ghostTextTB.text()));
    if (crypt) stored = encipherText(stored, services_.random);
    // Text and cipher flag change together or not at all, so the two never
    // disagree.
    const InFile written = now();
    const WriteResult result = file_.writeFields({{"Text", n, stored}, {"Crypt", n, std::to_string(crypt)}});
    if (succeeded(result)) inFile_ = written;
    reportWrite(result);
}

int EntryCommands::sameName(const std::string& name, int skip) const {
    const ui::ListBox& list = form_.lbEntryList;
    const std::string upper = toUpper(name);
    for (int i = 0; i < list.count(); ++i)
        if (i != skip && toUpper(list.text(i)) == upper) return i;
    return -1;
}

bool EntryCommands::confirmDuplicate(const std::string& name) {
    return messages_.ask(
        "Es gibt bereits einen Eintrag mit dem Namen \r'" + name + "'.\r\rMöchten Sie ihn dennoch verwenden?", true);
}

void EntryCommands::newEntry() {
    MainForm& f = form_;
    if (f.lbEntryList.count() >= MaxEntries) {
        inform("Es gibt bereits " + std::to_string(MaxEntries) +
               " Einträge, mehr kann Scrivlet nicht verwalten.\rBitte löschen Sie zuerst einen Eintrag.");
        return;
    }
    std::string name;
    for (;;) {
        name = trimBlanks(IniAccess::singleLine(services_.dialogs.inputBox(
            "Scrivlet - Neuen Eintrag erstellen", "Bitte geben Sie einen Namen für den neuen Eintrag an:", "")));
        if (name.empty()) return;
        if (sameName(name, -1) < 0 || confirmDuplicate(name)) break;
    }
    const auto n = static_cast<EntryNumber>(f.lbEntryList.count() + 1);
    // A new entry starts empty, enciphered, for the last used window.
    const WriteResult result = file_.writeEntry(n, {name, "", "", 1, 0});
    if (!succeeded(result)) {
        reportWrite(result);
        return;
    }
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
    const WriteResult result = file_.writeField(static_cast<EntryNumber>(n), "Name", name);
    if (!succeeded(result)) {
        reportWrite(result);
        return;
    }
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
    if (!messages_.ask("Wollen Sie den Eintrag '" + list.text(p) + "'\rwirklich löschen?")) return;

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
            reportCut(list.text(q), "Er kann nicht an die Stelle des gelöschten Eintrags rücken; die Datei "
                                    "bleibt unverändert.");
            return;
        }
        changes.emplace_back(d, std::move(moved));
    }
    changes.emplace_back(m, Entry{});
    const WriteResult result = file_.writeEntries(changes);
    if (!succeeded(result)) {
        reportWrite(result);
        return;
    }
    list.setItemData(q, d);
    list.removeItem(p);
    refreshControls_();
}

}  // namespace scrivlet
