// The simulated profile functions held against Wine's own, in one process: the
// same generated files and the same calls go through Win32Profile on a real file
// and through SimProfile on a simulated one, and every result, and the file's
// bytes after every write, must agree to the byte. A write may also be one
// without a value (a key removed) or without a key (a section removed).
//
// The section reads are held against both: Win32Profile::readSection must give
// what SimProfile::readSection gives, and an index over a section must answer
// every key as Wine's own key read (GetPrivateProfileStringA) does, since the
// program reads its lists through the index instead of one key at a time.
//
// Left out on purpose:
// - Files that begin with a byte-order mark (EF BB BF, FF FE or FE FF): Wine then
//   reads the file as UTF-8 or UTF-16 and writes it back so, which the sim does
//   not model, since the program's files are ANSI. The generator builds no such
//   file; if a write makes one anyway (lines dropped on a rewrite can bring one
//   to the front), the case stops there and is counted.
// - Wine's parsed-file cache: Wine keeps what it parsed or wrote last, and
//   answers from it instead of the file when the file's time of last write is
//   unchanged and more than 2.1 seconds past. A new section or key name, or a
//   value, with blanks at its end or a line break in it, is kept there as
//   written, but reads differently once the file is parsed again, so Wine's
//   answers then depend on the clock. The sim always answers as for a freshly
//   parsed file, and so the real file's time of last write is set to now before
//   each call, which makes Wine parse it again too.
// - Arguments of 32767 characters or more never reach Wine (Win32Profile refuses
//   them, as the sim does): Wine crashes or loses data on them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/sim/sim_files.h"
#include "platform/sim/sim_profile.h"
#include "platform/text.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_profile.h"
#include "store/section_index.h"

namespace scrivlet::test {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr std::uint64_t Seed = 0x5C21'7E7A'0000'2024ull;
constexpr int DefaultCases = 3000;

// splitmix64: small, and the same numbers with every compiler and library.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }
    bool percent(unsigned p) { return below(100) < p; }
    template <typename T>
    const T& pick(const std::vector<T>& items) {
        return items[below(items.size())];
    }

private:
    std::uint64_t state_;
};

// ---- what the generator makes

const std::vector<std::string> SectionWords = {
    "Allgemein", "Liste", "Optionen", "s", "S", "Größe", "ärger", "Entry 1", "a b",
    "x.y", "Über", "Zeichen€", "Ša", "µ", "liste", "Zeilen"};
const std::vector<std::string> KeyWords = {
    "Sprache", "k", "K", "Eintrag1", "Eintrag2", "Name", "ö", "Ö", "a b", "Wert",
    "€uro", "ñ", "x", "Modus", "MODUS", "Titel"};
const std::vector<std::string> Words = {"Hallo", "Welt", "a", "Grüße", "5 €", "~{ENTER}",
                                        "x=y", "[x]", ";", "#", "C:\\neu", "\x81\x8D\x8F\x90\x9D"};

std::string blanks(Rng& rng) {
    static const std::string kinds = std::string(" \t\v\f\x1a");
    std::string out;
    if (rng.percent(70)) return out;
    const std::size_t n = 1 + rng.below(3);
    for (std::size_t i = 0; i < n; ++i) out += rng.percent(60) ? ' ' : kinds[rng.below(kinds.size())];
    return out;
}

// Letters in a random case, umlauts included, so that Wine's ASCII-only folding
// is put to the test.
std::string mangled(Rng& rng, const std::string& name) {
    std::string out = name;
    if (rng.percent(50)) return out;
    for (char& c : out) {
        const int r = static_cast<int>(rng.below(3));
        if (r == 1) c = upperCp1252(c);
        if (r == 2) c = lowerCp1252(c);
    }
    return out;
}

