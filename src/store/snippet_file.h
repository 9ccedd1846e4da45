#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/random_source.h"
#include "store/abbreviation.h"
#include "store/daily_backup.h"
#include "store/ini_access.h"
#include "store/popup_options.h"
#include "store/write_result.h"

namespace scrivlet {

using EntryNumber = std::int16_t;
constexpr int MaxEntries = 32767;
// The quick picker's hotkey in [Common], as Hotkey::word in decimal; older
// versions do not know the key and leave it alone.
constexpr const char* PickerHotkeyKey = "PickerHotkey";

// One entry: name and title as program text (UTF-8); the text as the file
// stores it, in its escaped form (storage_escape.h: textFromFile gives the
// plain text), deciphered on reading and enciphered on writing when crypt is
// set.
struct Entry {
    std::string name;
    std::string text;
    std::string title;
    int crypt = 0;
    int dosBox = 0;
    // A value was longer than a read brings back (a file edited by hand): it
    // is left empty here, and the entry must not be shown or moved as if whole.
    bool cut = false;
};

struct NamedEntry {
    std::string name;
    EntryNumber number = 0;
};

// What a load brings to the windows: names with their numbers, the non-empty
// target titles in entry order (duplicates kept).
struct SnippetList {
    std::vector<NamedEntry> entries;
    std::vector<std::string> titleChoices;
    // The two default ignore titles could not be written.
    WriteResult ignoreDefaults = WriteResult::Ok;
};

// The snippet file: sections "Name", "Text", "Title", "Crypt", "DosBox" keyed
// by entry number, "Ignore" keyed 1, 2, ..., the options in "Common", and
// "Kuerzel" keyed by abbreviation with the entry's name as value.
// Every change is written at once; the file is the only copy of the texts.
class SnippetFile {
public:
    // What the program's own file needs beyond its values: the stamps that
    // tell another program's change from the program's own writes, and the
    // daily backup before a write. A file without them (another reader's, in
    // a test) keeps neither.
    struct Keeping {
        FileSystem& files;
        DailyBackup& backup;
    };

    SnippetFile(IniAccess& ini, RandomSource& random, std::optional<Keeping> keeping = std::nullopt)
        : ini_(ini), random_(random), keeping_(keeping) {}

    void setPath(const std::string& path) { path_ = path; }
    const std::string& path() const { return path_; }
    // How many writes the program made to snippet files so far.
    std::uint64_t writes() const { return ini_.writes(); }
    // Whether another program changed the file since this one last loaded it,
    // the program's own writes aside: its entry numbers may then name other
    // entries than the program's list shows.
    bool changedOutside();
    // The path of a daily backup that could not be made, once; see DailyBackup.
    std::optional<std::string> takeBackupFailure();

    // Reads names, titles, the ignore list (writing the two defaults into a
    // file that has none) and the options.
    SnippetList load();

    // The names of the entries, 1 to N: the list ends at the first empty name.
    std::vector<NamedEntry> readNames();

    Entry readEntry(EntryNumber n);

    // The text of each entry given, in that order and as the file stores it
    // (see Entry::text), a section at a time, for a search over all texts;
    // nothing for an enciphered entry, whose text is never deciphered here.
    std::vector<std::optional<std::string>> readOpenTexts(const std::vector<NamedEntry>& entries);

    // One value of one entry.
    struct Field {
        std::string section;
        EntryNumber number = 0;
        std::string value;
    };
    // A value under a key of its own (program text, as the file's other
    // values); without a value the key goes.
    struct KeyedValue {
        std::string section;
        std::string key;
        std::optional<std::string> value;
    };
    // Writes the values in order, then the keyed ones, as one change. Nothing
    // is written when a value could not be read back; when a write fails, the
    // values written before it are put back, so the file is left as it was.
    // A keyed section left without keys goes, header and all.
    WriteResult writeFields(const std::vector<Field>& fields, const std::vector<KeyedValue>& keyed = {});
    // All five values of each entry, as one change (see writeFields).
    WriteResult writeEntries(const std::vector<std::pair<EntryNumber, Entry>>& entries,
                             const std::vector<KeyedValue>& keyed = {});
    WriteResult writeEntry(EntryNumber n, const Entry& entry) { return writeEntries({{n, entry}}); }
    WriteResult writeField(EntryNumber n, const std::string& section, const std::string& value);

