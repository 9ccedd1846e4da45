#include "platform/rtf.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <optional>

#include "platform/text.h"
#include "platform/unicode.h"

namespace scrivlet {

namespace {

// ---- writing

void appendHex(std::string& out, unsigned char c) {
    static const char hex[] = "0123456789abcdef";
    out += "\\'";
    out += hex[c >> 4];
    out += hex[c & 0xF];
}

// The RTF is ASCII. A character beyond it is \uN? for each of its UTF-16 units
// (N signed, as RTF has it; '?' for a reader that knows no \u). In a symbol
// font RichEdit reads a byte 0x20..0xFF (raw or \'hh) as that font's code, the
// character U+F020..U+F0FF: those characters are written so, every other one
// there as \uN?, which RichEdit takes as it is.
void appendCharacter(std::string& out, char32_t c, bool symbolFont) {
    if (c == '\t') {
        out += "\\tab ";
    } else if (c < 0x20) {
        appendHex(out, static_cast<unsigned char>(c));
    } else if (symbolFont && c >= 0xF020 && c <= 0xF0FF) {
        appendHex(out, static_cast<unsigned char>(c & 0xFF));
    } else if (!symbolFont && (c == '\\' || c == '{' || c == '}')) {
        out += '\\';
        out += static_cast<char>(c);
    } else if (!symbolFont && c < 0x80) {
        out += static_cast<char>(c);
    } else {
        for (char16_t unit : toUtf16(utf8Of(c))) out += "\\u" + std::to_string(static_cast<std::int16_t>(unit)) + '?';
    }
}

void appendText(std::string& out, std::string_view text, bool symbolFont) {
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        appendCharacter(out, decodeUtf8(text, i, &length), symbolFont);
        i += length;
    }
}

}  // namespace

int fontCharset(std::string_view font) {
    return equalsIgnoreCase(font, "wingdings") ? SymbolCharset : AnsiCharset;
}

std::string toRtf(const std::string& text, const std::vector<ui::CharFormat>& formats,
                  const ui::CharFormat& standard, int pointSize, const std::function<Colour(Colour)>& toRgb) {
    std::vector<std::string> fonts;
    std::vector<Colour> colours;
    auto fontIndex = [&fonts](const std::string& name) {
        const auto at = std::find(fonts.begin(), fonts.end(), name);
        if (at != fonts.end()) return static_cast<int>(at - fonts.begin());
        fonts.push_back(name);
        return static_cast<int>(fonts.size()) - 1;
    };
    auto colourIndex = [&colours](Colour rgb) {
        const auto at = std::find(colours.begin(), colours.end(), rgb);
        if (at != colours.end()) return static_cast<int>(at - colours.begin()) + 1;  // 0 is "automatic"
        colours.push_back(rgb);
        return static_cast<int>(colours.size());
    };

    std::string body;
    body.reserve(text.size() + text.size() / 4);
    auto select = [&](const ui::CharFormat& format) {
        body += "\\f" + std::to_string(fontIndex(format.font)) + "\\cf" +
                std::to_string(colourIndex(toRgb(format.colour) & 0xFFFFFF)) + ' ';
    };
    select(standard);
    const ui::CharFormat* current = &standard;
    bool symbolFont = fontCharset(standard.font) == SymbolCharset;
    for (std::size_t i = 0; i < text.size();) {
        const ui::CharFormat& format = i < formats.size() ? formats[i] : standard;
        if (!(format == *current)) {
            select(format);
            current = &format;
            symbolFont = fontCharset(format.font) == SymbolCharset;
        }
        std::size_t length = 0;
        const char32_t c = decodeUtf8(text, i, &length);
        i += length;
        if (c == '\r' || c == '\n') {
            body += "\\par ";
            if (c == '\r' && i < text.size() && text[i] == '\n') ++i;
            continue;
        }
        appendCharacter(body, c, symbolFont);
    }

    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (std::size_t f = 0; f < fonts.size(); ++f) {
        // A symbol font declared with the ANSI character set lets the font
        // mapper choose another font for it (Wine then shows the letters).
        rtf += "{\\f" + std::to_string(f) + "\\fnil\\fcharset" + std::to_string(fontCharset(fonts[f])) + ' ';
        appendText(rtf, fonts[f], false);
        rtf += ";}";
    }
    rtf += "}{\\colortbl ;";
    for (Colour c : colours)
        rtf += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
               std::to_string((c >> 16) & 0xFF) + ';';
    rtf += "}\\pard\\plain\\fs" + std::to_string(pointSize * 2) + ' ';
    rtf += body;
    rtf += '}';
    return rtf;
}

