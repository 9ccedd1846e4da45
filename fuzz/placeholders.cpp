// The placeholders of a sent text: whatever the text names, the work and the
// result stay bounded by the text and the files it names directly (files that
// name themselves or each other twice included), a text without a file
// placeholder is left as it is, and the clock adds at most a few characters a
// placeholder.
#include "harness.h"
#include "platform/text.h"
#include "transmit/placeholders.h"

using namespace scrivlet;

namespace {

std::size_t countIgnoringCase(const std::string& text, const std::string& upperNeedle) {
    const std::string upper = toUpper(text);
    std::size_t count = 0;
    for (std::size_t at = upper.find(upperNeedle); at != std::string::npos; at = upper.find(upperNeedle, at + 1))
        ++count;
    return count;
}

void writeFiles(SimPlatform& sim) {
    sim.files.createFolder("C:\\f");
    const std::string self = "%datei=C:\\f\\a.txt%";
    sim.files.writeAll("C:\\f\\a.txt", self + self);
    sim.files.writeAll("C:\\f\\b.txt", "%datei=C:\\f\\c.txt%%DATEI=c:\\f\\c.txt%");
    sim.files.writeAll("C:\\f\\c.txt", "%datei=C:\\f\\b.txt%%datei=C:\\f\\b.txt%%zeit%");
    sim.files.writeAll("C:\\f\\k.txt", "1\r\n2");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SimPlatform& sim = fuzz::Desktop::sim();
    static const bool ready = (writeFiles(sim), true);
    (void)ready;
    const auto [textPart, filePart] = fuzz::split(fuzz::bytesOf(data, size));
    const std::string text(textPart);
    // A file the input fills, named "C:\f\i.txt".
    sim.files.writeAll("C:\\f\\i.txt", std::string(filePart));
    const std::size_t largestFile = std::max<std::size_t>(filePart.size(), 64);

    const std::string files = expandFilePlaceholders(text, sim.files);
    const std::size_t placeholders = countIgnoringCase(text, "%DATEI=");
    if (placeholders == 0) FUZZ_CHECK(files == text);
    // Each placeholder gives a file or a notice with its name; names are part of the text.
    FUZZ_CHECK(files.size() <= 2 * text.size() + placeholders * (largestFile + 120));
    FUZZ_CHECK(files.size() <= text.size() + IncludeLimitBytes + placeholders * (text.size() + 120));

    const std::string clock = expandClockPlaceholders(files, sim.clock);
    FUZZ_CHECK(clock.size() <= files.size() + files.size() / 2);
    return 0;
}
