#include "picker/picker_form.h"

namespace scrivlet {

PickerForm::PickerForm(ui::UiBackend& ui)
    : ui::Form(ui, "PickerForm", DesignClientWidth, DesignClientHeight,
               {ui::BorderStyle::FixedDialog, false, false, false, true}) {
    searchTB.setTabIndex(0);
    entryList.setTabIndex(1);
    preview.setTabIndex(2);
    // The preview reads like the text it shows, not like a caption.
    preview.setBackColour(WindowBackgroundColour);
}

}  // namespace scrivlet