namespace {

// ---- reading

constexpr long MaxParameter = 0x7FFFFFFF;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A colour component as RTF gives it, held to a byte.
Colour component(int value) { return static_cast<Colour>(std::clamp(value, 0, 255)); }

enum class Destination { Text, FontTable, ColourTable, Skip };

struct GroupState {
    Destination destination = Destination::Text;
    int font = -1;
    int colour = 0;
    int unicodeSkip = 1;
};

// A character of RTF's typographic control words.
char32_t typographic(std::string_view word) {
    static const std::pair<const char*, char32_t> known[] = {
        {"lquote", 0x2018}, {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
        {"bullet", 0x2022}, {"endash", 0x2013}, {"emdash", 0x2014}};
    for (const auto& [name, c] : known)
        if (word == name) return c;
    return 0;
}

// Groups whose text is not document text.
bool isSkippedDestination(std::string_view word) {
    static const char* const skipped[] = {
        "stylesheet", "info",    "pict",     "object",     "header",  "footer",  "headerl",
        "headerr",    "footerl", "footerr",  "pntext",     "pntxta",  "pntxtb",  "fldinst",
        "listtable",  "listoverridetable",   "rsidtbl",    "generator", "themedata", "latentstyles",
        "datastore",  "colorschememapping",  "filetbl",    "revtbl",  "xmlnstbl", "mmathPr"};
    return std::any_of(std::begin(skipped), std::end(skipped), [word](const char* s) { return word == s; });
}

class RtfReader {
public:
    RtfReader(std::string_view rtf, const ui::CharFormat& fallback) : rtf_(rtf), fallback_(fallback) {}

    FormattedText read() {
        std::vector<GroupState> stack{GroupState{}};
        while (pos_ < rtf_.size()) {
            const char c = rtf_[pos_++];
            GroupState& state = stack.back();
            if (c == '{') {
                stack.push_back(state);
                continue;
            }
            if (c == '}') {
                if (state.destination == Destination::FontTable) finishFont();
                if (stack.size() > 1) stack.pop_back();
                continue;
            }
            if (c == '\r' || c == '\n') continue;
            if (c == '\\') {
                controlSequence(state);
                continue;
            }
            byte(state, static_cast<unsigned char>(c));
        }
        flushHigh();
        return std::move(result_);
    }

private:
    void controlSequence(GroupState& state) {
        if (pos_ >= rtf_.size()) return;
        const char c = rtf_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            switch (c) {
                case '\'': {
                    // Two hex digits; anything else is no character at all.
                    if (pos_ + 2 > rtf_.size()) return;
                    const int high = hexValue(rtf_[pos_]), low = hexValue(rtf_[pos_ + 1]);
                    if (high < 0 || low < 0) return;
                    pos_ += 2;
                    byte(state, static_cast<unsigned char>(high * 16 + low), true);
                    return;
                }
                case '*': state.destination = Destination::Skip; return;
                case '~': character(state, 0xA0, true); return;
                case '_': character(state, '-', true); return;
                case '\r':
                case '\n': paragraph(state); return;
                case '\\':
                case '{':
                case '}': byte(state, static_cast<unsigned char>(c), true); return;
                default: return;  // optional hyphen and the like
            }
        }
        const std::size_t start = pos_;
        while (pos_ < rtf_.size() && std::isalpha(static_cast<unsigned char>(rtf_[pos_]))) ++pos_;
        const std::string_view word = rtf_.substr(start, pos_ - start);
        std::optional<long> parameter;
        const std::size_t numberStart = pos_;
        const bool negative = pos_ < rtf_.size() && rtf_[pos_] == '-';
        if (negative) ++pos_;
        // RTF numbers are 16- or 32-bit; longer digit runs saturate instead of
        // overflowing.
        long long magnitude = 0;  // long is 32 bits on Windows
        bool digits = false;
        for (; pos_ < rtf_.size() && std::isdigit(static_cast<unsigned char>(rtf_[pos_])); ++pos_) {
            digits = true;
            magnitude = std::min<long long>(magnitude * 10 + (rtf_[pos_] - '0'), MaxParameter);
        }
        if (digits)
            parameter = static_cast<long>(negative ? -magnitude : magnitude);
        else
            pos_ = numberStart;
        if (pos_ < rtf_.size() && rtf_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
        controlWord(state, word, parameter);
    }

    void controlWord(GroupState& state, std::string_view word, std::optional<long> parameter) {
        const int value = parameter ? static_cast<int>(*parameter) : 0;
        if (word == "fonttbl") {
            state.destination = Destination::FontTable;
        } else if (word == "colortbl") {
            state.destination = Destination::ColourTable;
            colourStarted_ = false;
        } else if (isSkippedDestination(word)) {
            state.destination = Destination::Skip;
        } else if (state.destination == Destination::FontTable) {
            if (word == "f") {
                finishFont();
                definingFont_ = value;
            } else if (word == "fcharset") {
                definingCharset_ = value;
            } else if (word == "u") {
                unicode(state, parameter.value_or('?'));
            }
        } else if (state.destination == Destination::ColourTable) {
            if (word == "red") red_ = value, colourStarted_ = true;
            if (word == "green") green_ = value, colourStarted_ = true;
            if (word == "blue") blue_ = value, colourStarted_ = true;
        } else if (state.destination == Destination::Text) {
            if (word == "f") state.font = value;
            else if (word == "cf") state.colour = value;
            else if (word == "plain") state.font = defaultFont_, state.colour = 0;
            else if (word == "par") paragraph(state);
            else if (word == "tab") character(state, '\t', true);
            else if (word == "line") character(state, '\v', true);
            else if (word == "uc") state.unicodeSkip = value;
            else if (word == "u") unicode(state, parameter.value_or('?'));
            else if (const char32_t c = typographic(word)) character(state, c, true);
        }
        if (word == "deff") defaultFont_ = value;
    }

    // A byte of the RTF, raw or as \'hh: a character in the code page of the
    // font in force. In a symbol font (the markers' Wingdings) RichEdit keeps
    // the font's code 0x20..0xFF as U+F020..U+F0FF; every other font here is
    // read as Windows-1252, font names included.
    void byte(GroupState& state, unsigned char b, bool escaped = false) {
        if (state.destination == Destination::Text && b >= 0x20 && isSymbolFont(state)) {
            character(state, 0xF000 + b, true);
            return;
        }
        character(state, fromCp1252(b), escaped);
    }

    bool isSymbolFont(const GroupState& state) const {
        const int font = state.font >= 0 ? state.font : defaultFont_;
        const auto at = fontCharsets_.find(font);
        return at != fontCharsets_.end() && at->second == SymbolCharset;
    }

    // \uN: one UTF-16 unit, N signed as RTF writes it (only its low 16 bits
    // count, as in RichEdit). A high surrogate waits for the low one that
    // makes the character with it; alone it stays what it is. The N characters
    // after it (\ucN) stand for it in readers without Unicode and are skipped.
    void unicode(GroupState& state, long parameter) {
        const auto unit = static_cast<char32_t>(static_cast<unsigned long>(parameter) & 0xFFFF);
        pendingSkip_ = 0;
        if (state.destination == Destination::Text && high_ && unit >= 0xDC00 && unit <= 0xDFFF) {
            const char32_t c = 0x10000 + ((high_->unit - 0xD800) << 10) + (unit - 0xDC00);
            high_.reset();
            append(c, format(state));
        } else if (state.destination == Destination::Text && unit >= 0xD800 && unit <= 0xDBFF) {
            flushHigh();
            high_ = Held{unit, format(state)};
        } else {
            character(state, unit, true);
        }
        pendingSkip_ = state.unicodeSkip;
    }

    void character(GroupState& state, char32_t c, bool escaped = false) {
        switch (state.destination) {
            case Destination::FontTable:
                if (pendingSkip_ > 0) {
                    --pendingSkip_;
                    return;
                }
                if (c == ';' && !escaped)
                    finishFont();
                else
                    appendUtf8(fontName_, c);
                return;
            case Destination::ColourTable:
                if (c == ';') {
                    colours_.push_back(colourStarted_ ? std::optional<Colour>(component(red_) |
                                                                              (component(green_) << 8) |
                                                                              (component(blue_) << 16))
                                                      : std::nullopt);
                    red_ = green_ = blue_ = 0;
                    colourStarted_ = false;
                }
                return;
            case Destination::Skip: return;
            case Destination::Text: break;
        }
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        flushHigh();
        append(c, format(state));
    }

    void append(char32_t c, const ui::CharFormat& f) {
        const std::size_t before = result_.text.size();
        appendUtf8(result_.text, c);
        result_.formats.insert(result_.formats.end(), result_.text.size() - before, f);
    }

    void flushHigh() {
        if (!high_) return;
        const Held high = std::move(*high_);
        high_.reset();
        append(high.unit, high.format);
    }

    void paragraph(GroupState& state) {
        if (state.destination != Destination::Text) return;
        pendingSkip_ = 0;
        flushHigh();
        const ui::CharFormat f = format(state);
        result_.text += "\r\n";
        result_.formats.push_back(f);
        result_.formats.push_back(f);
    }

    ui::CharFormat format(const GroupState& state) const {
        ui::CharFormat f = fallback_;
        const int font = state.font >= 0 ? state.font : defaultFont_;
        if (auto at = fonts_.find(font); at != fonts_.end()) f.font = at->second;
        // Entry 0 of the table is the automatic colour, which has no value.
        const auto index = static_cast<std::size_t>(state.colour);
        if (state.colour >= 0 && index < colours_.size() && colours_[index]) f.colour = *colours_[index];
        return f;
    }

    void finishFont() {
        if (definingFont_ >= 0) {
            std::string name = fontName_;
            while (!name.empty() && name.back() == ' ') name.pop_back();
            while (!name.empty() && name.front() == ' ') name.erase(name.begin());
            if (!name.empty()) {
                fonts_[definingFont_] = name;
                // A font declared without its character set has the one its name implies.
                fontCharsets_[definingFont_] = definingCharset_ >= 0 ? definingCharset_ : fontCharset(name);
            }
        }
        definingFont_ = -1;
        definingCharset_ = -1;
        fontName_.clear();
    }

    std::string_view rtf_;
    const ui::CharFormat& fallback_;
    std::size_t pos_ = 0;
    FormattedText result_;
    std::map<int, std::string> fonts_;
    std::map<int, int> fontCharsets_;
    int definingFont_ = -1;
    int definingCharset_ = -1;
    std::string fontName_;
    int defaultFont_ = 0;
    std::vector<std::optional<Colour>> colours_;  // as listed, the automatic entry included
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourStarted_ = false;
    int pendingSkip_ = 0;
    struct Held {
        char32_t unit;
        ui::CharFormat format;
    };
    std::optional<Held> high_;
};

}  // namespace

FormattedText fromRtf(std::string_view rtf, const ui::CharFormat& fallback) {
    return RtfReader(rtf, fallback).read();
}

}  // namespace scrivlet