    // Index 0 exists and stays empty; titles from 1.
    const std::vector<std::string>& ignoreList() const { return ignoreList_; }
    void clearIgnoreList() {
        ignoreList_.assign(1, std::string());
        ignoreStored_ = 0;
    }
    // Ignores the title from now on, and writes it under the next key of the
    // file. A title the file refused stays ignored for this run only: the
    // next one goes to the key it would have had, because a reader stops at
    // the first missing key.
    WriteResult addIgnoreTitle(const std::string& title);

    // The abbreviations as last loaded or written, in file order; the first
    // of those equal but for letter case counts, the others are left out.
    const std::vector<Abbreviation>& abbreviations() const { return abbreviations_; }
    // The abbreviation of the entry of that name ("" for none).
    std::string abbreviationOf(const std::string& name) const;
    // Changes that make entry n's abbreviation follow its new name, or go
    // with it (no name): its abbreviation is the one of its name when it is
    // the first entry of that name. For writeFields with the entry's change.
    std::vector<KeyedValue> abbreviationFollowing(EntryNumber n, const std::optional<std::string>& newName);
    // What became of setAbbreviation.
    struct AbbreviationChange {
        WriteResult result = WriteResult::Ok;
        AbbreviationForm form = AbbreviationForm::Fit;
        // Another entry's abbreviation equal but for letter case: its name.
        std::optional<std::string> takenBy;
        bool accepted() const { return form == AbbreviationForm::Fit && !takenBy && succeeded(result); }
    };
    // The entry of that name gets this abbreviation ("" removes it) as one
    // change; an abbreviation of another form, or another entry's, is refused
    // and nothing written.
    AbbreviationChange setAbbreviation(const std::string& name, const std::string& abbreviation);
    // Runs after a write changed the abbreviations or the names they point to.
    std::function<void()> abbreviationsChanged;

    PopupOptions& options() { return options_; }
    const PopupOptions& options() const { return options_; }
    // The options as the file held them when they were last loaded or saved.
    const PopupOptions& optionsInFile() const { return optionsInFile_; }
    WriteResult saveOptions();

    static int clampOption(int value, int minimum, int maximum, int fallback);

private:
    // Values of every section but "Text" are program text here and file text
    // in the file (file_text.h); texts are in the file's form already.
    static bool holdsFileForm(const std::string& section) { return section == "Text"; }
    std::string read(const std::string& section, const std::string& key,
                     const std::string& fallback = "");
    WriteResult write(const std::string& section, const std::string& key, const std::string& value);
    // The value as the file holds it, for putting back what was there.
    std::string readStored(const std::string& section, const std::string& key);
    WriteResult writeStored(const std::string& section, const std::string& key, const std::string& value);
    // Every write of the file passes here: the day's backup first, and the
    // stamp after, so that the program's own writes are not taken for another's.
    WriteResult kept(const std::function<WriteResult()>& write);
    void loadOptions();
    // The section's keys and values, as program text, in file order.
    std::vector<std::pair<std::string, std::string>> readKeyed(const std::string& section);
    void loadAbbreviations(const std::vector<NamedEntry>& names);
    std::string storedText(const Entry& entry);

    std::optional<FileStamp> stamp();

    IniAccess& ini_;
    RandomSource& random_;
    std::optional<Keeping> keeping_;
    std::string path_;
    // The file's stamp after the last load or the program's last write, and
    // whether another program's change was seen before one of those writes.
    std::optional<FileStamp> known_;
    bool changedBeforeWrite_ = false;
    std::vector<std::string> ignoreList_{std::string()};
    // How many ignore titles the file holds under the keys 1, 2, ...
    std::size_t ignoreStored_ = 0;
    PopupOptions options_;
    PopupOptions optionsInFile_;
    std::vector<Abbreviation> abbreviations_;
};

}  // namespace scrivlet
