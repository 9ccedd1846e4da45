#include "store/snippet_file.h"

#include <algorithm>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "platform/text.h"
#include "store/entry_cipher.h"
#include "store/file_text.h"
#include "store/number_text.h"
#include "store/section_index.h"

namespace scrivlet {

namespace {

const char* const DefaultIgnoreTitles[] = {"DFÜ-Netzwerkmonitor", "Microsoft Office Shortcut-Leiste"};

const std::string AbbreviationSection = "Kuerzel";

int flagOf(const std::string& value) { return leadingNumber(value) != 0.0 ? 1 : 0; }

int roundedOption(const std::string& value) {
    const long long v = roundHalfEven(leadingNumber(value));
    return (v < -2147483648LL || v > 2147483647LL) ? -1 : static_cast<int>(v);
}

// The values of one section by key, for reading many of them in a row: the
// whole section comes in one call, where a read per key costs a call per entry
// (and under Wine a parse of the whole file per call for two seconds after each
// write). A key the section read cannot answer for, or a section that could not
// be read whole, is read one key at a time, so the values are always those of
// the key reads.
class SectionValues {
public:
    SectionValues(IniAccess& ini, const std::string& section, const std::string& file)
        : ini_(ini), section_(section), file_(file) {
        if (const auto entries = ini_.readSection(section_, file_)) index_.emplace(*entries);
    }