std::string randomBytes(Rng& rng, std::size_t length, bool lineBreaks) {
    std::string out;
    for (std::size_t i = 0; i < length; ++i) {
        const std::size_t kind = rng.below(10);
        if (kind < 6)
            out += static_cast<char>(0x20 + rng.below(0x5F));
        else if (kind < 9)
            out += static_cast<char>(0x80 + rng.below(0x80));
        else if (lineBreaks)
            out += rng.percent(50) ? '\r' : '\n';
        else
            out += '\t';
    }
    return out;
}

std::string words(Rng& rng) {
    std::string out = rng.pick(Words);
    const std::size_t more = rng.below(3);
    for (std::size_t i = 0; i < more; ++i) {
        out += rng.percent(80) ? " " : "  ";
        out += rng.pick(Words);
    }
    return out;
}

// Every piece of a generated case is drawn in a statement of its own: the
// operands of '+' are evaluated in no fixed order, and the cases must not
// depend on the compiler.
std::string quoted(const std::string& text, const char* open, const char* close) {
    return open + text + close;
}

std::string randomValue(Rng& rng, bool inFile) {
    switch (rng.below(16)) {
        case 0: return "";
        case 1: return quoted(words(rng), "\"", "\"");
        case 2: return quoted(words(rng), "'", "'");
        case 3: return quoted(words(rng), "\"", "");
        case 4: return quoted(words(rng), "", "'");
        case 5: return rng.pick(std::vector<std::string>{"\"\"", "''", "\"", "'", "\"'", "\" \""});
        case 6: return randomBytes(rng, 1 + rng.below(20), false);
        case 7: return quoted(randomBytes(rng, rng.below(8), false), "\"", "\"");
        case 8:
            if (rng.percent(5)) return randomBytes(rng, 30000 + rng.below(12000), false);
            return randomBytes(rng, 100 + rng.below(3000), false);
        case 9: {
            // A NUL or a line break inside: in a file they end the value or the
            // line; in a call the NUL ends the argument and a line break is kept.
            std::string value = words(rng);
            value += rng.percent(50) || inFile ? "\0"s : "\r\n"s;
            value += words(rng);
            return value;
        }
        case 10: {
            std::string value = words(rng);
            if (inFile) return value;
            value += "\r\n";
            value += rng.pick(KeyWords);
            return value + "=1";
        }
        default: return words(rng);
    }
}

std::string sectionName(Rng& rng) {
    if (rng.percent(4)) return "";
    if (rng.percent(4)) return rng.pick(std::vector<std::string>{"a]b", "[x", "s=1", ";c", "x\r\ny"});
    return mangled(rng, rng.pick(SectionWords));
}

std::string keyName(Rng& rng) {
    if (rng.percent(3)) return "";
    if (rng.percent(5))
        return rng.pick(std::vector<std::string>{";k", "#k", "a=b", "[t]", "k\r\nz", "[u", "k\0x"s});
    return mangled(rng, rng.pick(KeyWords));
}

const std::vector<std::string> LineEnds = {"\r\n", "\r\n", "\r\n", "\r\n", "\n", "\r",
                                           "\n\r", "\r\r\n", "\n\n"};

// The names a file was made with, for calls that find something.
struct NamesUsed {
    std::vector<std::string> sections, keys;
};

std::string randomFile(Rng& rng, NamesUsed& names) {
    std::string out;
    const std::size_t lines = rng.below(25);
    for (std::size_t i = 0; i < lines; ++i) {
        std::string line = blanks(rng);
        switch (rng.below(12)) {
            case 0:
            case 1:
                names.sections.push_back(sectionName(rng));
                line += '[';
                line += blanks(rng);
                line += names.sections.back();
                line += blanks(rng);
                line += ']';
                if (rng.percent(15)) line += rng.pick(std::vector<std::string>{" ; alt", "]", "x]y", " =1"});
                break;
            case 2:
                line += '[';
                line += mangled(rng, rng.pick(SectionWords));
                break;
            case 3:
                names.keys.push_back(keyName(rng));
                line += names.keys.back() + blanks(rng);
                break;
            case 4:
                line += '=';
                line += blanks(rng);
                line += randomValue(rng, true);
                break;
            case 5:
                line += rng.percent(50) ? "; " : "#";
                line += words(rng);
                break;
            case 6: break;
            default:
                names.keys.push_back(keyName(rng));
                line += names.keys.back();
                line += blanks(rng);
                line += '=';
                line += blanks(rng);
                line += randomValue(rng, true);
                break;
        }
        line += blanks(rng);
        if (rng.percent(2)) line.insert(rng.below(line.size() + 1), 1, '\0');
        out += line;
        if (i + 1 < lines || rng.percent(80)) out += rng.pick(LineEnds);
    }
    return out;
}

