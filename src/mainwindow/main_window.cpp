#include "mainwindow/main_window.h"

#include "mainwindow/about_form.h"
#include "mainwindow/editor_text.h"
#include "mainwindow/text_search.h"
#include "mainwindow/window_placement.h"
#include "platform/text.h"
#include "mainwindow/write_report.h"

namespace scrivlet {

namespace {
constexpr Colour WindowBackground = WindowBackgroundColour;
}

MainWindow::MainWindow(Services services, SnippetFile& file, UserSettings& settings, SnippetLocation& location,
                       const MessageBoxes& messages, bool ntPlatform, MainWindowLinks links)
    : form(services.ui),
      services_(services),
      file_(file),
      settings_(settings),
      location_(location),
      messages_(messages),
      ntPlatform_(ntPlatform),
      links_(std::move(links)),
      commands_(form, editor_, {services.dialogs, services.random}, file, messages,
                [this] { refreshControls(); }, [this] { run(links_.rereadFile); }),
      abbreviation_(form, file, messages, [this](WriteResult result) { reportWrite(result); }) {
    wireEvents();
    wireMenus();
}

MainWindow::~MainWindow() = default;

void MainWindow::wireEvents() {
    MainForm& f = form;

    f.lbEntryList.onClick = [this] { selectEntry(); };
    attachMarkerKeys(f.ghostTextTB);
    f.ghostTextTB.onLostFocus = [this] { textLeft(); };
    f.cryptChk.onLostFocus = [this] { textLeft(); };
    f.ghostTextTB.onMouseDown = [this](const ui::MouseEvent& e) { editorMouseDown(e); };

    f.optLastWindow.onClick = [this] { destinationChosen(0); };
    f.optTitle.onClick = [this] { destinationChosen(1); };
    f.destinationTextList.onDropDown = [this] { rememberTitle(); };
    f.destinationTextList.onLostFocus = [this] { titleBoxLeft(); };
    f.abbreviationTB.onLostFocus = [this] { abbreviation_.left(); };
    f.dosBoxChk.onClick = [this] {
        if (!editor_.entryLoading) reportWrite(writeCurrentField("DosBox", std::to_string(form.dosBoxChk.value())));
    };

    f.btnNew.onClick = [this] { commands_.newEntry(); };
    f.btnRename.onClick = [this] { commands_.renameEntry(); };
    f.btnDelete.onClick = [this] { commands_.deleteEntry(); };
    f.btnOk.onClick = [this] { hideWindow(); };
    f.btnInfo.onClick = [this] { showAbout(); };
    f.btnOptions.onClick = [this] {
        if (links_.showOptions) links_.showOptions(false);
    };
    f.btnDebug.onClick = [this] { run(links_.showDebugger); };
    f.btnHelp.onClick = [this] { run(links_.showHelp); };
    // The debug window's gestures: any button with exactly Ctrl+Alt held on the
    // command column, or with exactly Shift+Ctrl on the editor's frame.
    f.steuerungsFrame.onMouseDown = [this](const ui::MouseEvent& e) {
        if (e.shift == (ui::shift::Ctrl | ui::shift::Alt)) run(links_.showDebugWindow);
    };
    f.textFrame.onMouseDown = [this](const ui::MouseEvent& e) {
        if (e.shift == (ui::shift::Shift | ui::shift::Ctrl)) run(links_.showDebugWindow);
    };

    f.destWindowsHandlePollTimer.onTick = [this] { links_.pollTargets(); };
    f.afterStartTimer.onTick = [this] {
        form.afterStartTimer.setEnabled(false);
        run(links_.afterStart);
    };
    f.idleTimer.onTick = [this] { runIdleWork(); };
    // What the editor shows is what a send from the menu types: the user who
    // switches to another program to use the entry takes no focus from the
    // editor, so the text is written when the program loses the activation.
    f.onDeactivate = [this] { deactivated(); };

    f.onResize = [this] {
        if (form.windowState() != ui::WindowState::Minimized) layout_.relayout(form, false);
    };
    f.onQueryUnload = [this](ui::CloseReason reason, bool& cancel) { queryUnload(reason, cancel); };
    f.onUnload = [this] { unloading(); };
    // Windows asks before it ends the session; the answer is yes, once the
    // text is safe.
    f.onQueryEndSession = [this](bool&) { saveBeforeEnd(); };
    // A second start of the program shows this window instead of running a
    // second copy: shown, restored from the taskbar, in front (a maximized
    // window stays so).
    f.onShowRequest = [this] {
        if (form.windowState() == ui::WindowState::Minimized) form.setWindowState(ui::WindowState::Normal);
        showWindow();
    };
}

void MainWindow::wireMenus() {
    MainForm& f = form;
    f.miHide.onClick = [this] { hideWindow(); };
    f.miQuit.onClick = [this] { quit(); };
    f.mBearbeiten.onOpen = [this] { refreshControls(); };
    f.miCut.onClick = [this] { cut(); };
    f.miCopy.onClick = [this] { copy(); };
    f.miPaste.onClick = [this] { paste(); };
    f.miDelete.onClick = [this] { deleteSelection(); };
    f.miFind.onClick = [this] { find(); };
    f.miFindNext.onClick = [this] { findNext(); };
    f.miNewEntry.onClick = [this] { commands_.newEntry(); };
    f.miRenameEntry.onClick = [this] { commands_.renameEntry(); };
    f.miDeleteEntry.onClick = [this] { commands_.deleteEntry(); };
    f.miOptions.onClick = [this] {
        if (links_.showOptions) links_.showOptions(true);
    };
    f.miDebugger.onClick = [this] { run(links_.showDebugger); };
    f.miHelp.onClick = [this] { run(links_.showHelp); };
    f.miInfo.onClick = [this] { showAbout(); };
}

void MainWindow::load(bool debugMode) {
    debugMode_ = debugMode;
    form.realize();
    // The clipboard is opened for the main window: for no window, Windows
    // takes no text onto it.
    services_.clipboard.setOwner(services_.ui.windowOf(form));
    location_.locate(SnippetLocation::Mode::Start);
    file_.clearIgnoreList();
    form.setCaption(messages_.title());
    form.container1.setBackColour(form.backColour());
    form.container2.setBackColour(form.backColour());
    layout_.relayout(form, true);
    restorePlacement(form, settings_, services_.ui.screen());
    if (debugMode_)
        showWindow();
    else
        installTrayIcon();
    links_.loadSnippetFile();
    if (!ntPlatform_) form.destWindowsHandlePollTimer.setEnabled(true);
    if (debugMode_) run(links_.showDebugWindow);
    form.afterStartTimer.setEnabled(true);
}

void MainWindow::installTrayIcon() {
    NotificationArea& tray = services_.tray;
    tray.hook(
        services_.ui.windowOf(form), [this](unsigned lParam) { links_.iconMessage(lParam); },
        // A new taskbar (Explorer restarted) knows no icons; without this one
        // a hidden program could not be reached any more.
        [this] { services_.tray.addIcon(0, "Scrivlet"); });
    const bool iconShown = tray.addIcon(0, "Scrivlet");
    // Hidden without an icon and without the border strip, the program could
    // only be ended from the task manager.
    if (iconShown || file_.options().viaBorder != 0)
        hideWindow();
    else
        showWindow();
}

void MainWindow::bindSnippets(const SnippetList& list) {
    MainForm& f = form;
    // In one go each: thousands of entries, one change for the window.
    std::vector<ui::ListItem> entries;
    entries.reserve(list.entries.size());
    for (const auto& entry : list.entries) entries.push_back({entry.name, entry.number});
    f.lbEntryList.setItems(std::move(entries));
    f.destinationTextList.setItems(list.titleChoices);
    // Read anew, the file shows the entry of the same name again (its number
    // may have changed); otherwise refreshControls shows the first.
    if (keepShown_)
        if (const int row = commands_.rowNamed(keepShown_->first, keepShown_->second); row >= 0)
            f.lbEntryList.setListIndex(row);
    refreshControls();
}

void MainWindow::refreshControls() {
    MainForm& f = form;
    const bool entries = f.lbEntryList.count() > 0;
    if (entries) {
        const bool selection = f.ghostTextTB.selLength() > 0;
        const auto clip = services_.clipboard.text();
        f.miCut.setEnabled(selection);
        f.miCopy.setEnabled(selection);
        f.miDelete.setEnabled(selection);
        f.miPaste.setEnabled(clip && !clip->empty());
        f.miFind.setEnabled(true);
        f.miFindNext.setEnabled(!searchText_.empty());
    } else {
        for (ui::MenuItem* item : {&f.miCut, &f.miCopy, &f.miPaste, &f.miDelete, &f.miFind, &f.miFindNext})
            item->setEnabled(false);
        f.ghostTextTB.setText("");
    }
    for (ui::Control* c : std::initializer_list<ui::Control*>{&f.label1, &f.lbEntryList, &f.btnDelete, &f.btnRename})
        c->setEnabled(entries);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&f.optLastWindow, &f.optTitle, &f.ghostTextTB,
                                                              &f.cryptChk, &f.dosBoxChk})
        c->setEnabled(entries && !editor_.entryCut);
    f.miRenameEntry.setEnabled(entries);
    f.miDeleteEntry.setEnabled(entries);
    const Colour listColour = entries ? WindowBackground : f.backColour();
    f.lbEntryList.setBackColour(listColour);
    f.ghostTextTB.setBackColour(listColour);

    if (entries) {
        if (f.lbEntryList.listIndex() == -1) f.lbEntryList.setListIndex(0);
        if (!f.destinationTextList.text().empty() || titleModeChosen_)
            f.optTitle.setValue(true);
        else
            f.optLastWindow.setValue(true);
    }
    const bool titleBox = f.optTitle.enabled() && f.optTitle.value();
    f.destinationTextList.setEnabled(titleBox);
    f.destinationTextList.setBackColour(titleBox ? WindowBackground : f.backColour());
    // What the user is typing there stays until the field is left.
    if (!f.abbreviationTB.hasFocus()) {
        const int row = f.lbEntryList.listIndex();
        abbreviation_.show(row >= 0 ? static_cast<EntryNumber>(f.lbEntryList.itemData(row)) : EntryNumber{0}, row >= 0 ? f.lbEntryList.text(row) : "",
                           entries && !editor_.entryCut);
    }
}

