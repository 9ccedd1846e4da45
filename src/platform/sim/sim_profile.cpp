#include "platform/sim/sim_profile.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "platform/profile_text.h"

namespace scrivlet {

namespace fs = std::filesystem;

namespace {

using profile_text::asCString;
using profile_text::copiedValue;
using profile_text::folded;
using profile_text::LongestArgument;
using profile_text::trimmed;
using profile_text::withoutLeadingBlanks;
using profile_text::withoutTrailingBlanks;
using profile_text::withoutTrailingSpaces;

// A bare file name ("scrivlet.ini") names a file in the Windows folder.
constexpr std::string_view WindowsFolder = "C:\\windows\\";

// Names and values are C strings once parsed, so a NUL byte in the file ends
// the name or value it stands in; the rest of that line is lost on the next save.
std::string upToNul(std::string_view s) { return std::string(s.substr(0, s.find('\0'))); }

struct Entry {
    std::string name;
    std::string value;
    bool hasValue = false;  // a line without '=' is a key without a value
};

struct Section {
    std::string name;
    std::vector<Entry> entries;
};

struct EntryId {
    std::size_t section;
    std::string name;
    bool operator==(const EntryId&) const = default;
};

struct EntryIdHash {
    std::size_t operator()(const EntryId& id) const {
        return std::hash<std::string>{}(id.name) ^ static_cast<std::size_t>(id.section * 0x9E3779B97F4A7C15ull);
    }
};

// One file as Wine's profile code sees it: the sections in file order, each with
// its lines in file order, blank lines dropped. The indexes over the folded names
// keep the first of equal names, since a lookup stops at the first match.
class ParsedFile {
public:
    explicit ParsedFile(std::string_view bytes);

    const std::vector<Section>& sections() const { return sections_; }
    std::optional<std::size_t> section(std::string_view name) const;
    std::optional<std::size_t> entry(std::size_t section, std::string_view name) const;

private:
    void addSection(std::string name);
    void addEntry(Entry entry);

    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;
    std::unordered_map<EntryId, std::size_t, EntryIdHash> entryIndex_;
};

ParsedFile::ParsedFile(std::string_view bytes) {
    // An empty file has no sections at all, not even the unnamed one before the
    // first header.
    if (bytes.empty()) return;
    addSection({});
    // Of several lines in a row that have an empty name ("=x"), only the first
    // is kept: Wine skips one when the line before it had no name either.
    bool afterEntry = false;
    bool afterNamedEntry = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        // A line ends at CR or LF, and any run of them ends just one line.
        const std::size_t start = pos;
        while (pos < bytes.size() && bytes[pos] != '\n' && bytes[pos] != '\r') ++pos;
        const std::string_view line = trimmed(bytes.substr(start, pos - start));
        while (pos < bytes.size() && (bytes[pos] == '\n' || bytes[pos] == '\r')) ++pos;
        if (line.empty()) continue;

        // A header reaches to the last ']' of its line; the rest is ignored. A '['
        // line without ']' is an ordinary line.
        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                addSection(upToNul(trimmed(line.substr(1, close - 1))));
                afterEntry = false;
                continue;
            }
        }

        // Comments (';', '#') are ordinary lines: only the first '=' matters.
        std::string_view name = line;
        Entry entry;
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            name = withoutTrailingBlanks(line.substr(0, equals));
            entry.value = upToNul(withoutLeadingBlanks(line.substr(equals + 1)));
            entry.hasValue = true;
        }
        if (name.empty() && afterEntry && !afterNamedEntry) continue;
        entry.name = upToNul(name);
        afterEntry = true;
        afterNamedEntry = !entry.name.empty();
        addEntry(std::move(entry));
    }
}

void ParsedFile::addSection(std::string name) {
    sectionIndex_.emplace(folded(name), sections_.size());
    sections_.push_back(Section{std::move(name), {}});
}

