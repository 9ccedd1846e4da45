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

// Started programs run until the fixture ends them, which is all the
// simulated desktop ever does while a test waits.
class SimProgramsFixture : public ProgramsFixture {
public:
    Programs& programs() override { return desktop_.programs; }
    std::string endingCommandLine() const override { return "cmd /c exit 0"; }
    bool runUntil(const std::function<bool()>& condition) override {
        desktop_.programs.endAll();
        return condition();
    }
    void settle() override { desktop_.programs.endAll(); }

private:
    TempFolder host_;
    SimPlatform desktop_{host_.path()};
};

}  // namespace

std::unique_ptr<ProgramsFixture> makeProgramsFixture() { return std::make_unique<SimProgramsFixture>(); }

std::unique_ptr<RegistryFixture> makeRegistryFixture() {
    return std::make_unique<SimRegistryFixture>();
}

std::unique_ptr<FilesFixture> makeFilesFixture() { return std::make_unique<SimFilesFixture>(); }

}  // namespace scrivlet::test
