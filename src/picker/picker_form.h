#pragma once
#include "platform/ui/form.h"
#include "platform/ui/list_view.h"
#include "platform/ui/simple_controls.h"

namespace scrivlet {

// The quick picker's controls, in twips: the search field on top, the
// entries found below it, the selected entry's first lines at the bottom.
// Standard controls throughout, so that a screen reader reads each of them.
class PickerForm : public ui::Form {
public:
    static constexpr int DesignClientWidth = 5400;
    static constexpr int DesignClientHeight = 4500;

    explicit PickerForm(ui::UiBackend& ui);

    ui::TextBox searchTB{this, "SearchTB", {60, 60, 5280, 315}};
    ui::ListView entryList{this, "EntryList", {60, 435, 5280, 2880}};
    ui::Label preview{this, "Preview", {60, 3375, 5280, 1065}, ""};
};

}  // namespace scrivlet
