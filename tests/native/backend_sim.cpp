// The profile contract's back-end natively: the simulated profile functions over
// simulated files in a fresh host folder.
#include <atomic>

#include "platform/sim/sim_files.h"
#include "platform/sim/sim_profile.h"
#include "support/backend.h"
#include "support/temp_folder.h"

namespace scrivlet::test {

namespace {

class SimProfileFixture : public ProfileFixture {
public:
    SimProfileFixture() : folder_("C:\\Temp\\scrivlet-profile-" + uniqueSuffix()) {
        files_.createFolder(folder_);
    }
    Profile& profile() override { return profile_; }
    const std::string& folder() const override { return folder_; }
    void writeBytes(const std::string& path, const std::string& bytes) override {
        files_.writeAll(path, bytes);
    }
    std::optional<std::string> readBytes(const std::string& path) override {
        return files_.readAll(path);
    }
    void makeReadOnly(const std::string& path) override {
        FileAttributes attributes;
        attributes.readOnly = true;
        files_.setAttributes(path, attributes);
    }

private:
    static std::string uniqueSuffix() {
        static std::atomic<unsigned> counter{0};
        return std::to_string(++counter);
    }

    TempFolder host_;
    SimFileSystem files_{host_.path()};
    SimProfile profile_{files_};
    std::string folder_;
};

}  // namespace

std::unique_ptr<ProfileFixture> makeProfileFixture() {
    return std::make_unique<SimProfileFixture>();
}

}  // namespace scrivlet::test
