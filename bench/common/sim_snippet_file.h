#pragma once
// For the native benchmarks: a snippet file on a simulated desktop of its
// own, kept in an emptied temporary folder that goes with it.
#include <filesystem>
#include <string>

#include "platform/sim/sim_platform.h"
#include "store/ini_access.h"
#include "store/snippet_file.h"

namespace scrivlet::bench {

struct SimSnippetFile {
    SimSnippetFile(const char* folderName, const std::string& bytes)
        : root(emptied(std::filesystem::temp_directory_path() / folderName)), sim(root) {
        sim.files.createFolder("C:\\Scrivlet");
        sim.files.writeAll(Path, bytes);
        file.setPath(Path);
    }
    ~SimSnippetFile() { std::filesystem::remove_all(root); }
    SimSnippetFile(const SimSnippetFile&) = delete;
    SimSnippetFile& operator=(const SimSnippetFile&) = delete;

    static constexpr const char* Path = "C:\\Scrivlet\\Scrivlet.ini";
    std::filesystem::path root;
    SimPlatform sim;
    IniAccess ini{sim.profile};
    SnippetFile file{ini, sim.random};

private:
    static std::filesystem::path emptied(std::filesystem::path folder) {
        std::filesystem::remove_all(folder);
        return folder;
    }
};

}  // namespace scrivlet::bench