// ---- one call and what it gave

struct Operation {
    bool write = false;
    // A write without a value, or without a key and value.
    bool removeKey = false, removeSection = false;
    bool missingFolder = false;
    std::string section, key, text;  // text: the value or the fallback
    std::size_t bufferSize = 0;
};

Operation randomOperation(Rng& rng, const NamesUsed& names) {
    Operation op;
    op.write = rng.percent(35);
    op.missingFolder = rng.percent(3);
    const bool known = rng.percent(60);
    op.section = known && !names.sections.empty() ? mangled(rng, rng.pick(names.sections))
                                                  : sectionName(rng);
    op.key = known && !names.keys.empty() ? mangled(rng, rng.pick(names.keys)) : keyName(rng);
    op.section = blanks(rng) + op.section;
    op.section += blanks(rng);
    op.key = blanks(rng) + op.key;
    op.key += blanks(rng);
    if (rng.percent(1)) {
        std::string& name = rng.percent(50) ? op.section : op.key;
        name = randomBytes(rng, 32767, false);
    }
    if (op.write && rng.percent(20)) {
        (rng.percent(25) ? op.removeSection : op.removeKey) = true;
    } else if (op.write) {
        op.text = blanks(rng);
        op.text += randomValue(rng, false);
        op.text += blanks(rng);
    } else {
        op.text = rng.percent(40) ? "" : randomValue(rng, false);
        if (rng.percent(30)) op.text += std::string(1 + rng.below(3), ' ');
        if (rng.percent(3)) op.text = std::string(1 + rng.below(3), ' ');
        static const std::vector<std::size_t> sizes = {1, 2, 3, 4, 5, 6, 7, 8, 10, 16, 32, 100, 256, 1024, 65536};
        op.bufferSize = rng.percent(1) ? 0 : rng.pick(sizes);
    }
    return op;
}

// ---- readable failure reports

std::string shown(const std::string& bytes, std::size_t limit = 600) {
    std::ostringstream out;
    out << '"';
    std::size_t n = 0;
    for (char c : bytes) {
        if (++n > limit) {
            out << "...(" << bytes.size() << " bytes)";
            break;
        }
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r') out << "\\r";
        else if (c == '\n') out << "\\n";
        else if (c == '\t') out << "\\t";
        else if (c == '\\') out << "\\\\";
        else if (c == '"') out << "\\\"";
        else if (u >= 0x20 && u < 0x7F) out << c;
        else {
            static const char hex[] = "0123456789ABCDEF";
            out << "\\x" << hex[u >> 4] << hex[u & 15];
        }
    }
    out << '"';
    return out.str();
}

std::string shown(const std::optional<std::string>& bytes) {
    return bytes ? shown(*bytes) : std::string("(no file)");
}

std::string describe(const Operation& op) {
    std::ostringstream out;
    out << (op.removeSection ? "remove section" : op.removeKey ? "remove key" : op.write ? "write" : "read ")
        << (op.missingFolder ? " (missing folder)" : "")
        << " section " << shown(op.section, 80) << " key " << shown(op.key, 80)
        << (op.write ? " value " : " fallback ") << shown(op.text, 80);
    if (!op.write) out << " buffer " << op.bufferSize;
    return out.str();
}