void ParsedFile::addEntry(Entry entry) {
    const std::size_t section = sections_.size() - 1;
    auto& entries = sections_.back().entries;
    entryIndex_.emplace(EntryId{section, folded(entry.name)}, entries.size());
    entries.push_back(std::move(entry));
}

std::optional<std::size_t> ParsedFile::section(std::string_view name) const {
    const auto found = sectionIndex_.find(folded(name));
    if (found == sectionIndex_.end()) return std::nullopt;
    return found->second;
}

std::optional<std::size_t> ParsedFile::entry(std::size_t section, std::string_view name) const {
    const auto found = entryIndex_.find(EntryId{section, folded(name)});
    if (found == entryIndex_.end()) return std::nullopt;
    return found->second;
}

// The one change a write makes: a new value for an entry, a new entry at the
// end of a section, or a new section at the end of the file; or, for a write
// without a value or key, an entry or a section gone.
struct Change {
    enum class Kind { Set, RemoveEntry, RemoveSection } kind = Kind::Set;
    std::size_t section = 0;  // sections().size(): a new section
    std::size_t entry = 0;    // that section's entries.size(): a new entry
    std::string_view sectionName;
    std::string_view entryName;
    std::string_view value;
};

void appendEntry(std::string& out, std::string_view name, bool hasValue, std::string_view value) {
    out += name;
    if (hasValue) {
        out += '=';
        out += value;
    }
    out += "\r\n";
}

void appendHeader(std::string& out, std::string_view name) {
    // A section without a name ("[]", or the lines before the first header)
    // is written without a header line.
    if (name.empty()) return;
    out += '[';
    out += name;
    out += "]\r\n";
}

// Wine writes the whole file anew from what it parsed: every line ends in CR LF,
// blank lines and the blanks around names and values are gone, and keys keep the
// spelling they had in the file.
std::string serialize(const ParsedFile& parsed, const Change& change, std::size_t sizeHint) {
    std::string out;
    out.reserve(sizeHint + change.sectionName.size() + change.entryName.size() +
                change.value.size() + 8);
    using Kind = Change::Kind;
    const auto& sections = parsed.sections();
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const Section& section = sections[s];
        const bool changed = s == change.section;
        if (changed && change.kind == Kind::RemoveSection) continue;
        appendHeader(out, section.name);
        for (std::size_t e = 0; e < section.entries.size(); ++e) {
            const Entry& entry = section.entries[e];
            if (!changed || e != change.entry)
                appendEntry(out, entry.name, entry.hasValue, entry.value);
            else if (change.kind == Kind::Set)
                appendEntry(out, entry.name, true, change.value);
        }
        if (changed && change.kind == Kind::Set && change.entry == section.entries.size())
            appendEntry(out, change.entryName, true, change.value);
    }
    if (change.kind == Kind::Set && change.section == sections.size()) {
        appendHeader(out, change.sectionName);
        appendEntry(out, change.entryName, true, change.value);
    }
    return out;
}

std::string profilePath(std::string_view file) {
    if (file.find_first_of("\\/:") == std::string_view::npos)
        return std::string(WindowsFolder) + std::string(file);
    return std::string(file);
}

bool endsInSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// What the host says about a file, in one question where it can: each read asks
// it, since the file may have been changed on the host.
struct HostFile {
    enum class Kind { Missing, Regular, Other } kind = Kind::Other;
    std::uintmax_t size = 0;
    std::int64_t written = 0;  // time of last write, in the host's own unit
    bool operator==(const HostFile&) const = default;
};

