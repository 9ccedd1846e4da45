#pragma once
#include "platform/ui/form.h"
#include "platform/ui/simple_controls.h"

namespace scrivlet {

// The About dialog: the program's name, version and what it is for.
class AboutForm : public ui::Form {
public:
    AboutForm(ui::UiBackend& ui, const std::string& appTitle);

    ui::Image icon{this, "Icon", {240, 240, 480, 480}, ui::Picture::AppIcon};
    ui::Label name{this, "LabelName", {960, 240, 3600, 360}, "Scrivlet"};
    ui::Label version{this, "LabelVersion", {960, 660, 3600, 255}, ""};
    ui::Label description{this, "LabelDescription", {960, 1020, 3600, 255},
                          "Automatische Texteinfügungen aller Art"};
    ui::Label copyright{this, "LabelCopyright", {960, 1380, 3600, 255}, "© Morwick Software"};
    ui::Button ok{this, "Btn(0)", {3360, 1860, 1215, 375}, "&OK"};
};

}  // namespace scrivlet
