// The profile contract's back-end under Wine: the real profile functions over
// real files in a fresh folder below the user's temporary folder.
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_text.h"
#include "support/backend.h"

namespace scrivlet::test {

namespace {

std::string freshProfileFolder() {
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    std::string base = narrow(std::wstring_view(temp, length));
    if (!base.empty() && base.back() == '\\') base.pop_back();
    for (;;) {
        const std::string folder = base + "\\scrivlet-profile-" +
                                   std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(++counter);
        if (CreateDirectoryW(wide(folder).c_str(), nullptr)) return folder;
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
            SetFileAttributesW(item.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(folder_, ec);
    }
    Profile& profile() override { return profile_; }
    const std::string& folder() const override { return folder_; }
    // The paths are the program's text: the file functions of the back-end
    // take them with every character.
    void writeBytes(const std::string& path, const std::string& bytes) override { files_.writeAll(path, bytes); }
    std::optional<std::string> readBytes(const std::string& path) override { return files_.readAll(path); }
    void makeReadOnly(const std::string& path) override {
        SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
    }

private:
    Win32Profile profile_;
    Win32FileSystem files_;
    std::string folder_;
};

}  // namespace

std::unique_ptr<ProfileFixture> makeProfileFixture() {
    return std::make_unique<Win32ProfileFixture>();
}

}  // namespace scrivlet::test
