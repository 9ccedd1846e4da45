#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/keyboard_watch.h"
#include "store/abbreviation.h"

namespace scrivlet {

// Recognises abbreviations in what the user types: it keeps the last few
// characters (never more than the longest abbreviation and the one before
// it) and finds an abbreviation at their end that begins them or follows a
// delimiter (blank, Enter, Tab, punctuation). After a delimiter by default;
// at once, as its last letter is typed, on request. Every call works in
// memory only and costs a few hash lookups, whatever the number of
// abbreviations: it runs inside the system's keyboard hook.
class AbbreviationMatcher {
public:
    struct Settings {
        bool atOnce = false;
        bool ignoreCase = false;
    };

    // What a key completed: the entry, how many characters of the
    // abbreviation stand before the cursor to be erased, and the delimiter
    // the user typed (swallowed, to be typed after the entry); at once there
    // is none, and the abbreviation's last letter was swallowed.
    struct Match {
        std::int16_t entry = 0;
        std::size_t erase = 0;
        std::optional<TypedKey> delimiter;
    };

    // Only abbreviations whose name an entry has are used; the first of
    // those equal (in letter case, when ignored) counts.
    void setAbbreviations(const std::vector<Abbreviation>& abbreviations);
    void setSettings(Settings settings);
    std::size_t size() const { return exact_.size(); }

    // The key typed; a match when it completes an abbreviation (the buffer
    // starts afresh then).
    std::optional<Match> key(const TypedKey& key);
    // What precedes the cursor is unknown now.
    void reset();

private:
    std::optional<Match> find(std::size_t erase, const std::optional<TypedKey>& delimiter) const;
    void append(char32_t character);

    Settings settings_;
    std::unordered_map<std::u32string, std::int16_t> exact_, folded_;
    // The last characters typed; complete_: nothing before them was dropped,
    // so the first begins a word.
    std::u32string buffer_;
    bool complete_ = true;
    // Reused by find(), so a key allocates nothing.
    mutable std::u32string candidate_;
};

// A delimiter ends the word before it: blanks, line ends, tabs, punctuation.
bool isDelimiter(char32_t character);

}  // namespace scrivlet
