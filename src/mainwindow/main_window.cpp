#include "mainwindow/main_window.h"

#include "mainwindow/about_form.h"
#include "mainwindow/program.h"
#include "mainwindow/text_search.h"
#include "mainwindow/window_placement.h"
#include "platform/text.h"
#include "popup/border_strip.h"
#include "popup/popup_activation.h"
#include "store/entry_commands.h"
#include "store/message_text.h"
#include "tracking/target_tracker.h"
#include "transmit/editor_text.h"

namespace scrivlet {

namespace {
constexpr Colour WindowBackground = WindowBackgroundColour;
}

MainWindow::MainWindow(Program& program)
    : form(program.platform.ui), program_(program) {
    wireEvents();
    wireMenus();
}

MainWindow::~MainWindow() = default;

void MainWindow::wireEvents() {
    MainForm& f = form;
    auto commands = [this]() -> EntryCommands& { return *program_.entryCommands; };

    f.lbEntryList.onClick = [this] { selectEntry(); };
    attachMarkerKeys(f.ghostTextTB);
    f.ghostTextTB.onLostFocus = [commands] { commands().writeCurrTextData(); };
    f.cryptChk.onLostFocus = [commands] { commands().writeCurrTextData(); };
    f.ghostTextTB.onMouseDown = [this](const ui::MouseEvent& e) { editorMouseDown(e); };

    f.optLastWindow.onClick = [this] { destinationChosen(0); };
    f.optTitle.onClick = [this] { destinationChosen(1); };
    f.destinationTextList.onDropDown = [this] { rememberTitle(); };
    f.destinationTextList.onLostFocus = [this] { titleBoxLeft(); };
    f.dosBoxChk.onClick = [this] {
        if (!entryLoading) reportWrite(writeCurrentField("DosBox", std::to_string(form.dosBoxChk.value())));
    };

    f.btnNew.onClick = [commands] { commands().newEntry(); };
    f.btnRename.onClick = [commands] { commands().renameEntry(); };
    f.btnDelete.onClick = [commands] { commands().deleteEntry(); };
    f.btnOk.onClick = [this] { hideWindow(); };
    f.btnInfo.onClick = [this] { showAbout(); };

    f.destWindowsHandlePollTimer.onTick = [this] { program_.tracker->pollTick(); };

    f.onResize = [this] {
        if (form.windowState() != ui::WindowState::Minimized) layout_.relayout(form, false);
    };
    f.onQueryUnload = [this](ui::CloseReason reason, bool& cancel) { queryUnload(reason, cancel); };
    f.onUnload = [this] { unloading(); };
}

void MainWindow::wireMenus() {
    MainForm& f = form;
    auto commands = [this]() -> EntryCommands& { return *program_.entryCommands; };
    f.meDatei(1).onClick = [this] { hideWindow(); };
    f.meDatei(3).onClick = [this] { quit(); };
    f.mBearbeiten.onOpen = [this] { refreshControls(); };
    f.meBearbeiten(1).onClick = [this] { cut(); };
    f.meBearbeiten(2).onClick = [this] { copy(); };
    f.meBearbeiten(3).onClick = [this] { paste(); };
    f.meBearbeiten(4).onClick = [this] { deleteSelection(); };
    f.meBearbeiten(6).onClick = [this] { find(); };
    f.meBearbeiten(7).onClick = [this] { findNext(); };
    f.meTexte(1).onClick = [commands] { commands().newEntry(); };
    f.meTexte(2).onClick = [commands] { commands().renameEntry(); };
    f.meTexte(3).onClick = [commands] { commands().deleteEntry(); };
    f.meHilfe(3).onClick = [this] { showAbout(); };
}

void MainWindow::load() {
    form.realize();
    program_.location.locate(SnippetLocation::Mode::Start);
    program_.snippetFile.clearIgnoreList();
    form.setCaption(program_.appTitle());
    form.container1.setBackColour(form.backColour());
    form.container2.setBackColour(form.backColour());
    layout_.relayout(form, true);
    restorePlacement(form, program_.settings, program_.platform.ui.screen());
    if (program_.debugMode())
        showWindow();
    else
        installTrayIcon();
    program_.loadSnippetFile();
    if (!program_.ntPlatform()) form.destWindowsHandlePollTimer.setEnabled(true);
}

void MainWindow::installTrayIcon() {
    NotificationArea& tray = program_.platform.tray;
    tray.hook(
        program_.platform.ui.windowOf(form), [this](unsigned lParam) { program_.popup->iconMessage(lParam); },
        // A new taskbar (Explorer restarted) knows no icons; without this one
        // a hidden program could not be reached any more.
        [this] { program_.platform.tray.addIcon(0, "Scrivlet"); });
    const bool iconShown = tray.addIcon(0, "Scrivlet");
    // Hidden without an icon and without the border strip, the program could
    // only be ended from the task manager.
    if (iconShown || program_.snippetFile.options().viaBorder != 0)
        hideWindow();
    else
        showWindow();
}

void MainWindow::bindSnippets(const SnippetList& list) {
    MainForm& f = form;
    f.lbEntryList.clear();
    f.destinationTextList.clear();
    for (const auto& entry : list.entries) f.lbEntryList.addItem(entry.name, entry.number);
    for (const auto& title : list.titleChoices) f.destinationTextList.addItem(title);
    refreshControls();
}

void MainWindow::refreshControls() {
    MainForm& f = form;
    const bool entries = f.lbEntryList.count() > 0;
    if (entries) {
        const bool selection = f.ghostTextTB.selLength() > 0;
        const auto clip = program_.platform.clipboard.text();
        f.meBearbeiten(1).setEnabled(selection);
        f.meBearbeiten(2).setEnabled(selection);
        f.meBearbeiten(4).setEnabled(selection);
        f.meBearbeiten(3).setEnabled(clip && !clip->empty());
        f.meBearbeiten(6).setEnabled(true);
        f.meBearbeiten(7).setEnabled(!searchText.empty());
    } else {
        for (int item : {1, 2, 3, 4, 6, 7}) f.meBearbeiten(item).setEnabled(false);
        f.ghostTextTB.setText("");
    }
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &f.optLastWindow, &f.optTitle, &f.label1, &f.lbEntryList, &f.btnDelete, &f.btnRename,
             &f.ghostTextTB, &f.cryptChk, &f.dosBoxChk})
        c->setEnabled(entries);
    f.meTexte(2).setEnabled(entries);
    f.meTexte(3).setEnabled(entries);
    const Colour listColour = entries ? WindowBackground : f.backColour();
    f.lbEntryList.setBackColour(listColour);
    f.ghostTextTB.setBackColour(listColour);

    if (entries) {
        if (f.lbEntryList.listIndex() == -1) f.lbEntryList.setListIndex(0);
        if (!f.destinationTextList.text().empty() || titleModeChosen)
            f.optTitle.setValue(true);
        else
            f.optLastWindow.setValue(true);
    }
    const bool titleBox = f.optTitle.enabled() && f.optTitle.value();
    f.destinationTextList.setEnabled(titleBox);
    f.destinationTextList.setBackColour(titleBox ? WindowBackground : f.backColour());
}

