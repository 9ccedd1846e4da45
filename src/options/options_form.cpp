#include "options/options_form.h"

#include <utility>

namespace scrivlet {

OptionsForm::OptionsForm(ui::UiBackend& ui)
    : ui::Form(ui, "OptionsForm", DesignClientWidth, DesignClientHeight,
               {ui::BorderStyle::FixedSingle, false, false, true, false}) {
    setIcon(ui::Picture::Options);
    pathTB.setText("...");
    // Nothing reads the path back from the field: the user may select and
    // copy it, not change it there.
    pathTB.readOnly = true;
    for (ui::OptionButton* bar : {&topOpt, &bottomOpt, &leftOpt, &rightOpt}) bar->barStyle = true;
    redCircle.borderWidth = 2;
    colBtnSample.border = true;

    // Tab walks the controls in this order. A frame or panel takes the place
    // of the first control it holds, so that its controls come in their turn.
    const std::pair<ui::Control*, int> tabOrder[] = {
        {&autoStartChk, 0},   {&pumModeChk, 1},     {&pathTB, 2},          {&btnChooseFolder, 3},
        {&btnStandard, 4},    {&btnOpenFolder, 5},  {&iconOnlyOpt, 6},     {&iconAndBorderOpt, 7},
        {&mouseOverOpt, 8},   {&clickOpt, 9},       {&topOpt, 10},         {&rightOpt, 11},
        {&bottomOpt, 12},     {&leftOpt, 13},       {&btnColour, 14},      {&btnOk, 15},
        {&colBtnSample, 18},  {&label1, 21},        {&image1, 23},         {&redCircle, 24},
        {&einstellungenFrame, 0}, {&ablageFrame, 2}, {&aktivierungFrame, 6}, {&optLayer, 6},
        {&optLayer2, 8},      {&schnellauswahlFrame, 16}, {&hotkeyLabel, 16}, {&hotkeyBox, 17},
        {&hotkeyHint, 25},    {&kuerzelFrame, 19},  {&abbreviationsChk, 19}, {&atOnceChk, 20},
        {&ignoreCaseChk, 22}, {&kuerzelLabel, 26}};
    for (auto [control, index] : tabOrder) control->setTabIndex(index);
}

ui::OptionButton& OptionsForm::pumActPosOpt(int i) {
    switch (i) {
        case 1: return bottomOpt;
        case 2: return leftOpt;
        case 3: return rightOpt;
        default: return topOpt;
    }
}

}  // namespace scrivlet
