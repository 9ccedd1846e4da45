#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/profile.h"
#include "platform/sim/sim_files.h"

namespace scrivlet {

// The private-profile functions over the simulated files, behaving as Wine's
// GetPrivateProfileStringA, GetPrivateProfileSectionA and
// WritePrivateProfileStringA do: the same lookups, the same quirks, and the
// same bytes in the file after a write. See
// docs/architecture.md for the rules it keeps and where it parts from Wine.
//
// Every call answers as for a freshly parsed file. (Wine answers from what it
// kept of a file left unchanged for more than 2.1 seconds, which differs for
// names and values written with blanks at their end or line breaks in them.)
//
// A file is parsed once and kept with an index of its sections and keys, so a
// program that reads thousands of values one call at a time pays for a hash
// lookup per call; any change to the file, through the simulated file system or
// on the host, makes the next call parse it again.
class SimProfile : public Profile {
public:
    explicit SimProfile(SimFileSystem& files);
    ~SimProfile() override;
    SimProfile(const SimProfile&) = delete;
    SimProfile& operator=(const SimProfile&) = delete;

    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback, const std::string& file,
                           std::size_t bufferSize) override;
    std::optional<std::string> readSection(const std::string& section,
                                           const std::string& file) override;
    bool writeString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) override;
    bool removeKey(const std::string& section, const std::string& key,
                   const std::string& file) override;
    bool removeSection(const std::string& section, const std::string& file) override;

    // The number of writes asked for so far, refused ones included.
    std::size_t writes() const { return writes_; }
    // The number of reads, of a key or of a whole section, asked for so far.
    std::size_t reads() const { return reads_; }
    // The k-th write from now (1: the next one) fails as a refused write does:
    // it returns false and leaves the file alone. 0 lets every write through.
    void failWrite(std::size_t k) { failingWrite_ = k == 0 ? 0 : writes_ + k; }

private:
    struct Cache;
    // A key (or, without one, the whole section) removed as the system does it.
    bool remove(const std::string& section, const std::string* key, const std::string& file);
    // Writes the file's new bytes and keeps them parsed for the next call.
    bool store(const std::string& path, std::string bytes);
    std::size_t writes_ = 0;
    std::size_t reads_ = 0;
    std::size_t failingWrite_ = 0;
    SimFileSystem& files_;
    std::unique_ptr<Cache> cache_;
};

}  // namespace scrivlet
