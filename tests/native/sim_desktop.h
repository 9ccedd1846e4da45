#pragma once
#include <string>

#include "platform/sim/sim_platform.h"
#include "support/temp_folder.h"

namespace scrivlet::test {

// A simulated desktop over a fresh folder, with the program installed in
// C:\Programme\Scrivlet.
struct SimDesktop {
    SimDesktop() : sim(folder.path()) { sim.files.createFolder(ProgramFolder); }

    void writeFile(const std::string& path, const std::string& bytes) {
        const auto slash = path.rfind('\\');
        sim.files.createFolder(path.substr(0, slash));
        sim.files.writeAll(path, bytes);
    }
    std::string fileText(const std::string& path) { return sim.files.readAll(path).value_or("<missing>"); }

    static constexpr const char* ProgramFolder = "C:\\Programme\\Scrivlet";
    static constexpr const char* StandardFile = "C:\\Programme\\Scrivlet\\Scrivlet.ini";
    static constexpr const char* SampleFile = "C:\\Programme\\Scrivlet\\sample.ini";

    TempFolder folder;
    SimPlatform sim;
};

}  // namespace scrivlet::test