void MainWindow::selectEntry() {
    editor_.currEntryListIndex = static_cast<std::int16_t>(form.lbEntryList.listIndex());
    commands_.showEntry();
}

WriteResult MainWindow::writeCurrentField(const std::string& section, const std::string& value) {
    const EntryNumber n = currentEntry();
    if (n == 0 || editor_.entryCut) return WriteResult::Ok;
    return file_.writeField(n, section, value);
}

void MainWindow::reportWrite(WriteResult result) { scrivlet::reportWrite(messages_, file_, result); }

void MainWindow::reportBackupFailure() { scrivlet::reportBackupFailure(messages_, file_); }

void MainWindow::destinationChosen(int index) {
    if (editor_.entryLoading) return;
    if (index == 1) {
        titleModeChosen_ = true;
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
    titleModeChosen_ = false;
    // A title is one line; a pasted line break would break the file's line.
    const std::string title = IniAccess::singleLine(form.destinationTextList.text());
    if (title != form.destinationTextList.text()) form.destinationTextList.setText(title);
    rememberTitle();
    refreshControls();
    reportWrite(writeCurrentField("Title", form.destinationTextList.text()));
}

void MainWindow::editorMouseDown(const ui::MouseEvent& e) {
    if (e.button != ui::MouseButton::Right || e.shift != ui::shift::None) return;
    refreshControls();
    services_.ui.popupMenu(form, form.mBearbeiten);
}

void MainWindow::cut() {
    ui::RichEdit& editor = form.ghostTextTB;
    if (editor.selLength() == 0) return;
    copy();
    // Only what reached the clipboard may leave the editor.
    const auto clip = services_.clipboard.text();
    if (clip && *clip == editor.selText()) editor.setSelText("");
}

void MainWindow::copy() {
    ui::RichEdit& editor = form.ghostTextTB;
    if (editor.selLength() == 0) return;
    if (!services_.clipboard.setText(editor.selText()))
        messages_.show(messages::ClipboardBusyCopy);
}

void MainWindow::paste() {
    const auto clip = services_.clipboard.text();
    if (!clip) {
        messages_.show(messages::ClipboardEmpty);
        return;
    }
    form.ghostTextTB.setSelText(*clip);
}

void MainWindow::deleteSelection() { form.ghostTextTB.setSelText(""); }

void MainWindow::find() {
    searchText_ = services_.dialogs.inputBox(messages_.title(), "Suchen nach:", searchText_);
    if (searchText_.empty()) return;
    findNext();
}

void MainWindow::findNext() {
    if (searchText_.empty()) return;
    if (!findNextInEditor(form.ghostTextTB, searchText_)) {
        messages_.show(messages::SearchAtEnd);
        return;
    }
    form.ghostTextTB.setFocus();
}

void MainWindow::showAbout() {
    AboutForm about(services_.ui, messages_.title());
    // Its size comes with its window: placed before, it would take the size
    // of nothing.
    about.realize();
    placeBesideMainWindow(about, form, services_.ui.screen());
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

void MainWindow::textLeft() {
    // Written now, so a later automatic write tries again whatever the
    // editor holds then.
    lastTried_.reset();
    reportWrite(storeText());
}

WriteResult MainWindow::storeText() {
    if (!file_.changedOutside()) return commands_.storeCurrTextData();
    // Another program changed the file (the user edits it in notepad): the
    // entry's number may name another entry there now. The text goes to the
    // entry of its name where nothing is lost; otherwise it waits for the
    // file to be read again, soon, where the user decides.
    run(links_.rereadFile);
    const EntryCommands::Kept kept = commands_.keep();
    if (const auto written = commands_.settle(kept, false)) return *written;
    held_ = kept;
    return WriteResult::Ok;
}

WriteResult MainWindow::writePendingText() {
    // Nothing changed, nothing is written (an enciphered text would change
    // its salt). The same text is not tried twice: asked first whether the
    // session may end, then ending, the program writes (and reports) once,
    // and a read-only file is not reported at every switch to another program.
    if (!commands_.textUnsaved()) return WriteResult::Ok;
    const Tried now{currentEntry(), form.ghostTextTB.text(), form.cryptChk.value()};
    if (lastTried_ == now) return WriteResult::Ok;
    lastTried_ = now;
    return storeText();
}

void MainWindow::savePendingText() { reportWrite(writePendingText()); }

void MainWindow::settleHeld(const EntryCommands::Kept& current) {
    if (!held_) return;
    const EntryCommands::Kept held = *held_;
    held_.reset();
    // The editor's own text, newer, is settled by the caller.
    if (held.name == current.name && held.number == current.number) return;
    reportWrite(commands_.settle(held, true).value_or(WriteResult::Ok));
}

void MainWindow::deactivated() {
    const WriteResult result = writePendingText();
    // Not told inside the activation change: a message box there would
    // start its own loop while the system switches windows.
    whenIdle([this, result] { reportWrite(result); });
}

void MainWindow::saveBeforeEnd() {
    // The editor's text is otherwise written only when the editor loses the
    // focus or the program the activation, which neither does when the
    // program ends. A text that waited for the file to be read again is
    // settled with the user now.
    savePendingText();
    const EntryCommands::Kept current = commands_.keep();
    if (held_ && held_->name == current.name && held_->number == current.number)
        reportWrite(commands_.settle(current, true).value_or(WriteResult::Ok));
    settleHeld(current);
}

void MainWindow::whenIdle(std::function<void()> work) {
    idleWork_.push_back(std::move(work));
    form.idleTimer.setEnabled(true);
}

void MainWindow::runIdleWork() {
    if (form.unloaded()) {
        idleWork_.clear();
        return;
    }
    // Each piece may open a dialog of its own: the next waits for it.
    while (!idleWork_.empty() && !form.unloaded() && !(links_.busy && links_.busy())) {
        const std::function<void()> work = std::move(idleWork_.front());
        idleWork_.pop_front();
        work();
    }
    if (idleWork_.empty()) form.idleTimer.setEnabled(false);
}

void MainWindow::reload(const std::function<void()>& load) {
    const bool outside = file_.changedOutside();
    if (!outside) savePendingText();
    const EntryCommands::Kept kept = commands_.keep();
    settleHeld(kept);
    if (outside) reportWrite(commands_.settle(kept, true).value_or(WriteResult::Ok));
    if (kept.number != 0) keepShown_.emplace(kept.name, kept.number);
    load();
    keepShown_.reset();
    if (!outside) commands_.keepUnsaved(kept);
}

void MainWindow::unloading() {
    saveBeforeEnd();
    if (links_.unloadOtherWindows) links_.unloadOtherWindows();
    if (!succeeded(savePlacement(form, settings_)))
        messages_.show(messages::PlacementNotSaved);
    if (!debugMode_) {
        services_.tray.deleteIcon(0);
        services_.tray.unhook();
    }
    services_.ui.quit();
}

}  // namespace scrivlet