HostFile lookAt(const fs::path& host) {
    HostFile file;
#if defined(_WIN32)
    // Only a regular file has a size; what else is there is asked only then.
    std::error_code ec;
    file.size = fs::file_size(host, ec);
    if (ec) {
        if (fs::status(host, ec).type() == fs::file_type::not_found)
            file.kind = HostFile::Kind::Missing;
        return file;
    }
    const auto written = fs::last_write_time(host, ec);
    if (ec) return file;
    file.written = written.time_since_epoch().count();
    file.kind = HostFile::Kind::Regular;
#else
    struct stat info {};
    if (::stat(host.c_str(), &info) != 0) {
        if (errno == ENOENT) file.kind = HostFile::Kind::Missing;
        return file;
    }
    if (!S_ISREG(info.st_mode)) return file;
    file.kind = HostFile::Kind::Regular;
    file.size = static_cast<std::uintmax_t>(info.st_size);
    file.written = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 +
                   info.st_mtim.tv_nsec;
#endif
    return file;
}

}  // namespace

// The parsed files, each with the marks that tell whether the file changed
// since: the file system's generation for changes made through it, size and
// time of last write for changes made on the host.
struct SimProfile::Cache {
    struct File {
        std::uint64_t generation = 0;
        HostFile host;
        std::string bytes;
        ParsedFile parsed{std::string_view{}};
    };

    // What opening a file for a call gives.
    struct Opened {
        enum class State { Failed, Missing, Loaded } state = State::Failed;
        const File* file = nullptr;
    };

    // A program keeps a few files open at most; more than this are dropped.
    static constexpr std::size_t MostFiles = 16;

    Opened open(SimFileSystem& files, const std::string& path);
    Opened load(SimFileSystem& files, const std::string& path, const fs::path& host,
                const HostFile& seen);
    void remember(SimFileSystem& files, const fs::path& host, std::string bytes);

    std::unordered_map<std::string, File> files;
    // Host paths of files found before, good until the file system changes:
    // finding one anew costs a look at every folder on the way.
    std::unordered_map<std::string, fs::path> hostPaths;
    std::uint64_t hostPathsGeneration = 0;
};

SimProfile::Cache::Opened SimProfile::Cache::open(SimFileSystem& fileSystem,
                                                  const std::string& path) {
    using State = Opened::State;
    using Kind = HostFile::Kind;
    if (hostPathsGeneration != fileSystem.generation()) {
        hostPaths.clear();
        hostPathsGeneration = fileSystem.generation();
    }
    if (const auto known = hostPaths.find(path); known != hostPaths.end()) {
        const HostFile seen = lookAt(known->second);
        if (seen.kind == Kind::Regular) return load(fileSystem, path, known->second, seen);
        hostPaths.erase(known);
    }

    const auto host = fileSystem.hostPath(path);
    if (!host || endsInSeparator(path)) return {};
    const HostFile seen = lookAt(*host);
    if (seen.kind == Kind::Missing) {
        // A missing file is an empty one if its folder is there; a missing
        // folder fails the call.
        std::error_code ec;
        if (fs::is_directory(host->parent_path(), ec)) return {State::Missing, nullptr};
        return {};
    }
    if (seen.kind != Kind::Regular) return {};
    const Opened opened = load(fileSystem, path, *host, seen);
    if (opened.state == State::Loaded) hostPaths.emplace(path, *host);
    return opened;
}

SimProfile::Cache::Opened SimProfile::Cache::load(SimFileSystem& fileSystem,
                                                  const std::string& path, const fs::path& host,
                                                  const HostFile& seen) {
    using State = Opened::State;
    const std::string key = host.string();
    auto known = files.find(key);
    if (known != files.end() && known->second.generation == fileSystem.generation() &&
        known->second.host == seen)
        return {State::Loaded, &known->second};

    // The file system changed, or the file on the host: parse it again only if
    // its bytes did.
    auto bytes = fileSystem.readAll(path);
    if (!bytes) return {};
    if (known != files.end() && known->second.bytes == *bytes) {
        known->second.generation = fileSystem.generation();
        known->second.host = seen;
        return {State::Loaded, &known->second};
    }
    if (known == files.end() && files.size() >= MostFiles) files.clear();
    File& file = files[key];
    file.generation = fileSystem.generation();
    file.host = seen;
    file.parsed = ParsedFile(*bytes);
    file.bytes = std::move(*bytes);
    return {State::Loaded, &file};
}

