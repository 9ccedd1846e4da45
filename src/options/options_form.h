#pragma once
#include "platform/ui/form.h"
#include "platform/ui/hotkey_box.h"
#include "platform/ui/simple_controls.h"

namespace scrivlet {

// The options dialog's controls, laid out in twips on a client area of
// 12555 x 5340 (the third column holds what came after the first two).
// Windows that overlap lie in the order they are declared, the
// first on top; Tab goes by the tab indices set in the constructor.
class OptionsForm : public ui::Form {
public:
    static constexpr int DesignClientWidth = 12555;
    static constexpr int DesignClientHeight = 5340;

    explicit OptionsForm(ui::UiBackend& ui);

    ui::Frame einstellungenFrame{this, "FrameEinstellungen", {120, 60, 4035, 1935}, "Einstellungen"};
    // Some controls are wider than first laid out, so that Tahoma 8 pt, the
    // windows' font, fits their captions: these two check boxes (3555, 3735),
    // the two buttons that name the folder (2475), "PumActBorderByClickOpt(1)"
    // (2055) and "Position:" (600).
    ui::CheckBox autoStartChk{&einstellungenFrame, "AutoStartChk", {180, 360, 3705, 315},
                              "&Programm direkt beim Systemstart aufrufen"};
    ui::CheckBox pumModeChk{&einstellungenFrame, "PUMModeChk", {180, 840, 3810, 315},
                            "&Textbaustein-Menü kaskadierend darstellen"};

    ui::Frame ablageFrame{this, "FrameAblage", {120, 2160, 4035, 2595}, "Ablage der Textbausteine"};
    ui::TextBox pathTB{&ablageFrame, "PathTB", {180, 480, 3675, 315}};
    ui::Button btnChooseFolder{&ablageFrame, "Btn(0)", {180, 1020, 2535, 375}, "Speicherort selbst festlegen ..."};
    ui::Button btnStandard{&ablageFrame, "Btn(2)", {2760, 1020, 1095, 375}, "&Standard"};
    ui::Button btnOpenFolder{&ablageFrame, "Btn(3)", {180, 1620, 2535, 375}, "Betreffenden Ordner öffnen ..."};

    ui::Frame aktivierungFrame{this, "FrameAktivierung", {4260, 60, 4035, 4695}, "Aktivierung des PopUp-Menüs"};
    // Declared before OptLayer, which it overlaps beside "Icon &und": it lies on top.
    ui::Panel optLayer2{&aktivierungFrame, "OptLayer2", {1260, 600, 2595, 795}};
    ui::OptionButton mouseOverOpt{&optLayer2, "PumActBorderByClickOpt(0)", {0, 0, 2415, 195},
                                  "&Maus über Desktop-Rand", 0};
    ui::OptionButton clickOpt{&optLayer2, "PumActBorderByClickOpt(1)", {0, 300, 2205, 195},
                              "&Klick auf Bildschirmrand", 1};
    ui::Panel optLayer{&aktivierungFrame, "OptLayer", {240, 300, 3615, 675}};
    ui::OptionButton iconOnlyOpt{&optLayer, "PumActOpt(0)", {0, 0, 3495, 195},
                                 "nur per Klick auf &Icon in der Taskleiste", 0};
    ui::OptionButton iconAndBorderOpt{&optLayer, "PumActOpt(1)", {0, 300, 1695, 195}, "Icon &und", 1};
    ui::Label label1{&aktivierungFrame, "Label1", {240, 1260, 660, 195}, "Position:"};
    // The four edge bars lie along the edges of the pictured screen.
    ui::OptionButton topOpt{&aktivierungFrame, "PumActPosOpt(0)", {840, 1680, 2355, 135}, "", 0};
    ui::OptionButton bottomOpt{&aktivierungFrame, "PumActPosOpt(1)", {840, 3540, 2355, 135}, "", 1};
    ui::OptionButton leftOpt{&aktivierungFrame, "PumActPosOpt(2)", {720, 1800, 135, 1755}, "", 2};
    ui::OptionButton rightOpt{&aktivierungFrame, "PumActPosOpt(3)", {3180, 1800, 135, 1755}, "", 3};
    ui::Image image1{&aktivierungFrame, "Image1", {600, 1560, 2820, 2610}, ui::Picture::Monitor};
    // Over the notification area of the pictured taskbar; drawn after the picture.
    ui::Shape redCircle{&aktivierungFrame, "RedCircle", {2820, 3180, 495, 555}, ui::ShapeKind::Circle, 0x0000FF};
    ui::Button btnColour{&aktivierungFrame, "Btn(4)", {660, 4200, 2295, 375}, "&Farbauswahl"};
    ui::Label colBtnSample{&aktivierungFrame, "ColBtnSample", {3000, 4200, 375, 375}, ""};

    ui::Frame kuerzelFrame{this, "FrameKuerzel", {8400, 1620, 4035, 3135}, "Kürzel"};
    ui::CheckBox abbreviationsChk{&kuerzelFrame, "KuerzelChk", {180, 360, 3735, 315},
                                  "Kürzel durch ihren &Eintrag ersetzen"};
    ui::CheckBox atOnceChk{&kuerzelFrame, "KuerzelSofortChk", {180, 840, 3735, 315},
                           "&Gleich, ohne Trennzeichen danach"};
    ui::CheckBox ignoreCaseChk{&kuerzelFrame, "KuerzelGrossKleinChk", {180, 1320, 3735, 315},
                               "Groß-/Kleinschreibung &nicht beachten"};
    ui::Label kuerzelLabel{&kuerzelFrame, "KuerzelLabel", {180, 1860, 3735, 1095},
                           "Ein Kürzel wird in jedem Programm durch seinen Eintrag ersetzt, sobald danach ein "
                           "Leerzeichen, Enter, Tab oder Satzzeichen getippt wird."};

    ui::Button btnOk{this, "Btn(1)", {3180, 4860, 2055, 375}, "&OK"};

    ui::Frame schnellauswahlFrame{this, "FrameSchnellauswahl", {8400, 60, 4035, 1455}, "Schnellauswahl"};
    ui::Label hotkeyLabel{&schnellauswahlFrame, "HotkeyLabel", {180, 300, 3675, 195}, "&Tastenkombination:"};
    ui::HotkeyBox hotkeyBox{&schnellauswahlFrame, "HotkeyBox", {180, 540, 3675, 315}};
    ui::Label hotkeyHint{&schnellauswahlFrame, "HotkeyHint", {180, 930, 3675, 435},
                         "Kombination im Feld drücken; Rücktaste: keine."};

    ui::OptionButton& pumActOpt(int i) { return i == 0 ? iconOnlyOpt : iconAndBorderOpt; }
    ui::OptionButton& pumActBorderByClickOpt(int i) { return i == 0 ? mouseOverOpt : clickOpt; }
    ui::OptionButton& pumActPosOpt(int i);
};

}  // namespace scrivlet
