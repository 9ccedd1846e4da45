// The profile emulation and the section index: for any file, every key the
// index covers gives what reading that key alone gives, for the sections the
// file names and the program's own.
#include <vector>

#include "harness.h"
#include "store/section_index.h"

using namespace scrivlet;

namespace {

const std::string File = "C:\\fuzz.ini";
// What the profile functions trim around names.
constexpr std::string_view Blanks{" \t\n\v\f\r\x1a", 7};

// The names of the first few headers, as written between '[' and the last ']'.
std::vector<std::string> sectionNames(std::string_view file) {
    std::vector<std::string> names{"Name", "Text"};
    std::size_t lineStart = 0;
    while (lineStart < file.size() && names.size() < 6) {
        std::size_t end = file.find_first_of("\r\n", lineStart);
        if (end == std::string_view::npos) end = file.size();
        const std::string_view line = file.substr(lineStart, end - lineStart);
        const auto open = line.find('['), close = line.rfind(']');
        if (open != std::string_view::npos && close != std::string_view::npos && open < close) {
            // The program reads sections by fixed names without blanks around
            // them; a key read trims the name it is given, a section read does
            // not (as Wine), so only such names are compared.
            std::string_view name = line.substr(open + 1, close - open - 1);
            const auto first = name.find_first_not_of(Blanks), last = name.find_last_not_of(Blanks);
            if (first != std::string_view::npos && name.find('\0') == std::string_view::npos)
                names.emplace_back(name.substr(first, last - first + 1));
        }
        lineStart = end + 1;
    }
    return names;
}

// The names of the section's entries, and a few that may or may not be there.
std::vector<std::string> keyNames(const std::string& section) {
    std::vector<std::string> keys{"1", "2", "x", " 1 "};
    for (std::size_t start = 0; start < section.size() && keys.size() < 40;) {
        std::size_t end = section.find('\0', start);
        if (end == std::string::npos) end = section.size();
        const std::string entry = section.substr(start, end - start);
        keys.push_back(entry.substr(0, entry.find('=')));
        start = end + 1;
    }
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SimPlatform& sim = fuzz::Desktop::sim();
    const std::string_view file = fuzz::bytesOf(data, size);
    FUZZ_CHECK(sim.files.writeAll(File, std::string(file)));
    for (const std::string& name : sectionNames(file)) {
        const auto section = sim.profile.readSection(name, File);
        if (!section) continue;
        FUZZ_CHECK(section->size() <= file.size() + 1);
        const SectionIndex index(*section);
        for (const std::string& key : keyNames(*section)) {
            if (!index.covers(key)) continue;
            for (const char* fallback : {"", " Vorgabe  "}) {
                const std::string fromIndex = index.value(key, fallback);
                const std::string fromKey = sim.profile.readString(name, key, fallback, File, 32767);
                if (fromIndex != fromKey)
                    std::fprintf(stderr, "[%s] key \"%s\": index \"%s\", key read \"%s\"\n", name.c_str(),
                                 key.c_str(), fromIndex.c_str(), fromKey.c_str());
                FUZZ_CHECK(fromIndex == fromKey);
            }
        }
    }
    return 0;
}
