#pragma once
#include <string>

#include "platform/sim/sim_platform.h"
#include "platform/unicode.h"
#include "support/temp_folder.h"

namespace scrivlet::test {

// A simulated desktop over a fresh folder, with the program installed in
// C:\Programme\Scrivlet.
struct SimDesktop {
    SimDesktop() : sim(folder.path()) { sim.files.createFolder(ProgramFolder); }

    // Files are Windows-1252, as older versions and hand editing leave them: a
    // text given in UTF-8 is written in that code page; other bytes as given.
    void writeFile(const std::string& path, const std::string& text) {
        writeBytes(path, isValidUtf8(text) ? utf8ToCp1252(text) : text);
    }
    void writeBytes(const std::string& path, const std::string& bytes) {
        const auto slash = path.rfind('\\');
        sim.files.createFolder(path.substr(0, slash));
        sim.files.writeAll(path, bytes);
    }
    // A Windows-1252 file as UTF-8, for comparing with the tests' literals.
    std::string fileText(const std::string& path) {
        return cp1252ToUtf8(sim.files.readAll(path).value_or("<missing>"));
    }

    static constexpr const char* ProgramFolder = "C:\\Programme\\Scrivlet";
    static constexpr const char* StandardFile = "C:\\Programme\\Scrivlet\\Scrivlet.ini";
    static constexpr const char* SampleFile = "C:\\Programme\\Scrivlet\\sample.ini";

    TempFolder folder;
    SimPlatform sim;
};

}  // namespace scrivlet::test
