#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/files.h"
#include "platform/profile.h"
#include "platform/programs.h"
#include "platform/registry.h"
#include "platform/ui/ui_backend.h"

// The back-end the contract tests run against: each test program (native over the
// simulated desktop, Wine over the real system) implements these once.
namespace scrivlet::test {

// A registry and a key below HKEY_CURRENT_USER that does not exist yet and is
// meant for one test only; whatever the test creates below it is removed with
// the fixture.
struct RegistryFixture {
    virtual ~RegistryFixture() = default;
    virtual Registry& registry() = 0;
    virtual const std::string& key() const = 0;
};
std::unique_ptr<RegistryFixture> makeRegistryFixture();

// A file system and the Windows path (no trailing backslash) of an empty folder
// for one test; the folder and everything in it are removed with the fixture.
struct FilesFixture {
    virtual ~FilesFixture() = default;
    virtual FileSystem& files() = 0;
    virtual const std::string& folder() const = 0;
};
std::unique_ptr<FilesFixture> makeFilesFixture();

// The private-profile functions and the Windows path (no trailing backslash) of
// an empty folder for one test, with the files in it reached around the profile
// functions; the folder and everything in it are removed with the fixture.
struct ProfileFixture {
    virtual ~ProfileFixture() = default;
    virtual Profile& profile() = 0;
    virtual const std::string& folder() const = 0;
    // Creates or replaces the file at a Windows path with exactly these bytes.
    virtual void writeBytes(const std::string& path, const std::string& bytes) = 0;
    // The file's bytes; nothing when it does not exist.
    virtual std::optional<std::string> readBytes(const std::string& path) = 0;
    virtual void makeReadOnly(const std::string& path) = 0;
};
std::unique_ptr<ProfileFixture> makeProfileFixture();

// Starting programs, with a command line of a program that ends by itself at
// once, and the way to let started programs run: runUntil returns as soon as
// the condition holds (checked between the messages of this thread), false
// when it never did within a generous time.
struct ProgramsFixture {
    virtual ~ProgramsFixture() = default;
    virtual Programs& programs() = 0;
    virtual std::string endingCommandLine() const = 0;
    virtual bool runUntil(const std::function<bool()>& condition) = 0;
    // Lets the started programs run a moment longer, for what must not happen.
    virtual void settle() = 0;
};
std::unique_ptr<ProgramsFixture> makeProgramsFixture();

// The window system of the control toolkit, fresh for one test. On the real
// desktop its doEvents() also reads every realized form's controls back from
// their windows, so that a test sees what the native controls hold.
std::unique_ptr<ui::UiBackend> makeUiBackend();

}  // namespace scrivlet::test
