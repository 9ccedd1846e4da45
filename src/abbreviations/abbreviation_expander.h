#pragma once
#include <functional>
#include <vector>

#include "abbreviations/abbreviation_matcher.h"
#include "platform/key_string.h"
#include "platform/keyboard_watch.h"
#include "store/snippet_file.h"

namespace scrivlet {

// Turns a typed abbreviation into its entry: the keyboard watch reports the
// user's keys, the matcher recognises the abbreviation inside the hook (which
// swallows the delimiter), and once the hook has returned the entry is sent
// through the program's one send path into the window where it was typed,
// after Backspaces that erase the abbreviation and before the delimiter.
class AbbreviationExpander {
public:
    struct Links {
        // True while the program types or shows a dialog of its own: keys
        // then are not the user's words in another program.
        std::function<bool()> busy;
        // Sends entry n into that window, with these keys before and after it.
        std::function<void(std::int16_t entry, WindowId window, const std::vector<KeyStep>& before,
                           const std::vector<KeyStep>& after)>
            send;
    };

    AbbreviationExpander(KeyboardWatch& watch, const SnippetFile& file, Links links);
    ~AbbreviationExpander();
    AbbreviationExpander(const AbbreviationExpander&) = delete;
    AbbreviationExpander& operator=(const AbbreviationExpander&) = delete;

    // Takes the file's abbreviations and options anew, and watches the
    // keyboard only while abbreviations are on and there is one to find.
    void apply();
    bool watching() const { return watch_.running(); }

private:
    bool onKey(const TypedKey& key, WindowId window);
    void expand(const AbbreviationMatcher::Match& match, WindowId window);

    KeyboardWatch& watch_;
    const SnippetFile& file_;
    Links links_;
    AbbreviationMatcher matcher_;
    // From a match until its entry is typed: further keys wait (the watch
    // holds them).
    bool expanding_ = false;
};

}  // namespace scrivlet
