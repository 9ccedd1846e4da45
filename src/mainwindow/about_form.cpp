#include "mainwindow/about_form.h"

#include "tracking/own_caption.h"

namespace scrivlet {

AboutForm::AboutForm(ui::UiBackend& ui, const std::string& appTitle)
    : ui::Form(ui, "AboutForm", 4800, 2400,
               {ui::BorderStyle::FixedDialog, false, false, false, false}) {
    setCaption("Info - " + appTitle);
    name.setBold(true);
    version.setCaption("Version " + versionText(0x101) + " (" + versionText(1) + ")");
    ok.isDefault = true;
    ok.isCancel = true;
    ok.setBold(true);
    ok.onClick = [this] { hide(); };
}

}  // namespace scrivlet
