#include "options/autostart.h"

#include "store/file_helpers.h"
#include "store/message_text.h"

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

std::string Autostart::startupFolder() {
    const auto value = services_.registry.queryValue(HKCU, ShellFoldersKey, "Startup");
    if (!value) return {};
    const std::uint32_t type = value->type;
    if (type != registry_type::String && type != registry_type::ExpandString && type != registry_type::MultiString)
        return {};
    return cutAtNull(value->data);
}

void Autostart::showRegistryState(ui::CheckBox& box) {
    const bool initialised = initialised_;
    initialised_ = false;
    box.setValue(valueExists() ? 1 : 0);
    initialised_ = initialised;
}

void Autostart::init(ui::CheckBox& box) {
    initialised_ = false;
    const std::string startup = startupFolder();
    const std::string shortcut = addBackslash(startup) + ShortcutName;
    const bool convert = !startup.empty() && fileExists(services_.files, shortcut);
    // The value first: a shortcut removed before a failed write would lose
    // the start at logon.
    const bool written = convert && writeValue();
    if (convert && !written) reportFailure(true);
    showRegistryState(box);
    initialised_ = true;
    if (written) removeShortcut(shortcut);
}

void Autostart::removeShortcut(const std::string& shortcut) {
    if (!services_.files.setAttributes(shortcut, {}))
        messages_.show(MessageIcon::Information, "Attribute nicht löschbar: " + shortcut);
    if (!services_.files.remove(shortcut))
        messages_.show(MessageIcon::Information, "Datei nicht löschbar: " + shortcut);
}

void Autostart::reportFailure(bool writing) {
    const std::string key = std::string("HKEY_CURRENT_USER\\") + RunKey;
    messages_.show(MessageIcon::Error,
                   writing ? formatMessageText("Scrivlet konnte nicht für den Aufruf beim Systemstart eingetragen "
                                               "werden: Der Wert '%1' im Registrierungsschlüssel '%2' lässt sich "
                                               "nicht schreiben.\\n\\nBitte prüfen Sie Ihre Berechtigungen für "
                                               "diesen Schlüssel.",
                                               {ValueName, key})
                           : formatMessageText("Der Aufruf beim Systemstart konnte nicht abgestellt werden: Der "
                                               "Wert '%1' im Registrierungsschlüssel '%2' lässt sich nicht "
                                               "löschen.\\n\\nBitte prüfen Sie Ihre Berechtigungen für diesen "
                                               "Schlüssel.",
                                               {ValueName, key}));
}

void Autostart::apply(ui::CheckBox& box) {
    if (!initialised_) return;
    const bool writing = box.value() == 1;
    if (writing ? writeValue() : deleteValue()) return;
    reportFailure(writing);
    showRegistryState(box);
}

}  // namespace scrivlet