void MainWindow::selectEntry() {
    currEntryListIndex = static_cast<std::int16_t>(form.lbEntryList.listIndex());
    program_.entryCommands->showEntry();
}

EntryNumber MainWindow::currentEntry() const {
    const ui::ListBox& list = form.lbEntryList;
    if (list.count() == 0 || currEntryListIndex < 0 || currEntryListIndex >= list.count()) return 0;
    return static_cast<EntryNumber>(list.itemData(currEntryListIndex));
}

WriteResult MainWindow::writeCurrentField(const std::string& section, const std::string& value) {
    const EntryNumber n = currentEntry();
    if (n == 0) return WriteResult::Ok;
    return program_.snippetFile.writeField(n, section, value);
}

void MainWindow::reportWrite(WriteResult result) {
    if (result == WriteResult::Ok) return;
    const std::string text =
        result == WriteResult::TooLong
            ? formatMessageText("Der Text ist zu lang, um in der Datei '%1' gespeichert zu werden.\\n\\n"
                                "Bitte kürzen Sie ihn. Der Text bleibt im Editor; in der Datei steht "
                                "weiter die bisherige Fassung.",
                                {program_.snippetFile.path()})
            : formatMessageText("Die Änderung konnte nicht in der Datei '%1' gespeichert werden.\\n\\n"
                                "Bitte prüfen Sie, ob die Datei schreibgeschützt ist und ob ihr Ordner "
                                "noch existiert.",
                                {program_.snippetFile.path()});
    program_.platform.dialogs.message({text, program_.appTitle(), MessageIcon::Error, MessageButtons::Ok, false});
}

