// The contract tests' back-end under Wine: the real registry and real files.
#include <windows.h>

#include <atomic>
#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_programs.h"
#include "platform/win32/win32_registry.h"
#include "support/backend.h"

namespace scrivlet::test {

namespace {

std::string uniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

constexpr const char* TestRoot = "Software\\ScrivletTest";

class Win32RegistryFixture : public RegistryFixture {
public:
    Win32RegistryFixture() : key_(std::string(TestRoot) + "\\" + uniqueSuffix()) {}
    ~Win32RegistryFixture() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
        // Fails while another fixture still has a key there, which is as meant.
        RegDeleteKeyA(HKEY_CURRENT_USER, TestRoot);
    }
    Registry& registry() override { return registry_; }
    const std::string& key() const override { return key_; }

private:
    Win32Registry registry_;
    std::string key_;
};

// Removes a folder and everything in it, read-only files included.
void removeTree(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    UniqueFindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (search) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search.get(), &found));
    }
    search.reset();
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(folder.c_str());
}

std::string freshTempFolder() {
    char temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof temp, temp);
    std::string base(temp, length);
    if (!base.empty() && base.back() == '\\') base.pop_back();
    for (;;) {
        const std::string folder = base + "\\scrivlet-" + uniqueSuffix();
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return folder;  // the tests will say why
    }
}

class Win32FilesFixture : public FilesFixture {
public:
    Win32FilesFixture() : folder_(freshTempFolder()) {}
    ~Win32FilesFixture() override { removeTree(folder_); }
    FileSystem& files() override { return files_; }
    const std::string& folder() const override { return folder_; }

private:
    Win32FileSystem files_;
    std::string folder_;
};

class Win32ProgramsFixture : public ProgramsFixture {
public:
    Programs& programs() override { return programs_; }
    std::string endingCommandLine() const override { return "cmd.exe /c exit 0"; }
    bool runUntil(const std::function<bool()>& condition) override { return pump(condition, 30000); }
    void settle() override { pump([] { return false; }, 1000); }

private:
    bool pump(const std::function<bool()>& condition, DWORD milliseconds) {
        const DWORD until = GetTickCount() + milliseconds;
        while (!condition()) {
            const auto now = static_cast<LONG>(GetTickCount() - until);
            if (now >= 0) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        }
        return true;
    }

    Win32Programs programs_;
};

}  // namespace

std::unique_ptr<ProgramsFixture> makeProgramsFixture() { return std::make_unique<Win32ProgramsFixture>(); }

std::unique_ptr<RegistryFixture> makeRegistryFixture() {
    return std::make_unique<Win32RegistryFixture>();
}

std::unique_ptr<FilesFixture> makeFilesFixture() { return std::make_unique<Win32FilesFixture>(); }

}  // namespace scrivlet::test
