#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace scrivlet {

// The values of one section of a profile file, from one Profile::readSection,
// answering as Profile::readString(section, key, fallback, file, 32767) would
// answer for each key: one call reads a section of thousands of entries, where
// reading them one key at a time costs a call, and under Wine a parse of the
// whole file, for every key.
//
// The section read leaves out what a key read may still find: entries whose
// name starts with ';', and nameless entries without '=' (a line a NUL byte
// begins), which a key read of "" finds. Such keys are not covered, and their
// value is read one key at a time.
class SectionIndex {
public:
    // What readSection gave: "key=value\0key2\0...", entries in file order.
    explicit SectionIndex(std::string_view section);

    // Whether value() answers for this key as the key read would.
    bool covers(const std::string& key) const;

    // For a covered key, exactly what the key read with a buffer of 32767
    // characters gives: the value of the first entry of that name (blanks around
    // the key ignored, ASCII letters in either case), one pair of matching quotes
    // around it removed, cut to 32766 characters; for a key without value, or
    // none, the fallback, treated as the key read treats it.
    std::string value(const std::string& key, const std::string& fallback) const;

    // Whether an entry of that name with a value is there, as a key read
    // would find it.
    bool has(const std::string& key) const;

    // The number of distinct names.
    std::size_t size() const { return values_.size(); }

    // The names that have a value, each once (its first entry), in file order
    // and as the file spells them: a section whose keys are data, not numbers.
    const std::vector<std::string>& namesWithValues() const { return withValues_; }

private:
    // By name with its ASCII letters in lower case; nothing for a key without '='.
    std::unordered_map<std::string, std::optional<std::string>> values_;
    std::vector<std::string> withValues_;
};

}  // namespace scrivlet
