#include "options/options_window.h"

#include <utility>

namespace scrivlet {

OptionsWindow::OptionsWindow(Services services, SnippetFile& file, const MessageBoxes& messages,
                             std::string caption, OptionsLinks links)
    : form(services.ui),
      ui_(services.ui),
      dialogs_(services.dialogs),
      programs_(services.programs),
      file_(file),
      caption_(std::move(caption)),
      links_(std::move(links)),
      autostart_(services.autostart, messages) {
    wireEvents();
}

std::string OptionsWindow::openFolderCommandLine(const std::string& path) {
    return "explorer /e, /select, \"" + path + "\"";
}

void OptionsWindow::wireEvents() {
    OptionsForm& f = form;
    PopupOptions& options = file_.options();
    for (int i = 0; i < 2; ++i) {
        f.pumActOpt(i).onClick = [this, &options, i] {
            options.viaBorder = i;
            showHideBorderStuff(i);
        };
        f.pumActBorderByClickOpt(i).onClick = [&options, i] { options.borderByClick = i; };
    }
    for (int i = 0; i < 4; ++i) f.pumActPosOpt(i).onClick = [&options, i] { options.position = i; };
    f.pumModeChk.onClick = [this, &options] { options.cascade = form.pumModeChk.value(); };
    f.autoStartChk.onClick = [this] { autostart_.apply(form.autoStartChk); };
    f.hotkeyBox.onChange = [this, &options] {
        options.pickerHotkey = form.hotkeyBox.value();
        if (links_.applyPickerHotkey) links_.applyPickerHotkey();
    };
    // Held by the program, the combination would open the picker instead of
    // reaching the field.
    f.hotkeyBox.onGotFocus = [this] {
        if (links_.pausePickerHotkey) links_.pausePickerHotkey(true);
    };
    f.hotkeyBox.onLostFocus = [this] {
        if (links_.pausePickerHotkey) links_.pausePickerHotkey(false);
    };
    const std::pair<ui::CheckBox*, int PopupOptions::*> abbreviationBoxes[] = {
        {&f.abbreviationsChk, &PopupOptions::abbreviations},
        {&f.atOnceChk, &PopupOptions::atOnce},
        {&f.ignoreCaseChk, &PopupOptions::ignoreCase}};
    for (const auto& [box, value] : abbreviationBoxes)
        box->onClick = [this, &options, box, value] {
            options.*value = box->value();
            showAbbreviationBoxes();
            if (links_.applyAbbreviations) links_.applyAbbreviations();
        };

    f.btnChooseFolder.onClick = [this] {
        if (links_.chooseFolder) links_.chooseFolder(ui_.windowOf(form));
    };
    f.btnStandard.onClick = [this] {
        if (links_.useStandardFile) links_.useStandardFile();
    };
    // Whether the file manager starts is not examined: the user sees it.
    f.btnOpenFolder.onClick = [this] { (void)programs_.start(openFolderCommandLine(file_.path())); };
    f.btnColour.onClick = [this] { chooseColour(); };
    f.btnOk.onClick = [this] { confirm(); };

    f.onActivate = [this] {
        if (links_.placeBesideMainWindow) links_.placeBesideMainWindow(form);
    };
    // The close box only hides the dialog, and so does a close request from
    // another program; when the program ends (the session too) it goes.
    f.onQueryUnload = [this](ui::CloseReason reason, bool& cancel) {
        if (reason != ui::CloseReason::User && reason != ui::CloseReason::TaskManager) return;
        cancel = true;
        hide();
    };
}

void OptionsWindow::create() {
    if (created_) return;
    created_ = true;
    form.setCaption(caption_);
    form.realize();
    autostart_.init(form.autoStartChk);
}

void OptionsWindow::showPath(const std::string& path) {
    create();
    form.pathTB.setText(path);
}

void OptionsWindow::showOptions() {
    create();
    const PopupOptions loaded = file_.options();
    // Selecting a button runs its handler, which sets the same value.
    form.pumActBorderByClickOpt(loaded.borderByClick).setValue(true);
    form.pumActOpt(loaded.viaBorder).setValue(true);
    form.pumActPosOpt(loaded.position).setValue(true);
    form.pumModeChk.setValue(loaded.cascade);
    form.hotkeyBox.setValue(loaded.pickerHotkey);
    form.abbreviationsChk.setValue(loaded.abbreviations);
    form.atOnceChk.setValue(loaded.atOnce);
    form.ignoreCaseChk.setValue(loaded.ignoreCase);
}

void OptionsWindow::showAbbreviationBoxes() {
    const bool on = form.abbreviationsChk.value() != 0;
    form.atOnceChk.setEnabled(on);
    form.ignoreCaseChk.setEnabled(on);
}

void OptionsWindow::showBorderColour(Colour colour) {
    for (int i = 0; i < 4; ++i) form.pumActPosOpt(i).setBackColour(colour);
    form.colBtnSample.setBackColour(colour);
}

void OptionsWindow::showHideBorderStuff(int v) {
    const bool border = v != 0;
    for (int i = 0; i < 4; ++i) form.pumActPosOpt(i).setVisible(border);
    form.btnColour.setVisible(border);
    form.colBtnSample.setVisible(border);
    form.redCircle.setVisible(!border);
    for (int i = 0; i < 2; ++i) form.pumActBorderByClickOpt(i).setEnabled(border);
}

void OptionsWindow::chooseColour() {
    // A cancel, or a chooser that could not be shown, changes nothing.
    const auto chosen = dialogs_.chooseColour(ui_.windowOf(form), chooserColour_);
    if (!chosen) return;
    chooserColour_ = *chosen;
    if (links_.applyBorderColour) links_.applyBorderColour(*chosen);
}

void OptionsWindow::hide() {
    form.hide();
    // The field may still have had the focus: the hotkey is the program's again.
    if (links_.pausePickerHotkey) links_.pausePickerHotkey(false);
}

void OptionsWindow::confirm() {
    hide();
    const WriteResult saved = file_.saveOptions();
    if (links_.reportWrite) links_.reportWrite(saved);
    if (links_.applyBorderStrip) links_.applyBorderStrip();
}

void OptionsWindow::show(bool modal) {
    create();
    if (form.unloaded()) return;
    autostart_.refresh(form.autoStartChk);
    // Placed before it appears, so that it does not jump.
    if (links_.placeBesideMainWindow) links_.placeBesideMainWindow(form);
    // Open already, modal or not, it comes to the front; a second modal
    // loop could not start on it.
    if (!modal || form.visible()) {
        form.show();
        return;
    }
    form.showModal();
}

void OptionsWindow::unload() { form.unload(); }

}  // namespace scrivlet
