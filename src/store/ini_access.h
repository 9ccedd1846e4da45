#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/profile.h"
#include "store/write_result.h"

namespace scrivlet {

// Keyed values of the snippet file. A call that names a file makes it the
// current profile file; a call with an empty file name uses the current one.
class IniAccess {
public:
    // The read buffer holds 32767 characters with the terminator, so a value
    // of this length or more could never come back whole and is not written.
    static constexpr std::size_t ReadBufferSize = 32767;
    static constexpr std::size_t LongestValue = ReadBufferSize - 1;

    explicit IniAccess(Profile& profile) : profile_(profile) {}

    std::string read(const std::string& section, const std::string& key,
                     const std::string& fallback, const std::string& file = "");
    // The value, or nothing when it is longer than a read brings back (a file
    // edited by hand): such a value is cut and must not be taken as whole.
    std::optional<std::string> readWhole(const std::string& section, const std::string& key,
                                         const std::string& file = "");
    // The whole section in one call (see Profile::readSection); nothing when
    // the file cannot be opened.
    std::optional<std::string> readSection(const std::string& section,
                                           const std::string& file = "");
    // Every value comes back from read() as it was written (see storedForm).
    WriteResult write(const std::string& section, const std::string& key,
                      const std::string& value, const std::string& file = "");
    // The key goes from the file (see Profile::removeKey); a key that is not
    // there is no failure.
    WriteResult remove(const std::string& section, const std::string& key, const std::string& file = "");
    WriteResult removeSection(const std::string& section, const std::string& file = "");

    // How many writes reached the profile functions so far: a reader that
    // keeps what it read of the file knows from it that the program itself
    // changed the file, even within one tick of the file's write time.
    std::uint64_t writes() const { return writes_; }

    // What write() would answer without writing: Ok, or why it refuses the
    // value (too long to come back whole; a CR or LF, which would end the line).
    static WriteResult check(const std::string& value);

    // The value as it stands in the file. Reading drops the blanks around a
    // value and one pair of equal quotes (" or ') around it, and writing drops
    // the blanks before it; a value that would not come back whole is therefore
    // written enclosed in double quotes, which every reader takes off again.
    // Every other value is written as it is, so files stay as they were.
    static std::string storedForm(const std::string& value);

    // A name or title as one line: each run of CR and LF becomes one blank.
    static std::string singleLine(const std::string& text);

private:
    void remember(const std::string& file);

    Profile& profile_;
    std::string currentFile_;
    std::uint64_t writes_ = 0;
};

}  // namespace scrivlet