std::string whereTheyDiffer(const std::optional<std::string>& a, const std::optional<std::string>& b) {
    if (!a || !b) return "";
    std::size_t i = 0;
    while (i < a->size() && i < b->size() && (*a)[i] == (*b)[i]) ++i;
    const std::size_t from = i > 40 ? i - 40 : 0;
    return "\n  first difference at byte " + std::to_string(i) + ": Wine " +
           shown(a->substr(from, 120)) + "\n                          sim  " +
           shown(b->substr(from, 120));
}

// ---- the two back-ends side by side

std::optional<std::string> readHostFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeHostFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Makes the file's time of last write now, so that Wine parses it again rather
// than answer from what it kept of it (see the top of this file).
void touch(const std::string& path) {
    const UniqueFile file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    SetFileTime(file.get(), nullptr, nullptr, &now);
}

bool startsWithByteOrderMark(const std::optional<std::string>& bytes) {
    if (!bytes) return false;
    const std::string& b = *bytes;
    return b.rfind("\xEF\xBB\xBF", 0) == 0 || b.rfind("\xFF\xFE", 0) == 0 ||
           b.rfind("\xFE\xFF", 0) == 0;
}

class SideBySide {
public:
    SideBySide() {
        char temp[MAX_PATH + 1] = {};
        const DWORD length = GetTempPathA(sizeof temp, temp);
        root_ = fs::path(std::string(temp, length)) /
                ("scrivlet-differential-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(root_ / "real");
        realFile_ = (root_ / "real" / "case.ini").string();
        realMissing_ = (root_ / "real" / "fehlt" / "case.ini").string();
        sim_.emplace(root_ / "sim");
        sim_->createFolder("C:\\diff");
        simProfile_.emplace(*sim_);
    }
    ~SideBySide() {
        simProfile_.reset();
        sim_.reset();
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    void start(const std::optional<std::string>& bytes) {
        std::error_code ec;
        fs::remove(realFile_, ec);
        sim_->remove(SimFile);
        if (bytes) {
            writeHostFile(realFile_, *bytes);
            sim_->writeAll(SimFile, *bytes);
        }
    }

    struct Outcome {
        std::string text;
        bool succeeded = false;
        std::optional<std::string> file;  // after a write
    };

    Outcome wine(const Operation& op) {
        Outcome outcome;
        const std::string& path = op.missingFolder ? realMissing_ : realFile_;
        touch(realFile_);
        if (op.write) {
            outcome.succeeded = op.removeSection ? real_.removeSection(op.section, path)
                                : op.removeKey   ? real_.removeKey(op.section, op.key, path)
                                                 : real_.writeString(op.section, op.key, op.text, path);
            outcome.file = readHostFile(realFile_);
        } else {
            outcome.text = real_.readString(op.section, op.key, op.text, path, op.bufferSize);
        }
        return outcome;
    }

    // The section and key reads, each side on its own file (or on a file in a
    // missing folder).
    std::optional<std::string> wineSection(const std::string& section, bool missingFolder) {
        touch(realFile_);
        return real_.readSection(section, missingFolder ? realMissing_ : realFile_);
    }
    std::optional<std::string> simSection(const std::string& section, bool missingFolder) {
        return simProfile_->readSection(section, missingFolder ? SimMissing : SimFile);
    }
    std::string wineRead(const std::string& section, const std::string& key,
                         const std::string& fallback, std::size_t bufferSize) {
        touch(realFile_);
        return real_.readString(section, key, fallback, realFile_, bufferSize);
    }

    Outcome sim(const Operation& op) {
        Outcome outcome;
        const std::string path = op.missingFolder ? SimMissing : SimFile;
        if (op.write) {
            outcome.succeeded = op.removeSection ? simProfile_->removeSection(op.section, path)
                                : op.removeKey   ? simProfile_->removeKey(op.section, op.key, path)
                                                 : simProfile_->writeString(op.section, op.key, op.text, path);
            outcome.file = sim_->readAll(SimFile);
        } else {
            outcome.text = simProfile_->readString(op.section, op.key, op.text, path, op.bufferSize);
        }
        return outcome;
    }

private:
    static constexpr const char* SimFile = "C:\\diff\\case.ini";
    static constexpr const char* SimMissing = "C:\\diff\\fehlt\\case.ini";

    fs::path root_;
    std::string realFile_, realMissing_;
    Win32Profile real_;
    std::optional<SimFileSystem> sim_;
    std::optional<SimProfile> simProfile_;
};

// A longer or another search by hand: SCRIVLET_PROFILE_CASES=100000 and
// SCRIVLET_PROFILE_SEED=12345.
int caseCount() {
    if (const char* text = std::getenv("SCRIVLET_PROFILE_CASES")) {
        const int n = std::atoi(text);
        if (n > 0) return n;
    }
    return DefaultCases;
}

std::uint64_t seed() {
    if (const char* text = std::getenv("SCRIVLET_PROFILE_SEED"))
        return std::strtoull(text, nullptr, 0);
    return Seed;
}

TEST(ProfileDifferential, SimAnswersAndWritesAsWineDoes) {
    SideBySide backends;
    const std::uint64_t startSeed = seed();
    Rng rng(startSeed);
    const int cases = caseCount();
    int operations = 0, reads = 0, writes = 0, removals = 0, stoppedAtMark = 0;
    for (int number = 1; number <= cases; ++number) {
        std::optional<std::string> initial;
        NamesUsed names;
        if (!rng.percent(10)) initial = randomFile(rng, names);
        backends.start(initial);
        std::ostringstream story;
        story << "case " << number << " of seed " << std::hex << startSeed << std::dec
              << "\nfile at the start: " << shown(initial) << "\n";
        const std::size_t steps = 1 + rng.below(10);
        for (std::size_t step = 1; step <= steps; ++step) {
            const Operation op = randomOperation(rng, names);
            const SideBySide::Outcome wine = backends.wine(op);
            const SideBySide::Outcome sim = backends.sim(op);
            ++operations;
            ++(op.write ? writes : reads);
            if (op.removeKey || op.removeSection) ++removals;
            story << step << ". " << describe(op) << "\n";
            if (op.write) {
                story << "   -> Wine " << wine.succeeded << ", sim " << sim.succeeded << "\n";
                ASSERT_EQ(wine.succeeded, sim.succeeded) << story.str();
                ASSERT_TRUE(wine.file == sim.file)
                    << story.str() << "file after the write:\n  Wine " << shown(wine.file)
                    << "\n  sim  " << shown(sim.file) << whereTheyDiffer(wine.file, sim.file);
                story << "   file now " << shown(wine.file) << "\n";
                if (startsWithByteOrderMark(wine.file)) {
                    ++stoppedAtMark;
                    break;
                }
            } else {
                story << "   -> Wine " << shown(wine.text) << " (" << wine.text.size()
                      << "), sim " << shown(sim.text) << " (" << sim.text.size() << ")\n";
                ASSERT_TRUE(wine.text == sim.text) << story.str();
            }
        }
    }
    std::cout << "[ profile ] " << cases << " cases, " << operations << " calls (" << reads
              << " reads, " << writes << " writes, " << removals << " of them removals) alike; " << stoppedAtMark
              << " stopped at a byte-order mark\n";
}

// ---- section reads

constexpr int DefaultSectionCases = 600;

int sectionCaseCount() {
    if (const char* text = std::getenv("SCRIVLET_SECTION_CASES")) {
        const int n = std::atoi(text);
        if (n > 0) return n;
    }
    return DefaultSectionCases;
}

// A section as the program keeps its lists, keys "1" to "n", with what hand
// editing and other writers leave in one: blanks, quotes, letter case, equal
// keys, gaps, numbers written otherwise, keys without '=', comments, blank lines.
std::string numberedSection(Rng& rng, NamesUsed& names) {
    const std::string name =
        mangled(rng, rng.pick(std::vector<std::string>{"Name", "Title", "Ignore", "Text"}));
    names.sections.push_back(name);
    std::string out = blanks(rng);
    out += '[';
    out += blanks(rng);
    out += name;
    out += blanks(rng);
    out += ']';
    out += rng.pick(LineEnds);
    const std::size_t count = 1 + rng.below(20);
    for (std::size_t n = 1; n <= count; ++n) {
        std::string line = blanks(rng);
        std::string key = std::to_string(n);
        switch (rng.below(25)) {
            case 0: key = "0" + key; break;
            case 1: key = "; " + key; break;
            case 2: key = "#" + key; break;
            case 3: key = std::to_string(1 + rng.below(count)); break;
            case 4: key = std::to_string(n + 1); break;
            case 5: key = "+" + key; break;
            default: break;
        }
        names.keys.push_back(key);
        line += key;
        line += blanks(rng);
        if (!rng.percent(6)) {
            line += '=';
            line += blanks(rng);
            line += randomValue(rng, true);
        }
        line += blanks(rng);
        if (rng.percent(2)) line.insert(rng.below(line.size() + 1), 1, '\0');
        out += line;
        out += rng.pick(LineEnds);
        if (rng.percent(5)) out += rng.pick(LineEnds);
    }
    return out;
}

bool hasBlanksAround(const std::string& name) {
    const auto blank = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u >= 0x09 && u <= 0x0d) || u == 0x1a || u == 0x20;
    };
    const std::string visible = name.c_str();
    return !visible.empty() && (blank(visible.front()) || blank(visible.back()));
}

