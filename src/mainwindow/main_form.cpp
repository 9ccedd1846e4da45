#include "mainwindow/main_form.h"

#include "platform/single_instance.h"

namespace scrivlet {

MainForm::MainForm(ui::UiBackend& ui)
    : ui::Form(ui, "MainForm", DesignClientWidth, DesignClientHeight, {}) {
    setWindowClass(SingleInstance::MainWindowClass);
    for (ui::Menu* menu : {&mDatei, &mBearbeiten, &mTexte, &mExtras, &mHilfe}) addMenu(*menu);

    btnOk.setBold(true);
    btnOk.isDefault = false;

    const std::pair<ui::Control*, int> tabOrder[] = {
        {&lbEntryList, 0},   {&btnNew, 1},          {&btnRename, 2},  {&btnDelete, 3},
        {&ghostTextTB, 4},   {&abbreviationTB, 5},  {&cryptChk, 6},        {&dosBoxChk, 7},  {&optLastWindow, 8},
        {&optTitle, 9},      {&destinationTextList, 10}, {&btnOk, 11}, {&btnHelp, 12},
        {&btnInfo, 13},      {&btnDebug, 14},       {&btnOptions, 15}, {&textFrame, 16},
        {&steuerungsFrame, 17}, {&listenFrame, 18}, {&container1, 19}, {&container2, 20},
        {&label1, 21},       {&abbreviationLabel, 22}, {&abbreviationNote, 23}};
    for (auto [control, index] : tabOrder) control->setTabIndex(index);
}

}  // namespace scrivlet
