#include "transmit/choice_form.h"

namespace scrivlet {

ChoiceForm::ChoiceForm(ui::UiBackend& ui, const std::string& loadCaption)
    : ui::Form(ui, "AuswahlForm", 5655, 3300, {ui::BorderStyle::FixedDialog, false, false, false, true}) {
    setCaption(loadCaption);
    btnOk.setBold(true);
    btnOk.isDefault = true;
    btnCancel.isCancel = true;
    btnOk.onClick = [this] {
        selectionOk();
        hide();
    };
    btnCancel.onClick = [this] { hide(); };
    lbZielFenster.onDoubleClick = [this] { selectionOk(); };
}

void ChoiceForm::selectionOk() {
    const int row = lbZielFenster.listIndex();
    if (row >= 0 && deliver) deliver(static_cast<WindowId>(lbZielFenster.itemData(row)));
    hide();
}

}  // namespace scrivlet
