// The profile contract's back-end under Wine: the real profile functions over
// real files in a fresh folder below the user's temporary folder.
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "platform/win32/win32_profile.h"
#include "support/backend.h"

namespace scrivlet::test {

namespace {

std::string freshProfileFolder() {
    static std::atomic<unsigned> counter{0};
    char temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof temp, temp);
    std::string base(temp, length);
    if (!base.empty() && base.back() == '\\') base.pop_back();
    for (;;) {
        const std::string folder = base + "\\scrivlet-profile-" +
                                   std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(++counter);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return folder;  // the tests will say why
    }
}

class Win32ProfileFixture : public ProfileFixture {
public:
    Win32ProfileFixture() : folder_(freshProfileFolder()) {}
    ~Win32ProfileFixture() override {
        std::error_code ec;
        // Read-only files would stay behind.
        for (const auto& item : std::filesystem::recursive_directory_iterator(folder_, ec))
            SetFileAttributesA(item.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(folder_, ec);
    }
    Profile& profile() override { return profile_; }
    const std::string& folder() const override { return folder_; }
    void writeBytes(const std::string& path, const std::string& bytes) override {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::optional<std::string> readBytes(const std::string& path) override {
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void makeReadOnly(const std::string& path) override {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    }

private:
    Win32Profile profile_;
    std::string folder_;
};

}  // namespace

std::unique_ptr<ProfileFixture> makeProfileFixture() {
    return std::make_unique<Win32ProfileFixture>();
}

}  // namespace scrivlet::test