void SimProfile::Cache::remember(SimFileSystem& fileSystem, const fs::path& host,
                                 std::string bytes) {
    const HostFile seen = lookAt(host);
    if (seen.kind != HostFile::Kind::Regular || seen.size != bytes.size()) {
        files.erase(host.string());
        return;
    }
    File& file = files[host.string()];
    file.generation = fileSystem.generation();
    file.host = seen;
    file.parsed = ParsedFile(bytes);
    file.bytes = std::move(bytes);
}

SimProfile::SimProfile(SimFileSystem& files) : files_(files), cache_(std::make_unique<Cache>()) {}

SimProfile::~SimProfile() = default;

std::string SimProfile::readString(const std::string& section, const std::string& key,
                                   const std::string& fallback, const std::string& file,
                                   std::size_t bufferSize) {
    ++reads_;
    if (bufferSize == 0) return {};
    const std::string_view sectionName = asCString(section);
    const std::string_view keyName = asCString(key);
    const std::string_view fallbackText = asCString(fallback);
    if (sectionName.size() > LongestArgument || keyName.size() > LongestArgument ||
        fallbackText.size() > LongestArgument)
        return std::string(fallbackText.substr(0, bufferSize - 1));

    const std::string_view defaultText = withoutTrailingSpaces(fallbackText);

    const Cache::Opened opened = cache_->open(files_, profilePath(asCString(file)));
    // A file that cannot be opened (no such folder, a folder, unreadable) gives
    // the fallback as it is; otherwise the fallback loses its quotes like a value.
    if (opened.state == Cache::Opened::State::Failed)
        return std::string(defaultText.substr(0, bufferSize - 1));

    std::string_view source = defaultText;
    if (opened.file) {
        const ParsedFile& parsed = opened.file->parsed;
        if (const auto s = parsed.section(trimmed(sectionName))) {
            if (const auto e = parsed.entry(*s, trimmed(keyName))) {
                // "key=" is an empty value; a line "key" without '=' has none.
                const Entry& entry = parsed.sections()[*s].entries[*e];
                if (entry.hasValue) source = entry.value;
            }
        }
    }
    return copiedValue(source, bufferSize);
}

std::optional<std::string> SimProfile::readSection(const std::string& section,
                                                   const std::string& file) {
    ++reads_;
    const std::string_view sectionName = asCString(section);
    if (sectionName.size() > LongestArgument) return std::nullopt;
    const Cache::Opened opened = cache_->open(files_, profilePath(asCString(file)));
    if (opened.state == Cache::Opened::State::Failed) return std::nullopt;
    std::string out;
    if (!opened.file) return out;
    // Unlike a key read, the section read compares the name as given: " Name"
    // is not "[Name]". The empty name is the lines before the first header.
    const ParsedFile& parsed = opened.file->parsed;
    const auto s = parsed.section(sectionName);
    if (!s) return out;
    for (const Entry& entry : parsed.sections()[*s].entries) {
        // Comments (';', unlike '#') are left out here though a key read finds
        // them, and so is a line whose name a NUL ended before its first
        // character, unless it has a value.
        if (entry.name.empty() && !entry.hasValue) continue;
        if (!entry.name.empty() && entry.name.front() == ';') continue;
        out += entry.name;
        // Values come as they are in the file, quotes included.
        if (entry.hasValue) {
            out += '=';
            out += entry.value;
        }
        out += '\0';
    }
    return out;
}