// A file with one or two numbered sections among generated lines.
std::string randomListFile(Rng& rng, NamesUsed& names) {
    std::string out;
    if (rng.percent(50)) out += randomFile(rng, names);
    out += numberedSection(rng, names);
    if (rng.percent(50)) out += randomFile(rng, names);
    if (rng.percent(15)) out += numberedSection(rng, names);
    return out;
}

// The names of the entries a section read gave, as the file spells them.
std::vector<std::string> entryNames(const std::string& section) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < section.size()) {
        std::size_t end = section.find('\0', pos);
        if (end == std::string::npos) end = section.size();
        const std::string entry = section.substr(pos, end - pos);
        out.push_back(entry.substr(0, entry.find('=')));
        pos = end + 1;
    }
    return out;
}

std::string readFallback(Rng& rng) {
    std::string fallback = rng.percent(50) ? "" : randomValue(rng, false);
    if (rng.percent(20)) fallback += std::string(1 + rng.below(3), ' ');
    if (rng.percent(5)) fallback = quoted(words(rng), "'", "'");
    return fallback;
}

// The keys to look up in one section: every name it has, in the file's
// spelling, in another letter case and with blanks around, the numbers 1 to 20,
// names of other sections and names no file holds.
std::vector<std::string> keysToLookUp(Rng& rng, const NamesUsed& names,
                                      const std::string& section) {
    std::vector<std::string> keys;
    for (const std::string& name : entryNames(section)) {
        keys.push_back(name);
        if (rng.percent(25)) keys.push_back(mangled(rng, name));
        if (rng.percent(15)) {
            std::string padded = blanks(rng);
            padded += name;
            padded += blanks(rng);
            keys.push_back(padded);
        }
    }
    for (int n = 1; n <= 20; ++n) keys.push_back(std::to_string(n));
    for (int i = 0; i < 2 && !names.keys.empty(); ++i)
        keys.push_back(mangled(rng, rng.pick(names.keys)));
    keys.push_back(keyName(rng));
    if (rng.percent(2)) keys.push_back(randomBytes(rng, 32767, false));
    return keys;
}