    // The value as program text.
    std::string read(const std::string& key) { return fromFileText(readStored(key)); }
    // The value as the file holds it.
    std::string readStored(const std::string& key) {
        if (index_ && index_->covers(key)) return index_->value(key, "");
        return ini_.read(section_, key, "", file_);
    }

private:
    IniAccess& ini_;
    std::string section_;
    std::string file_;
    std::optional<SectionIndex> index_;
};

}  // namespace

int SnippetFile::clampOption(int value, int minimum, int maximum, int fallback) {
    return (value >= minimum && value <= maximum) ? value : fallback;
}

std::string SnippetFile::read(const std::string& section, const std::string& key,
                              const std::string& fallback) {
    const std::string value = ini_.read(section, key, fallback, path_);
    return holdsFileForm(section) ? value : fromFileText(value);
}

std::optional<FileStamp> SnippetFile::stamp() {
    return keeping_ ? keeping_->files.stamp(path_) : std::nullopt;
}

bool SnippetFile::changedOutside() { return keeping_ && (changedBeforeWrite_ || stamp() != known_); }

std::optional<std::string> SnippetFile::takeBackupFailure() {
    return keeping_ ? keeping_->backup.takeFailure() : std::nullopt;
}

WriteResult SnippetFile::write(const std::string& section, const std::string& key,
                               const std::string& value) {
    return writeStored(section, key, holdsFileForm(section) ? value : toFileText(value));
}

std::string SnippetFile::readStored(const std::string& section, const std::string& key) {
    return ini_.read(section, key, "", path_);
}

WriteResult SnippetFile::writeStored(const std::string& section, const std::string& key,
                                     const std::string& value) {
    return kept([&] { return ini_.write(section, key, value, path_); });
}

WriteResult SnippetFile::kept(const std::function<WriteResult()>& write) {
    if (keeping_) {
        keeping_->backup.beforeWrite(path_);
        if (stamp() != known_) changedBeforeWrite_ = true;
    }
    const WriteResult result = write();
    if (keeping_ && succeeded(result)) known_ = stamp();
    return result;
}

std::vector<NamedEntry> SnippetFile::readNames() {
    SectionValues section(ini_, "Name", path_);
    std::vector<NamedEntry> names;
    for (int n = 1; n <= MaxEntries; ++n) {
        std::string name = section.read(std::to_string(n));
        if (name.empty()) break;
        names.push_back({std::move(name), static_cast<EntryNumber>(n)});
    }
    return names;
}

SnippetList SnippetFile::load() {
    // Taken before reading: a change while the file is read counts as one
    // the program has not seen.
    known_ = stamp();
    changedBeforeWrite_ = false;
    SnippetList list;
    list.entries = readNames();
    loadAbbreviations(list.entries);
    SectionValues titles(ini_, "Title", path_);
    for (const NamedEntry& entry : list.entries) {
        std::string title = trimBlanks(titles.read(std::to_string(entry.number)));
        if (!title.empty()) list.titleChoices.push_back(std::move(title));
    }

    clearIgnoreList();
    SectionValues ignored(ini_, "Ignore", path_);
    for (int i = 1;; ++i) {
        std::string title = ignored.read(std::to_string(i));
        if (title.empty()) break;
        ignoreList_.push_back(std::move(title));
    }
    ignoreStored_ = ignoreList_.size() - 1;
    if (ignoreList_.size() == 1)
        for (const char* title : DefaultIgnoreTitles)
            list.ignoreDefaults = firstFailure(list.ignoreDefaults, addIgnoreTitle(title));

    loadOptions();
    return list;
}

void SnippetFile::loadOptions() {
    options_.borderByClick = clampOption(roundedOption(read("Common", "PumActBorderByClick", "0")), 0, 1, 0);
    options_.viaBorder = clampOption(roundedOption(read("Common", "PumActViaBorder", "0")), 0, 1, 0);
    options_.position = clampOption(roundedOption(read("Common", "PumActPos", "0")), 0, 3, 0);
    // The colour is kept as the signed decimal of its 32 bits.
    const long long colour = roundHalfEven(leadingNumber(read("Common", "PumActBorderCol", "-2147483633")));
    const bool inRange = colour >= -2147483648LL && colour <= 4294967295LL;
    const auto bits = static_cast<Colour>(static_cast<std::uint64_t>(colour) & 0xFFFFFFFFu);
    options_.borderColour = inRange && isValidColour(bits) ? bits : ButtonFaceColour;
    options_.cascade = clampOption(roundedOption(read("Common", "PumMode", "0")), 0, 1, 0);
    // Missing in files of older versions: the default. Empty or 0 is none.
    const std::string hotkey = read("Common", PickerHotkeyKey, std::to_string(DefaultPickerHotkey.word()));
    options_.pickerHotkey = Hotkey::fromWord(roundHalfEven(leadingNumber(hotkey)));
    options_.abbreviations = clampOption(roundedOption(read("Common", "AbbrevOn", "1")), 0, 1, 1);
    options_.atOnce = clampOption(roundedOption(read("Common", "AbbrevAtOnce", "0")), 0, 1, 0);
    options_.ignoreCase = clampOption(roundedOption(read("Common", "AbbrevIgnoreCase", "0")), 0, 1, 0);
    optionsInFile_ = options_;
}

Entry SnippetFile::readEntry(EntryNumber n) {
    const std::string key = std::to_string(n);
    Entry entry;
    auto whole = [&](const std::string& section) {
        std::optional<std::string> value = ini_.readWhole(section, key, path_);
        if (!value) entry.cut = true;
        return holdsFileForm(section) ? value.value_or("") : fromFileText(value.value_or(""));
    };
    entry.name = whole("Name");
    entry.crypt = flagOf(read("Crypt", key));
    entry.text = whole("Text");
    entry.title = whole("Title");
    entry.dosBox = flagOf(read("DosBox", key));
    if (entry.crypt) entry.text = decipherText(entry.text);
    return entry;
}

std::vector<std::optional<std::string>> SnippetFile::readOpenTexts(const std::vector<NamedEntry>& entries) {
    SectionValues crypt(ini_, "Crypt", path_);
    SectionValues texts(ini_, "Text", path_);
    std::vector<std::optional<std::string>> result;
    result.reserve(entries.size());
    for (const NamedEntry& entry : entries) {
        const std::string key = std::to_string(entry.number);
        if (flagOf(crypt.read(key)))
            result.emplace_back();
        else
            result.emplace_back(texts.readStored(key));
    }
    return result;
}

std::string SnippetFile::storedText(const Entry& entry) {
    return entry.crypt ? encipherText(entry.text, random_) : entry.text;
}

WriteResult SnippetFile::writeFields(const std::vector<Field>& fields, const std::vector<KeyedValue>& keyed) {
    // Each change as the file holds it; no value: the key goes.
    struct Change {
        std::string section;
        std::string key;
        std::optional<std::string> value;
    };
    std::vector<Change> changes;
    for (const Field& field : fields)
        changes.push_back({field.section, std::to_string(field.number),
                           holdsFileForm(field.section) ? field.value : toFileText(field.value)});
    for (const KeyedValue& value : keyed) {
        changes.push_back({value.section, toFileText(value.key),
                           value.value ? std::optional(toFileText(*value.value)) : std::nullopt});
        if (const WriteResult refused = IniAccess::check(changes.back().key); refused != WriteResult::Ok)
            return refused;
    }
    for (const Change& change : changes)
        if (change.value)
            if (const WriteResult refused = IniAccess::check(*change.value); refused != WriteResult::Ok)
                return refused;

    auto apply = [this](const Change& change) {
        return change.value ? writeStored(change.section, change.key, *change.value)
                            : kept([&] { return ini_.remove(change.section, change.key, path_); });
    };
    // What puts each change back: a numbered value as it was (empty when it
    // was not there, as a reader takes a missing one), a keyed one as it was
    // or gone.
    std::vector<Change> undo;
    std::unordered_set<std::string> keyedSections, emptyBefore;
    auto putBack = [&] {
        // In reverse order, so a value written twice ends as it was.
        for (auto p = undo.rbegin(); p != undo.rend(); ++p) static_cast<void>(apply(*p));
        // A keyed section that had no keys gets none, and no header either.
        for (const std::string& section : emptyBefore)
            static_cast<void>(kept([&] { return ini_.removeSection(section, path_); }));
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const Change& change = changes[i];
        Change previous{change.section, change.key, readStored(change.section, change.key)};
        if (i >= fields.size()) {
            const SectionIndex section(ini_.readSection(change.section, path_).value_or(""));
            if (!section.has(change.key)) previous.value.reset();
            if (keyedSections.insert(change.section).second && section.size() == 0)
                emptyBefore.insert(change.section);
        }
        const WriteResult result = apply(change);
        if (!succeeded(result)) {
            putBack();
            return result;
        }
        undo.push_back(std::move(previous));
    }
    // No empty section stays behind: a file without abbreviations keeps no
    // header of them.
    for (const std::string& section : keyedSections) {
        const auto left = ini_.readSection(section, path_);
        if (!left || !left->empty()) continue;
        const WriteResult result = kept([&] { return ini_.removeSection(section, path_); });
        if (!succeeded(result)) {
            putBack();
            return result;
        }
    }
    const bool namesChanged = keyedSections.count(AbbreviationSection) > 0 ||
                              std::any_of(fields.begin(), fields.end(),
                                          [](const Field& field) { return field.section == "Name"; });
    if (namesChanged) {
        loadAbbreviations(readNames());
        if (abbreviationsChanged) abbreviationsChanged();
    }
    return WriteResult::Ok;
}

WriteResult SnippetFile::writeEntries(const std::vector<std::pair<EntryNumber, Entry>>& entries,
                                      const std::vector<KeyedValue>& keyed) {
    std::vector<Field> fields;
    for (const auto& [n, entry] : entries) {
        fields.push_back({"Name", n, entry.name});
        fields.push_back({"Crypt", n, std::to_string(entry.crypt)});
        fields.push_back({"Text", n, storedText(entry)});
        fields.push_back({"Title", n, entry.title});
        fields.push_back({"DosBox", n, std::to_string(entry.dosBox)});
    }
    return writeFields(fields, keyed);
}

WriteResult SnippetFile::writeField(EntryNumber n, const std::string& section,
                                    const std::string& value) {
    if (section == "Name") return writeFields({{section, n, value}});
    return write(section, std::to_string(n), value);
}

std::vector<std::pair<std::string, std::string>> SnippetFile::readKeyed(const std::string& section) {
    std::vector<std::pair<std::string, std::string>> values;
    const auto read = ini_.readSection(section, path_);
    if (!read) return values;
    const SectionIndex index(*read);
    for (const std::string& key : index.namesWithValues())
        values.emplace_back(fromFileText(key), fromFileText(index.value(key, "")));
    return values;
}

void SnippetFile::loadAbbreviations(const std::vector<NamedEntry>& names) {
    abbreviations_.clear();
    std::unordered_map<std::string, EntryNumber> first;
    std::unordered_set<std::string> shared;
    for (const NamedEntry& entry : names)
        if (!first.emplace(entry.name, entry.number).second) shared.insert(entry.name);
    std::unordered_set<std::string> seen;
    for (auto& [key, name] : readKeyed(AbbreviationSection)) {
        // A hand edit may hold what the program never writes.
        if (abbreviationForm(key) != AbbreviationForm::Fit || !seen.insert(toUpper(key)).second) continue;
        const auto entry = first.find(name);
        Abbreviation abbreviation{key, name, entry == first.end() ? EntryNumber{0} : entry->second,
                                  shared.count(name) > 0};
        abbreviations_.push_back(std::move(abbreviation));
    }
}

std::string SnippetFile::abbreviationOf(const std::string& name) const {
    for (const Abbreviation& abbreviation : abbreviations_)
        if (abbreviation.name == name) return abbreviation.abbreviation;
    return "";
}

std::vector<SnippetFile::KeyedValue> SnippetFile::abbreviationFollowing(EntryNumber n,
                                                                        const std::optional<std::string>& newName) {
    std::vector<KeyedValue> changes;
    const std::vector<NamedEntry> names = readNames();
    const auto own = std::find_if(names.begin(), names.end(), [n](const NamedEntry& e) { return e.number == n; });
    if (own == names.end() || newName == own->name) return changes;
    // Where an earlier entry has the same name, the abbreviation is that one's.
    const auto first = std::find_if(names.begin(), names.end(), [&](const NamedEntry& e) { return e.name == own->name; });
    if (first != own) return changes;
    for (const auto& [key, value] : readKeyed(AbbreviationSection))
        if (value == own->name) changes.push_back({AbbreviationSection, key, newName});
    return changes;
}

SnippetFile::AbbreviationChange SnippetFile::setAbbreviation(const std::string& name,
                                                             const std::string& abbreviation) {
    AbbreviationChange change;
    if (!abbreviation.empty()) change.form = abbreviationForm(abbreviation);
    if (change.form != AbbreviationForm::Fit) return change;
    std::unordered_set<std::string> named;
    for (const NamedEntry& entry : readNames()) named.insert(entry.name);
    const std::string wanted = toUpper(abbreviation);
    std::vector<KeyedValue> keyed;
    bool kept = false;
    for (const auto& [key, value] : readKeyed(AbbreviationSection)) {
        const bool same = !abbreviation.empty() && toUpper(key) == wanted;
        if (value == name) {
            if (key == abbreviation) kept = true;
            else keyed.push_back({AbbreviationSection, key, std::nullopt});
        } else if (same && named.count(value)) {
            change.takenBy = value;
            return change;
        } else if (same) {
            // The abbreviation of a name no entry has is free to take.
            keyed.push_back({AbbreviationSection, key, std::nullopt});
        }
    }
    if (!abbreviation.empty() && !kept) keyed.push_back({AbbreviationSection, abbreviation, name});
    if (!keyed.empty()) change.result = writeFields({}, keyed);
    return change;
}

WriteResult SnippetFile::addIgnoreTitle(const std::string& title) {
    ignoreList_.push_back(title);
    const WriteResult result = write("Ignore", std::to_string(ignoreStored_ + 1), title);
    if (succeeded(result)) ++ignoreStored_;
    return result;
}

WriteResult SnippetFile::saveOptions() {
    const auto signedColour = static_cast<std::int32_t>(options_.borderColour);
    const std::pair<const char*, long long> values[] = {
        {"PumActViaBorder", options_.viaBorder},
        {"PumActBorderByClick", options_.borderByClick},
        {"PumActPos", options_.position},
        {"PumActBorderCol", signedColour},
        {"PumMode", options_.cascade},
        {PickerHotkeyKey, options_.pickerHotkey.word()},
    };
    WriteResult result = WriteResult::Ok;
    for (const auto& [key, value] : values)
        result = firstFailure(result, write("Common", key, std::to_string(value)));
    // The abbreviations' values are newer: a file that never had them keeps
    // its bytes until one of them differs from what the file says.
    const std::tuple<const char*, int, int> newer[] = {
        {"AbbrevOn", options_.abbreviations, optionsInFile_.abbreviations},
        {"AbbrevAtOnce", options_.atOnce, optionsInFile_.atOnce},
        {"AbbrevIgnoreCase", options_.ignoreCase, optionsInFile_.ignoreCase},
    };
    for (const auto& [key, value, inFile] : newer)
        if (value != inFile) result = firstFailure(result, write("Common", key, std::to_string(value)));
    if (succeeded(result)) optionsInFile_ = options_;
    return result;
}

}  // namespace scrivlet
