#include "options/autostart.h"

#include "store/file_helpers.h"

namespace scrivlet {

namespace {
constexpr auto HKCU = RegistryHive::CurrentUser;
}

std::string Autostart::runCommand(const std::string& executablePath) {
    return "\"" + executablePath + "\" /AUTOSTART";
}

bool Autostart::valueExists() { return services_.registry.queryValue(HKCU, RunKey, ValueName).has_value(); }

bool Autostart::writeValue() {
    // The stored string ends with its terminating NUL.
    const std::string data = runCommand(services_.system.executablePath()) + '\0';
    return services_.registry.setValue(HKCU, RunKey, ValueName, {registry_type::String, data});
}

bool Autostart::deleteValue() {
    return services_.registry.deleteValue(HKCU, RunKey, ValueName) || !valueExists();
}

bool Autostart::switchedOff() {
    const auto approval = services_.registry.queryValue(HKCU, ApprovedKey, ValueName);
    return approval && approval->type == registry_type::Binary && !approval->data.empty() &&
           (static_cast<unsigned char>(approval->data[0]) & 1) != 0;
}

bool Autostart::switchOn() {
    if (!switchedOff()) return true;
    // What the task manager itself writes when the user switches it on.
    const std::string enabled = std::string(1, '\x02') + std::string(11, '\0');
    return services_.registry.setValue(HKCU, ApprovedKey, ValueName, {registry_type::Binary, enabled});
}

std::string Autostart::startupFolder() {
    const auto value = services_.registry.queryValue(HKCU, ShellFoldersKey, "Startup");
    if (!value) return {};
    const std::uint32_t type = value->type;
    if (type != registry_type::String && type != registry_type::ExpandString && type != registry_type::MultiString)
        return {};
    return cutAtNull(value->data);
}

std::string Autostart::shortcutPath() {
    const std::string startup = startupFolder();
    return startup.empty() ? std::string() : addBackslash(startup) + ShortcutName;
}

bool Autostart::shortcutThere() {
    const std::string shortcut = shortcutPath();
    return !shortcut.empty() && fileExists(services_.files, shortcut);
}

bool Autostart::startsAtLogon() { return (valueExists() && !switchedOff()) || shortcutThere(); }

void Autostart::showState(ui::CheckBox& box) {
    const bool initialised = initialised_;
    initialised_ = false;
    box.setValue(startsAtLogon() ? 1 : 0);
    initialised_ = initialised;
}

void Autostart::init(ui::CheckBox& box) {
    initialised_ = false;
    const std::string shortcut = shortcutPath();
    const bool convert = shortcutThere();
    // The value first, and on: a shortcut removed before a failed write
    // would lose the start at logon.
    const bool written = convert && writeValue();
    if (convert && !written) reportFailure(true, RunKey);
    const bool on = written && switchOn();
    if (written && !on) reportFailure(true, ApprovedKey);
    if (on) removeShortcut(shortcut);
    showState(box);
    initialised_ = true;
}

bool Autostart::removeShortcut(const std::string& shortcut) {
    if (!services_.files.setAttributes(shortcut, {}))
        messages_.show(messages::ShortcutAttributes, {shortcut});
    if (services_.files.remove(shortcut)) return true;
    messages_.show(messages::ShortcutNotDeleted, {shortcut});
    return false;
}

void Autostart::reportFailure(bool writing, const char* key) {
    const std::string path = std::string("HKEY_CURRENT_USER\\") + key;
    messages_.show(writing ? messages::AutostartNotWritten : messages::AutostartNotRemoved, {ValueName, path});
}

void Autostart::apply(ui::CheckBox& box) {
    if (!initialised_) return;
    if (box.value() == 1) {
        if (!writeValue())
            reportFailure(true, RunKey);
        else if (!switchOn())
            reportFailure(true, ApprovedKey);
    } else if (!deleteValue()) {
        reportFailure(false, RunKey);
    } else if (shortcutThere()) {
        removeShortcut(shortcutPath());
    }
    showState(box);
}

}  // namespace scrivlet