bool SimProfile::writeString(const std::string& section, const std::string& key,
                             const std::string& value, const std::string& file) {
    if (++writes_ == failingWrite_) return false;
    const std::string_view sectionName = asCString(section);
    const std::string_view keyName = asCString(key);
    const std::string_view text = asCString(value);
    if (sectionName.size() > LongestArgument || keyName.size() > LongestArgument ||
        text.size() > LongestArgument)
        return false;

    const std::string path = profilePath(asCString(file));
    // The system opens the file for writing before it looks at the value, which
    // a read-only file refuses even when nothing would change.
    if (const auto attributes = files_.attributes(path);
        attributes && attributes->readOnly && !attributes->directory)
        return false;
    const Cache::Opened opened = cache_->open(files_, path);
    if (opened.state == Cache::Opened::State::Failed) return false;

    static const ParsedFile emptyFile{std::string_view{}};
    const ParsedFile& parsed = opened.file ? opened.file->parsed : emptyFile;
    // Names are trimmed for the search, but a new section or key is stored with
    // its leading blanks cut only, and so is the value.
    Change change;
    change.sectionName = withoutLeadingBlanks(sectionName);
    change.entryName = withoutLeadingBlanks(keyName);
    change.value = withoutLeadingBlanks(text);
    change.section = parsed.sections().size();
    if (const auto s = parsed.section(trimmed(sectionName))) {
        change.section = *s;
        const auto& entries = parsed.sections()[*s].entries;
        change.entry = entries.size();
        if (const auto e = parsed.entry(*s, trimmed(keyName))) {
            // The same value again leaves the file untouched, however it is laid out.
            if (entries[*e].hasValue && entries[*e].value == change.value) return true;
            change.entry = *e;
        }
    }

    return store(path, serialize(parsed, change, opened.file ? opened.file->bytes.size() : 0));
}

bool SimProfile::store(const std::string& path, std::string bytes) {
    if (!files_.writeAll(path, bytes)) return false;
    // What was written is what the next call would parse, so it is parsed now.
    if (const auto host = files_.hostPath(path)) cache_->remember(files_, *host, std::move(bytes));
    return true;
}

bool SimProfile::remove(const std::string& section, const std::string* key,
                        const std::string& file) {
    if (++writes_ == failingWrite_) return false;
    const std::string_view sectionName = asCString(section);
    const std::string_view keyName = key ? asCString(*key) : std::string_view{};
    if (sectionName.size() > LongestArgument || keyName.size() > LongestArgument) return false;

    const std::string path = profilePath(asCString(file));
    if (const auto attributes = files_.attributes(path);
        attributes && attributes->readOnly && !attributes->directory)
        return false;
    const Cache::Opened opened = cache_->open(files_, path);
    if (opened.state == Cache::Opened::State::Failed) return false;
    if (!opened.file) return true;

    // Unlike a write, a removal compares the names as given, untrimmed, and
    // looks for the key in every section of the name, not just the first.
    const ParsedFile& parsed = opened.file->parsed;
    const std::string sectionFolded = folded(sectionName);
    const std::string keyFolded = folded(keyName);
    const auto& sections = parsed.sections();
    for (std::size_t s = 0; s < sections.size(); ++s) {
        if (folded(sections[s].name) != sectionFolded) continue;
        Change change;
        change.section = s;
        if (!key) {
            change.kind = Change::Kind::RemoveSection;
            return store(path, serialize(parsed, change, opened.file->bytes.size()));
        }
        const auto& entries = sections[s].entries;
        for (std::size_t e = 0; e < entries.size(); ++e) {
            if (folded(entries[e].name) != keyFolded) continue;
            change.kind = Change::Kind::RemoveEntry;
            change.entry = e;
            return store(path, serialize(parsed, change, opened.file->bytes.size()));
        }
    }
    // Nothing to remove: the file stays as it is.
    return true;
}

bool SimProfile::removeKey(const std::string& section, const std::string& key,
                           const std::string& file) {
    return remove(section, &key, file);
}

bool SimProfile::removeSection(const std::string& section, const std::string& file) {
    return remove(section, nullptr, file);
}

}  // namespace scrivlet