void MainWindow::destinationChosen(int index) {
    if (entryLoading) return;
    if (index == 1) {
        titleModeChosen = true;
        refreshControls();
        form.destinationTextList.setFocus();
        return;
    }
    form.destinationTextList.setText("");
    refreshControls();
    WriteResult result = writeCurrentField("Title", "");
    if (succeeded(result)) result = writeCurrentField("DosBox", "0");
    reportWrite(result);
}

void MainWindow::rememberTitle() {
    ui::ComboBox& box = form.destinationTextList;
    const std::string title = trimBlanks(box.text());
    if (title.empty()) return;
    for (const auto& item : box.items())
        if (item.text == title) return;
    box.addItem(title);
}

void MainWindow::titleBoxLeft() {
    titleModeChosen = false;
    rememberTitle();
    refreshControls();
    reportWrite(writeCurrentField("Title", form.destinationTextList.text()));
}

void MainWindow::editorMouseDown(const ui::MouseEvent& e) {
    if (e.button != ui::MouseButton::Right || e.shift != ui::shift::None) return;
    refreshControls();
    program_.platform.ui.popupMenu(form, form.mBearbeiten);
}

void MainWindow::cut() {
    ui::RichEdit& editor = form.ghostTextTB;
    if (editor.selLength() == 0) return;
    copy();
    // Only what reached the clipboard may leave the editor.
    const auto clip = program_.platform.clipboard.text();
    if (clip && *clip == editor.selText()) editor.setSelText("");
}

void MainWindow::copy() {
    ui::RichEdit& editor = form.ghostTextTB;
    if (editor.selLength() == 0) return;
    if (!program_.platform.clipboard.setText(editor.selText()))
        program_.platform.dialogs.message(
            {formatMessageText("Die Zwischenablage wird gerade von einem anderen Programm benutzt.\\n\\n"
                               "Bitte versuchen Sie es gleich noch einmal."),
             program_.appTitle(), MessageIcon::Information, MessageButtons::Ok, false});
}

void MainWindow::paste() {
    const auto clip = program_.platform.clipboard.text();
    if (!clip) {
        program_.platform.dialogs.message(
            {formatMessageText("Die Zwischenablage enthält keinen Text oder wird gerade von einem "
                               "anderen Programm benutzt."),
             program_.appTitle(), MessageIcon::Information, MessageButtons::Ok, false});
        return;
    }
    form.ghostTextTB.setSelText(*clip);
}

void MainWindow::deleteSelection() { form.ghostTextTB.setSelText(""); }

void MainWindow::find() {
    searchText = program_.platform.ui.inputBox(program_.appTitle(), "Suchen nach:", searchText);
    if (searchText.empty()) return;
    findNext();
}

void MainWindow::findNext() {
    if (searchText.empty()) return;
    if (!findNextInEditor(form.ghostTextTB, searchText)) {
        program_.platform.dialogs.message({"Die Suche ist am Ende des Textes angekommen.", program_.appTitle(),
                                           MessageIcon::Information, MessageButtons::Ok, false});
        return;
    }
    form.ghostTextTB.setFocus();
}

void MainWindow::showAbout() {
    AboutForm about(program_.platform.ui, program_.appTitle());
    placeBesideMainWindow(about, form, program_.platform.ui.screen());
    about.showModal();
    about.unload();
}

void MainWindow::showWindow() { form.show(); }

void MainWindow::hideWindow() { form.hide(); }

void MainWindow::quit() { form.requestClose(ui::CloseReason::Code); }

void MainWindow::queryUnload(ui::CloseReason reason, bool& cancel) {
    // The close box only hides the window; the program lives on in the
    // notification area.
    if (reason == ui::CloseReason::User) {
        cancel = true;
        hideWindow();
    }
}

void MainWindow::unloading() {
    program_.strip->unload();
    savePlacement(form, program_.settings);
    if (!program_.debugMode()) {
        program_.platform.tray.deleteIcon(0);
        program_.platform.tray.unhook();
    }
    program_.platform.ui.quit();
}

}  // namespace scrivlet
