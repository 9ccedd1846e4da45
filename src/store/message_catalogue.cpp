#include "store/message_catalogue.h"

#include "store/message_text.h"

namespace scrivlet {

std::string messageText(const Message& message, const std::vector<std::string>& values) {
    return formatMessageText(message.text, values);
}

namespace messages {

using enum MessageIcon;

const Message FileNotWritable{
    "nicht-beschreibbar", Error,
    "Die Textbaustein-Datei '%1' kann nicht beschrieben werden.\\n\\n"
    "Änderungen an den Textbausteinen können nicht gespeichert werden.",
    {"Pfad der Datei"}};
const Message FileConverted{
    "umgewandelt", Information,
    "Die Textbaustein-Datei '%1' war als %2 gespeichert, etwa von einem Texteditor. Scrivlet hat sie in sein "
    "eigenes Format umgewandelt; alle Zeichen bleiben erhalten.\\n\\nDie Datei, wie sie vorher war, liegt als "
    "'%3' daneben.",
    {"Pfad der Datei", "Codierung", "Pfad der Kopie"}};
const Message FileNotConverted{
    "nicht-umgewandelt", Error,
    "Die Textbaustein-Datei '%1' ist als %2 gespeichert, etwa von einem Texteditor. Scrivlet muss sie in sein "
    "eigenes Format umwandeln, konnte aber die Kopie '%3' nicht anlegen oder die Datei nicht umschreiben.\\n\\n"
    "Die Textbausteine werden daher nicht geladen. Bitte prüfen Sie, ob der Ordner der Datei beschrieben werden "
    "kann, oder speichern Sie die Datei im Texteditor mit der Codierung ANSI.",
    {"Pfad der Datei", "Codierung", "Pfad der Kopie"}};
const Message WriteLineBreak{
    "zeilenumbruch", Error,
    "Der Wert enthält einen Zeilenumbruch und kann nicht in der Datei '%1' gespeichert werden.",
    {"Pfad der Datei"}};
const Message WriteTooLong{
    "zu-lang", Error,
    "Der Text ist zu lang, um in der Datei '%1' gespeichert zu werden.\\n\\nBitte kürzen Sie ihn. Der Text "
    "bleibt im Editor; in der Datei steht weiter die bisherige Fassung.",
    {"Pfad der Datei"}};
const Message WriteFailed{
    "nicht-gespeichert", Error,
    "Die Änderung konnte nicht in der Datei '%1' gespeichert werden.\\n\\nBitte prüfen Sie, ob die Datei "
    "schreibgeschützt ist und ob ihr Ordner noch existiert.",
    {"Pfad der Datei"}};
const Message BackupFailed{
    "sicherung", Warning,
    "Die tägliche Sicherung der Textbausteine konnte nicht als '%1' angelegt werden.\\n\\nIhre Änderungen "
    "werden trotzdem gespeichert. Bitte prüfen Sie, ob Sie in diesem Ordner schreiben dürfen und ob auf dem "
    "Laufwerk noch Platz ist.",
    {"Pfad der Sicherung"}};
const Message ChangedOutside{
    "inzwischen-geaendert", Information,
    "Die Datei '%1' wurde inzwischen von einem anderen Programm geändert.\\n\\nScrivlet liest sie neu ein. "
    "Bitte wiederholen Sie den Befehl danach.",
    {"Pfad der Datei"}};
const Message EditorTextGone{
    "eintrag-fehlt", Question,
    "Den Eintrag '%1', dessen Text Sie in Scrivlet geändert haben, gibt es in der Datei '%2' nicht mehr.\\n\\n"
    "Soll er mit Ihrem Text neu angelegt werden?",
    {"Name des Eintrags", "Pfad der Datei"}};
const Message EditorTextChangedBoth{
    "beide-geaendert", Question,
    "Der Text des Eintrags '%1' wurde in Scrivlet und zugleich in der Datei '%2' geändert.\\n\\nSoll Ihr Text "
    "aus Scrivlet gespeichert werden? Mit 'Nein' gilt der Text aus der Datei, und Ihr Text in Scrivlet wird "
    "verworfen.",
    {"Name des Eintrags", "Pfad der Datei"}};
const Message LocationNotRemembered{
    "speicherort-nicht-gemerkt", Error,
    "Der Speicherort der Textbausteine konnte nicht in den Benutzereinstellungen gespeichert werden.\\n\\n"
    "Beim nächsten Start wird wieder die bisherige Datei verwendet."};
const Message SampleNotCopied{
    "beispiel-nicht-kopiert", Error,
    "Die Beispieldatei '%1' konnte nicht nach '%2' kopiert werden.\\n\\nScrivlet beginnt daher mit einer leeren "
    "Textbaustein-Datei.",
    {"Pfad der Beispieldatei", "Pfad der Textbaustein-Datei"}};
const Message NoFileInFolder{
    "ordner-ohne-datei", Question,
    "Im ausgewählten Ordner befindet sich (noch) keine Scrivlet-datei.\\n\\nMöchten Sie eine neue anlegen?"};
const Message FileNotCreated{
    "nicht-angelegt", Error,
    "Die Datei '%1' konnte nicht angelegt werden.\\n\\nEs bleibt bei der bisherigen Datei '%2'.",
    {"Pfad der neuen Datei", "Pfad der bisherigen Datei"}};
const Message RememberedFolderEmpty{
    "ordner-leer", Information,
    "Im angegebenen Ordner befindet sich keine Scrivlet-datei.\\n\\nDie Pfadangabe wird daher auf "
    "Standardwerte zurückgesetzt."};

const Message EntriesFull{
    "eintraege-voll", Information,
    "Es gibt bereits %1 Einträge, mehr kann Scrivlet nicht verwalten.\\nBitte löschen Sie zuerst einen Eintrag.",
    {"Höchstzahl"}};
const Message NameTaken{
    "name-vergeben", Question,
    "Es gibt bereits einen Eintrag mit dem Namen \\n'%1'.\\n\\nMöchten Sie ihn dennoch verwenden?",
    {"Name"}};
const Message DeleteEntry{
    "loeschen", Question, "Wollen Sie den Eintrag '%1'\\nwirklich löschen?", {"Name des Eintrags"}};
const Message EntryCutNotShown{
    "zu-lang-anzeigen", Error,
    "Der Eintrag '%1' ist in der Datei '%2' länger, als Scrivlet lesen kann.\\n\\nEr wird nicht angezeigt und "
    "bleibt in der Datei unverändert. Bitte kürzen Sie ihn mit einem Texteditor.",
    {"Name des Eintrags", "Pfad der Datei"}};
const Message EntryCutNotMoved{
    "zu-lang-loeschen", Error,
    "Der Eintrag '%1' ist in der Datei '%2' länger, als Scrivlet lesen kann.\\n\\nEr kann nicht an die Stelle "
    "des gelöschten Eintrags rücken; die Datei bleibt unverändert.",
    {"Name des Eintrags", "Pfad der Datei"}};
const Message AbbreviationBlank{
    "kuerzel-leerzeichen", Information, "Ein Kürzel ist ein einziges Wort, ohne Leerzeichen."};
const Message AbbreviationBadStart{
    "kuerzel-anfang", Information, "Ein Kürzel darf nicht mit '[' oder ';' beginnen."};
const Message AbbreviationEqualsSign{"kuerzel-gleichheitszeichen", Information, "Ein Kürzel darf kein '=' enthalten."};
const Message AbbreviationTooLong{"kuerzel-zu-lang", Information, "Ein Kürzel hat höchstens 32 Zeichen."};
const Message AbbreviationTaken{
    "kuerzel-vergeben", Information,
    "Das Kürzel '%1' hat bereits der Eintrag '%2' (Groß- und Kleinschreibung zählen dabei nicht).\\n\\n"
    "Bitte wählen Sie ein anderes.",
    {"Kürzel", "Name des Eintrags"}};

const Message ClipboardBusyCopy{
    "zwischenablage-kopieren", Information,
    "Die Zwischenablage wird gerade von einem anderen Programm benutzt.\\n\\nBitte versuchen Sie es gleich noch "
    "einmal."};
const Message ClipboardEmpty{
    "zwischenablage-einfuegen", Information,
    "Die Zwischenablage enthält keinen Text oder wird gerade von einem anderen Programm benutzt."};
const Message SearchAtEnd{"suche-am-ende", Information, "Die Suche ist am Ende des Textes angekommen."};

const Message EntryCutNotSent{
    "zu-lang-senden", Error,
    "Der Eintrag '%1' ist in der Datei '%2' länger, als Scrivlet lesen kann.\\n\\nEr wird daher nicht "
    "übertragen.",
    {"Name des Eintrags", "Pfad der Datei"}};
const Message ClipboardBlocked{
    "zwischenablage-blockiert", Error,
    "Die Zwischenablage wird von einem anderen Programm blockiert.\\n\\nDer Text wurde daher nicht übertragen."};
const Message KeyStringInvalid{
    "tastenfolge", Error,
    "Der Text enthält eine Tastenfolge, die Scrivlet nicht senden kann (Zeichen %1: %2).",
    {"Stelle im Text", "Grund"}};
const Message NoTarget{
    "kein-zielfenster", Error,
    "Es wurde kein passendes Zielfenster identifiziert.\\nDie Übertragung wird daher abgebrochen."};
const Message KeysNotTaken{
    "tasten-nicht-angenommen", Warning,
    "Das Zielfenster hat nicht alle Tastendrücke angenommen.\\n\\nBitte prüfen Sie, ob der Text vollständig "
    "angekommen ist."};
const Message KeysNotTakenMaybeElevated{
    "tasten-nicht-angenommen-administrator", Warning,
    "Das Zielfenster hat nicht alle Tastendrücke angenommen.\\n\\nBitte prüfen Sie, ob der Text vollständig "
    "angekommen ist.\\n\\nLäuft das Zielfenster als Administrator, lässt Windows keine Tastendrücke von Scrivlet "
    "dorthin durch. Starten Sie dann dieses Programm normal (nicht als Administrator), oder beenden Sie Scrivlet "
    "und starten Sie es als Administrator (es läuft immer nur ein Scrivlet)."};
const Message TargetElevated{
    "zielfenster-administrator", Error,
    "Das Fenster '%1' gehört zu einem Programm, das als Administrator läuft. Windows lässt keine Tastendrücke "
    "von Scrivlet dorthin durch, daher wurde nichts übertragen.\\n\\nStarten Sie dieses Programm normal (nicht "
    "als Administrator), oder beenden Sie Scrivlet und starten Sie es als Administrator (es läuft immer nur ein "
    "Scrivlet).",
    {"Titel des Fensters"}};
const Message ConsoleElevated{
    "konsole-administrator", Error,
    "Das Fenster '%1' gehört zu einem Programm, das als Administrator läuft. Windows lässt keine Tastendrücke "
    "von Scrivlet dorthin durch, daher wurde nichts eingefügt.\\n\\nDer Text liegt in der Zwischenablage: Fügen "
    "Sie ihn mit der Tastatur ein (Strg+V oder das Einfügen der Konsole).\\n\\nDamit Scrivlet selbst einfügen "
    "kann: Starten Sie dieses Programm normal (nicht als Administrator), oder beenden Sie Scrivlet und starten "
    "Sie es als Administrator (es läuft immer nur ein Scrivlet).",
    {"Titel des Fensters"}};

const Message NoTitleMarked{
    "kein-titel-markiert", Information, "Bitte markieren Sie zunächst den betreffenden Fenstertitel"};
const Message IgnoreTitle{
    "titel-ignorieren", Question, "Soll der Fenstertitel '%1'\\nin Zukunft wirklich immer ignoriert werden?",
    {"Fenstertitel"}};
const Message NotepadNotStarted{
    "editor-startet-nicht", Error,
    "Der Editor 'notepad' konnte nicht gestartet werden, um die Datei '%1' zu öffnen.", {"Pfad der Datei"}};

const Message AutostartNotWritten{
    "autostart-eintragen", Error,
    "Scrivlet konnte nicht für den Aufruf beim Systemstart eingetragen werden: Der Wert '%1' im "
    "Registrierungsschlüssel '%2' lässt sich nicht schreiben.\\n\\nBitte prüfen Sie Ihre Berechtigungen für "
    "diesen Schlüssel.",
    {"Name des Werts", "Registrierungsschlüssel"}};
const Message AutostartNotRemoved{
    "autostart-abstellen", Error,
    "Der Aufruf beim Systemstart konnte nicht abgestellt werden: Der Wert '%1' im Registrierungsschlüssel '%2' "
    "lässt sich nicht löschen.\\n\\nBitte prüfen Sie Ihre Berechtigungen für diesen Schlüssel.",
    {"Name des Werts", "Registrierungsschlüssel"}};
const Message ShortcutAttributes{
    "verknuepfung-attribute", Information, "Attribute nicht löschbar: %1", {"Pfad der Verknüpfung"}};
const Message ShortcutNotDeleted{
    "verknuepfung-loeschen", Information, "Datei nicht löschbar: %1", {"Pfad der Verknüpfung"}};

const Message RunningElevated{
    "laeuft-als-administrator", Information,
    "Scrivlet läuft bereits, aber mit Administratorrechten. Dieses ohne Administratorrechte gestartete Scrivlet "
    "kann dessen Fenster nicht öffnen.\\n\\nÖffnen Sie das laufende Scrivlet über sein Symbol im Infobereich der "
    "Taskleiste. Soll es ohne Administratorrechte laufen, beenden Sie es dort mit „Beenden“ und starten Sie "
    "Scrivlet dann erneut."};
const Message RunningNoAnswer{
    "antwortet-nicht", Warning,
    "Scrivlet läuft bereits, antwortet aber nicht.\\n\\nWarten Sie einen Moment und starten Sie Scrivlet dann "
    "erneut. Hilft das nicht, beenden Sie Scrivlet im Task-Manager und starten Sie es neu."};
const Message PickerHotkeyTaken{
    "schnellauswahl-taste", Warning,
    "Die Tastenkombination %1 für die Schnellauswahl wird schon von einem anderen Programm verwendet.\\n\\n"
    "Scrivlet läuft ohne sie weiter. Eine andere Tastenkombination wählen Sie in den Optionen unter "
    "„Schnellauswahl“.",
    {"Tastenkombination"}};
const Message PlacementNotSaved{
    "position", Error,
    "Die Position des Fensters konnte nicht in den Benutzereinstellungen gespeichert werden.\\n\\nBeim nächsten "
    "Start erscheint es an der bisherigen Stelle."};
const Message HelpMissing{"hilfe-fehlt", Information, "Die Online-Hilfe konnte leider nicht gefunden werden ..."};

}  // namespace messages

std::span<const Message* const> messageCatalogue() {
    using namespace messages;
    static const Message* const all[] = {
        &FileNotWritable, &FileConverted, &FileNotConverted, &WriteLineBreak, &WriteTooLong, &WriteFailed,
        &BackupFailed, &ChangedOutside, &EditorTextGone, &EditorTextChangedBoth, &LocationNotRemembered,
        &SampleNotCopied, &NoFileInFolder, &FileNotCreated, &RememberedFolderEmpty,
        &EntriesFull, &NameTaken, &DeleteEntry, &EntryCutNotShown, &EntryCutNotMoved,
        &AbbreviationBlank, &AbbreviationBadStart, &AbbreviationEqualsSign, &AbbreviationTooLong, &AbbreviationTaken,
        &ClipboardBusyCopy, &ClipboardEmpty, &SearchAtEnd,
        &EntryCutNotSent, &ClipboardBlocked, &KeyStringInvalid, &NoTarget, &KeysNotTaken, &KeysNotTakenMaybeElevated, &TargetElevated, &ConsoleElevated,
        &NoTitleMarked, &IgnoreTitle, &NotepadNotStarted,
        &AutostartNotWritten, &AutostartNotRemoved, &ShortcutAttributes, &ShortcutNotDeleted,
        &RunningElevated, &RunningNoAnswer, &PickerHotkeyTaken, &PlacementNotSaved, &HelpMissing,
    };
    return all;
}

}  // namespace scrivlet
