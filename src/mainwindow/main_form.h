#pragma once
#include "platform/ui/form.h"
#include "platform/ui/list_box.h"
#include "platform/ui/menu.h"
#include "platform/ui/rich_edit.h"
#include "platform/ui/simple_controls.h"
#include "platform/ui/timer.h"

namespace scrivlet {

// The main window's controls and menus, laid out in twips on a client area of
// 9255 x 5790; containers are declared before what they hold.
class MainForm : public ui::Form {
public:
    static constexpr int DesignClientWidth = 9255;
    static constexpr int DesignClientHeight = 5790;

    explicit MainForm(ui::UiBackend& ui);

    // Spans the full width of any window size.
    ui::Line menueLinie{this, "MenueLinie", 0, 0, 999240, 0};

    ui::Frame listenFrame{this, "ListenFrame", {60, 120, 2715, 5355}, "Textbausteine"};
    ui::ListBox lbEntryList{&listenFrame, "lbEntryList", {120, 300, 2475, 3900}, true};
    ui::Panel container1{&listenFrame, "Container1", {120, 4320, 2535, 975}};
    ui::Button btnNew{&container1, "Btn(8)", {0, 0, 795, 915}, "&Neu", ui::Picture::New};
    ui::Button btnRename{&container1, "Btn(2)", {840, 0, 795, 915}, "&Umbe- nennen", ui::Picture::Rename};
    ui::Button btnDelete{&container1, "Btn(1)", {1680, 0, 795, 915}, "&Löschen", ui::Picture::Delete};
    ui::Timer destWindowsHandlePollTimer{*this, 1000, false};
    // Fires once, a moment after the start, for work that can wait until the
    // program has answered everything that waited for it during the start.
    ui::Timer afterStartTimer{*this, 100, false};
    // Ticks while work waits until no dialog, menu or send of the program is
    // open (MainWindow::whenIdle).
    ui::Timer idleTimer{*this, 100, false};

    ui::Frame textFrame{this, "TextFrame", {2880, 120, 5175, 5355}, "Bearbeitung"};
    // Arial 9.75 pt.
    ui::RichEdit ghostTextTB{&textFrame, "GhostTextTB", {120, 300, 4935, 3915}, {0x000000, "Arial"}, 195};
    ui::Panel container2{&textFrame, "Container2", {120, 4320, 4935, 975}};
    ui::Label abbreviationLabel{&container2, "KuerzelLabel", {60, 45, 600, 195}, "&Kürzel:"};
    ui::TextBox abbreviationTB{&container2, "KuerzelTB", {660, 0, 1620, 285}};
    // Wider than first laid out, so that Tahoma 8 pt, the windows' font, fits
    // their captions: this check box (1035), "Label1" (1080 at 60, now from
    // the panel's edge), the two option buttons (2055; the list beside the
    // second one starts 75 further right, at 3495), and the buttons of
    // "SteuerungsFrame" (795 at 120).
    ui::CheckBox cryptChk{&container2, "CryptChk", {2400, 0, 1125, 255}, "&Chiffrieren"};
    ui::CheckBox dosBoxChk{&container2, "DosBoxChk", {3960, 0, 975, 255}, "DOS-Bo&x"};
    ui::Label label1{&container2, "Label1", {0, 360, 1245, 195}, "Senden an das"};
    ui::OptionButton optLastWindow{&container2, "OptDestinationType(0)", {1260, 360, 2295, 255},
                                   "zuletzt benutzte &Fenster ", 0};
    ui::OptionButton optTitle{&container2, "OptDestinationType(1)", {1260, 660, 2235, 255},
                              "Fenster mit diesem &Titel:", 1};
    ui::ComboBox destinationTextList{&container2, "DestinationTextList", {3495, 600, 1440, 315}, true};

    // What the file's abbreviations need said: one of another entry of the
    // same name, or none whose name an entry has.
    ui::Label abbreviationNote{this, "KuerzelHinweis", {2940, 5535, 6255, 195}, ""};

    ui::Frame steuerungsFrame{this, "SteuerungsFrame", {8160, 120, 1035, 5355}, "Steuerung"};
    ui::Button btnOk{&steuerungsFrame, "Btn(3)", {90, 300, 855, 855}, "&OK", ui::Picture::Ok};
    ui::Button btnHelp{&steuerungsFrame, "Btn(10)", {90, 1260, 855, 915}, "&Hilfe", ui::Picture::Help};
    ui::Button btnInfo{&steuerungsFrame, "Btn(5)", {90, 2280, 855, 915}, "&Info", ui::Picture::Info};
    ui::Button btnDebug{&steuerungsFrame, "Btn(0)", {90, 3300, 855, 915}, "Debu&g", ui::Picture::Debug};
    ui::Button btnOptions{&steuerungsFrame, "Btn(4)", {90, 4320, 855, 915}, "&Optionen", ui::Picture::Options};

    // The menu bar. Each item is bound to a name where its menu is filled, so
    // a new row moves no handler and no enable rule.
    ui::Menu mDatei{"&Datei"};
    ui::MenuItem& miHide = mDatei.add("&Ausblenden");
    ui::MenuItem& miDateiSeparator = mDatei.add("-");
    ui::MenuItem& miQuit = mDatei.add("&Beenden");

    ui::Menu mBearbeiten{"&Bearbeiten"};
    ui::MenuItem& miCut = mBearbeiten.add("&Ausschneiden");
    ui::MenuItem& miCopy = mBearbeiten.add("&Kopieren");
    ui::MenuItem& miPaste = mBearbeiten.add("&Einfügen");
    ui::MenuItem& miDelete = mBearbeiten.add("&Löschen");
    ui::MenuItem& miBearbeitenSeparator = mBearbeiten.add("-");
    ui::MenuItem& miFind = mBearbeiten.add("&Suchen...", ui::Shortcut::CtrlF);
    ui::MenuItem& miFindNext = mBearbeiten.add("&Weitersuchen", ui::Shortcut::F3);

    ui::Menu mTexte{"&Texte"};
    ui::MenuItem& miNewEntry = mTexte.add("&Neu...");
    ui::MenuItem& miRenameEntry = mTexte.add("&Umbenennen...");
    ui::MenuItem& miDeleteEntry = mTexte.add("&Löschen");

    ui::Menu mExtras{"&Extras"};
    ui::MenuItem& miOptions = mExtras.add("&Optionen...");
    ui::MenuItem& miExtrasSeparator = mExtras.add("-");
    ui::MenuItem& miDebugger = mExtras.add("&Debugger...");

    ui::Menu mHilfe{"&?"};
    ui::MenuItem& miHelp = mHilfe.add("&Hilfe");
    ui::MenuItem& miHilfeSeparator = mHilfe.add("-");
    ui::MenuItem& miInfo = mHilfe.add("&Info");
};

}  // namespace scrivlet
