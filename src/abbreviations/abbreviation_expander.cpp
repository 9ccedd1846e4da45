#include "abbreviations/abbreviation_expander.h"

namespace scrivlet {

namespace {

KeyStep stepOf(const TypedKey& key) {
    switch (key.kind) {
        case TypedKey::Kind::Enter: return {KeyStep::Kind::Enter, 0};
        case TypedKey::Kind::Tab: return {KeyStep::Kind::Tab, 0};
        default: return {KeyStep::Kind::Character, key.character};
    }
}

}  // namespace

AbbreviationExpander::AbbreviationExpander(KeyboardWatch& watch, const SnippetFile& file, Links links)
    : watch_(watch), file_(file), links_(std::move(links)) {}

AbbreviationExpander::~AbbreviationExpander() {
    if (watch_.running()) watch_.stop();
}

void AbbreviationExpander::apply() {
    const PopupOptions& options = file_.options();
    matcher_.setSettings({.atOnce = options.atOnce != 0, .ignoreCase = options.ignoreCase != 0});
    matcher_.setAbbreviations(file_.abbreviations());
    const bool wanted = options.abbreviations != 0 && matcher_.size() > 0;
    if (wanted && !watch_.running())
        watch_.start({.key = [this](const TypedKey& key, WindowId window) { return onKey(key, window); },
                      .lost = [this] { matcher_.reset(); }});
    else if (!wanted && watch_.running())
        watch_.stop();
}

bool AbbreviationExpander::onKey(const TypedKey& key, WindowId window) {
    if (expanding_ || (links_.busy && links_.busy())) {
        matcher_.reset();
        return false;
    }
    const auto match = matcher_.key(key);
    if (!match) return false;
    expanding_ = true;
    watch_.hold();
    watch_.later([this, m = *match, window] { expand(m, window); });
    return true;
}

void AbbreviationExpander::expand(const AbbreviationMatcher::Match& match, WindowId window) {
    struct Done {
        AbbreviationExpander& expander;
        ~Done() {
            expander.expanding_ = false;
            expander.matcher_.reset();
            expander.watch_.release();
        }
    } done{*this};
    const std::vector<KeyStep> erase(match.erase, KeyStep{KeyStep::Kind::Backspace, 0});
    std::vector<KeyStep> after;
    if (match.delimiter) after.push_back(stepOf(*match.delimiter));
    if (links_.send) links_.send(match.entry, window, erase, after);
}

}  // namespace scrivlet
