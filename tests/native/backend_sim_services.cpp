// The contract tests' back-end natively: the simulated desktop's services.
#include <atomic>

#include "platform/sim/sim_platform.h"
#include "support/backend.h"
#include "support/temp_folder.h"

namespace scrivlet::test {

namespace {

std::string uniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    return std::to_string(++counter);
}

// Each fixture has a desktop of its own, so nothing a test leaves behind can
// reach another; the unique key keeps the paths shaped like the Wine ones.
class SimRegistryFixture : public RegistryFixture {
public:
    SimRegistryFixture() : key_("Software\\ScrivletTest\\" + uniqueSuffix()) {}
    Registry& registry() override { return desktop_.registry; }
    const std::string& key() const override { return key_; }

private:
    TempFolder host_;
    SimPlatform desktop_{host_.path()};
    std::string key_;
};

class SimFilesFixture : public FilesFixture {
public:
    SimFilesFixture() : folder_("C:\\Temp\\scrivlet-" + uniqueSuffix()) {
        desktop_.files.createFolder(folder_);
    }
    FileSystem& files() override { return desktop_.files; }
    const std::string& folder() const override { return folder_; }

private:
    TempFolder host_;
    SimPlatform desktop_{host_.path()};
    std::string folder_;
};

}  // namespace

std::unique_ptr<RegistryFixture> makeRegistryFixture() {
    return std::make_unique<SimRegistryFixture>();
}

std::unique_ptr<FilesFixture> makeFilesFixture() { return std::make_unique<SimFilesFixture>(); }

}  // namespace scrivlet::test