TEST(ProfileDifferential, SectionReadsAnswerAsWineAndAsItsKeyReads) {
    SideBySide backends;
    const std::uint64_t startSeed = seed() ^ 0x5EC7'10E5ull;
    Rng rng(startSeed);
    const int cases = sectionCaseCount();
    int sections = 0, unreadable = 0, lookups = 0, leftToKeyReads = 0;
    for (int number = 1; number <= cases; ++number) {
        std::optional<std::string> initial;
        NamesUsed names;
        if (!rng.percent(8)) initial = randomListFile(rng, names);
        backends.start(initial);
        std::ostringstream story;
        story << "case " << number << " of seed " << std::hex << startSeed << std::dec
              << "\nfile at the start: " << shown(initial) << "\n";

        // Some files as Wine itself rewrites them.
        const std::size_t writes = rng.percent(25) ? 1 + rng.below(3) : 0;
        bool markAtStart = false;
        for (std::size_t w = 0; w < writes && !markAtStart; ++w) {
            Operation op = randomOperation(rng, names);
            op.write = true;
            op.missingFolder = false;
            if (op.text.empty()) op.text = randomValue(rng, false);
            const SideBySide::Outcome wine = backends.wine(op);
            const SideBySide::Outcome sim = backends.sim(op);
            story << describe(op) << "\n   file now " << shown(wine.file) << "\n";
            ASSERT_EQ(wine.succeeded, sim.succeeded) << story.str();
            ASSERT_TRUE(wine.file == sim.file) << story.str();
            markAtStart = startsWithByteOrderMark(wine.file);
        }
        if (markAtStart) continue;

        std::vector<std::string> wanted = names.sections;
        wanted.push_back("");
        wanted.push_back(mangled(rng, rng.pick(SectionWords)));
        if (!names.sections.empty()) {
            std::string padded = " ";
            padded += rng.pick(names.sections);
            wanted.push_back(padded);
        }
        for (const std::string& section : wanted) {
            const bool missingFolder = rng.percent(3);
            const auto wine = backends.wineSection(section, missingFolder);
            const auto sim = backends.simSection(section, missingFolder);
            ++sections;
            story << "section " << shown(section, 80) << (missingFolder ? " (missing folder)" : "")
                  << "\n   -> Wine " << shown(wine) << "\n";
            ASSERT_TRUE(wine == sim) << story.str() << "   sim  " << shown(sim)
                                     << whereTheyDiffer(wine, sim);
            if (!wine) {
                ++unreadable;
                continue;
            }
            // The key read trims the section name and the section read does not,
            // so the index stands for the key reads of names without blanks
            // around them only, the names the program uses.
            if (hasBlanksAround(section)) continue;

            // Where the section is read, the index stands for the key reads.
            const SectionIndex index(*wine);
            for (const std::string& key : keysToLookUp(rng, names, *wine)) {
                if (!index.covers(key)) {
                    ++leftToKeyReads;
                    continue;
                }
                const std::string fallback = readFallback(rng);
                const std::string expected = backends.wineRead(section, key, fallback, 32767);
                const std::string answered = index.value(key, fallback);
                ++lookups;
                ASSERT_TRUE(answered == expected)
                    << story.str() << "in section " << shown(section, 80) << ": key "
                    << shown(key, 80) << " fallback " << shown(fallback, 80)
                    << "\n   Wine's key read " << shown(expected) << " (" << expected.size()
                    << ")\n   the index       " << shown(answered) << " (" << answered.size()
                    << ")";
            }
        }
    }
    std::cout << "[ profile ] " << cases << " files, " << sections << " section reads alike ("
              << unreadable << " unreadable), " << lookups
              << " keys answered as Wine's key reads; " << leftToKeyReads
              << " keys left to key reads\n";
}

}  // namespace
}  // namespace scrivlet::test
