#include "platform/rtf.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <optional>

#include "platform/text.h"

namespace scrivlet {

namespace {

// ---- writing

void appendEscaped(std::string& out, unsigned char c) {
    static const char hex[] = "0123456789abcdef";
    if (c == '\\' || c == '{' || c == '}') {
        out += '\\';
        out += static_cast<char>(c);
    } else if (c == '\t') {
        out += "\\tab ";
    } else if (c < 0x20 || c >= 0x80) {
        out += "\\'";
        out += hex[c >> 4];
        out += hex[c & 0xF];
    } else {
        out += static_cast<char>(c);
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
    for (std::size_t i = 0; i < text.size(); ++i) {
        const ui::CharFormat& format = i < formats.size() ? formats[i] : standard;
        if (!(format == *current)) {
            select(format);
            current = &format;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n') {
            body += "\\par ";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            continue;
        }
        appendEscaped(body, c);
    }

    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (std::size_t f = 0; f < fonts.size(); ++f) {
        // A symbol font declared with the ANSI character set lets the font
        // mapper choose another font for it (Wine then shows the letters).
        rtf += "{\\f" + std::to_string(f) + "\\fnil\\fcharset" + std::to_string(fontCharset(fonts[f])) + ' ';
        for (char c : fonts[f]) appendEscaped(rtf, static_cast<unsigned char>(c));
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

// Windows-1252 for the characters RTF may give as Unicode (\uN).
char fromUnicode(long code) {
    if (code < 0) code += 65536;
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    static const std::uint16_t high[32] = {0x20AC, 0, 0x201A, 0x0192, 0x2026, 0x2020, 0x2021, 0x02C6,
                                           0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      0,
                                           0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    for (int i = 0; i < 32; ++i)
        if (high[i] && high[i] == code) return static_cast<char>(0x80 + i);
    return '?';
}

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
            character(state, c);
        }
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
                    character(state, static_cast<char>(high * 16 + low), true);
                    return;
                }
                case '*': state.destination = Destination::Skip; return;
                case '~': character(state, '\xA0', true); return;
                case '_': character(state, '-', true); return;
                case '\r':
                case '\n': paragraph(state); return;
                case '\\':
                case '{':
                case '}': character(state, c, true); return;
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
            else if (word == "u") {
                character(state, fromUnicode(parameter.value_or(63)), true);
                pendingSkip_ = state.unicodeSkip;
            } else if (word == "lquote") character(state, '\x91', true);
            else if (word == "rquote") character(state, '\x92', true);
            else if (word == "ldblquote") character(state, '\x93', true);
            else if (word == "rdblquote") character(state, '\x94', true);
            else if (word == "bullet") character(state, '\x95', true);
            else if (word == "endash") character(state, '\x96', true);
            else if (word == "emdash") character(state, '\x97', true);
        }
        if (word == "deff") defaultFont_ = value;
    }

    void character(GroupState& state, char c, bool escaped = false) {
        switch (state.destination) {
            case Destination::FontTable:
                if (c == ';' && !escaped)
                    finishFont();
                else
                    fontName_ += c;
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
        result_.text += c;
        result_.formats.push_back(format(state));
    }

    void paragraph(GroupState& state) {
        if (state.destination != Destination::Text) return;
        pendingSkip_ = 0;
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
            if (!name.empty()) fonts_[definingFont_] = name;
        }
        definingFont_ = -1;
        fontName_.clear();
    }

    std::string_view rtf_;
    const ui::CharFormat& fallback_;
    std::size_t pos_ = 0;
    FormattedText result_;
    std::map<int, std::string> fonts_;
    int definingFont_ = -1;
    std::string fontName_;
    int defaultFont_ = 0;
    std::vector<std::optional<Colour>> colours_;  // as listed, the automatic entry included
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourStarted_ = false;
    int pendingSkip_ = 0;
};

}  // namespace

FormattedText fromRtf(std::string_view rtf, const ui::CharFormat& fallback) {
    return RtfReader(rtf, fallback).read();
}

}  // namespace scrivlet
