#include "store/snippet_file.h"

#include <optional>

#include "platform/text.h"
#include "store/entry_cipher.h"
#include "store/file_text.h"
#include "store/number_text.h"
#include "store/section_index.h"

namespace scrivlet {

namespace {

const char* const DefaultIgnoreTitles[] = {"DFÜ-Netzwerkmonitor", "Microsoft Office Shortcut-Leiste"};

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
    std::string read(const std::string& key) {
        if (index_ && index_->covers(key)) return fromFileText(index_->value(key, ""));
        return fromFileText(ini_.read(section_, key, "", file_));
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

// Every write of the file passes here: the day's backup first, and the stamp
// after, so that the program's own writes are not taken for another's.
WriteResult SnippetFile::write(const std::string& section, const std::string& key,
                               const std::string& value) {
    return writeStored(section, key, holdsFileForm(section) ? value : toFileText(value));
}

std::string SnippetFile::readStored(const std::string& section, const std::string& key) {
    return ini_.read(section, key, "", path_);
}

WriteResult SnippetFile::writeStored(const std::string& section, const std::string& key,
                                     const std::string& value) {
    if (keeping_) {
        keeping_->backup.beforeWrite(path_);
        if (stamp() != known_) changedBeforeWrite_ = true;
    }
    const WriteResult result = ini_.write(section, key, value, path_);
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

std::string SnippetFile::storedText(const Entry& entry) {
    return entry.crypt ? encipherText(entry.text, random_) : entry.text;
}

WriteResult SnippetFile::writeFields(const std::vector<Field>& fields) {
    std::vector<Field> stored;
    for (const Field& field : fields) {
        stored.push_back(field);
        if (!holdsFileForm(field.section)) stored.back().value = toFileText(field.value);
        if (const WriteResult refused = IniAccess::check(stored.back().value); refused != WriteResult::Ok)
            return refused;
    }
    std::vector<Field> previous;
    for (const Field& field : stored) {
        const std::string key = std::to_string(field.number);
        std::string old = readStored(field.section, key);
        const WriteResult result = writeStored(field.section, key, field.value);
        if (!succeeded(result)) {
            // Put back in reverse order, so a value written twice ends as it was.
            for (auto p = previous.rbegin(); p != previous.rend(); ++p)
                static_cast<void>(writeStored(p->section, std::to_string(p->number), p->value));
            return result;
        }
        previous.push_back({field.section, field.number, std::move(old)});
    }
    return WriteResult::Ok;
}

WriteResult SnippetFile::writeEntries(const std::vector<std::pair<EntryNumber, Entry>>& entries) {
    std::vector<Field> fields;
    for (const auto& [n, entry] : entries) {
        fields.push_back({"Name", n, entry.name});
        fields.push_back({"Crypt", n, std::to_string(entry.crypt)});
        fields.push_back({"Text", n, storedText(entry)});
        fields.push_back({"Title", n, entry.title});
        fields.push_back({"DosBox", n, std::to_string(entry.dosBox)});
    }
    return writeFields(fields);
}

WriteResult SnippetFile::writeField(EntryNumber n, const std::string& section,
                                    const std::string& value) {
    return write(section, std::to_string(n), value);
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
    };
    WriteResult result = WriteResult::Ok;
    for (const auto& [key, value] : values)
        result = firstFailure(result, write("Common", key, std::to_string(value)));
    if (succeeded(result)) optionsInFile_ = options_;
    return result;
}

}  // namespace scrivlet
