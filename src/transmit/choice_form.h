#pragma once
#include <functional>

#include "platform/ui/form.h"
#include "platform/ui/list_box.h"
#include "platform/ui/simple_controls.h"
#include "platform/window_id.h"

namespace scrivlet {

// Asks which of several windows whose titles match is to receive the text.
// Only a choice sends anything; Abbruch and the close box send nothing.
class ChoiceForm : public ui::Form {
public:
    ChoiceForm(ui::UiBackend& ui, const std::string& loadCaption);

    ui::ListBox lbZielFenster{this, "lbZielFenster", {120, 120, 5415, 2010}, false};
    ui::Label label1{this, "Label1", {240, 2280, 3795, 855},
                     "Es wurden mehrere Fenster gefunden, die als Ziel in Frage kommen. Bitte wählen "
                     "Sie aus der obigen Liste das entsprechende aus."};
    ui::Button btnCancel{this, "Btn(0)", {4320, 2280, 1215, 435}, "&Abbruch"};
    ui::Button btnOk{this, "Btn(1)", {4320, 2760, 1215, 435}, "&OK"};
    ui::Shape shape1{this, "Shape1", {120, 2280, 75, 615}, ui::ShapeKind::Rectangle, 0x80000010, true};

    // Receives the window of the selected row while the dialog is still open.
    std::function<void(WindowId)> deliver;

private:
    void selectionOk();
};

}  // namespace scrivlet
