#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/profile.h"
#include "platform/sim/sim_files.h"

namespace scrivlet {

// The private-profile functions over the simulated files, behaving as the
// system's own: see docs/architecture.md for the rules it keeps.
class SimProfile : public Profile {
public:
    explicit SimProfile(SimFileSystem& files);
    ~SimProfile() override;

    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback, const std::string& file,
                           std::size_t bufferSize) override;
    bool writeString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) override;

private:
    struct Cache;
    SimFileSystem& files_;
    std::unique_ptr<Cache> cache_;
};

}  // namespace scrivlet
