// Loading a whole snippet file through the simulated profile functions: any
// file loads, "\u{...}" escapes read as their characters; the names are those that reading key by key finds, up to the
// first empty one; every entry reads; the options are in their ranges.
#include <vector>

#include "harness.h"
#include "platform/ui/colour.h"
#include "store/file_text.h"
#include "store/ini_access.h"
#include "store/snippet_file.h"

using namespace scrivlet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SimPlatform& sim = fuzz::Desktop::sim();
    const std::string path = "C:\\Scrivlet.ini";
    FUZZ_CHECK(sim.files.writeAll(path, std::string(fuzz::bytesOf(data, size))));
    // The names as reading key by key finds them in the file as given: the
    // load may write the default ignore titles, and the profile functions
    // then write the whole file anew (a value loses what follows a NUL).
    std::vector<std::string> names;
    for (int n = 1; n <= MaxEntries; ++n) {
        std::string name = sim.profile.readString("Name", std::to_string(n), "", path, 32767);
        if (name.empty()) break;
        names.push_back(fromFileText(name));
    }
    IniAccess ini(sim.profile);
    SnippetFile file(ini, sim.random);
    file.setPath(path);
    const SnippetList list = file.load();

    FUZZ_CHECK(list.entries.size() == names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        FUZZ_CHECK(list.entries[i].name == names[i]);
        FUZZ_CHECK(list.entries[i].number == static_cast<EntryNumber>(i + 1));
    }
    FUZZ_CHECK(list.titleChoices.size() <= list.entries.size());
    for (std::size_t i = 0; i < list.entries.size() && i < 64; ++i) {
        const EntryNumber n = list.entries[i].number;
        const Entry entry = file.readEntry(n);
        const std::string stored = sim.profile.readString("Name", std::to_string(n), "", path, 32767);
        FUZZ_CHECK(entry.name == fromFileText(stored));
        // A name goes back to the file as it came, escapes included, unless
        // the file spelled a character in a form the program does not write.
        if (fromFileText(toFileText(entry.name)) == entry.name && toFileText(fromFileText(stored)) == stored)
            FUZZ_CHECK(toFileText(entry.name) == stored);
    }
    const PopupOptions& options = file.options();
    FUZZ_CHECK(options.borderByClick == 0 || options.borderByClick == 1);
    FUZZ_CHECK(options.viaBorder == 0 || options.viaBorder == 1);
    FUZZ_CHECK(options.position >= 0 && options.position <= 3);
    FUZZ_CHECK(options.cascade == 0 || options.cascade == 1);
    FUZZ_CHECK(isValidColour(options.borderColour));
    return 0;
}
