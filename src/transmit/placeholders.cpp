#include "transmit/placeholders.h"

#include <cstdio>
#include <algorithm>
#include <functional>
#include <map>

#include "platform/text.h"
#include "platform/unicode.h"
#include "store/file_helpers.h"
#include "transmit/key_notation.h"

namespace scrivlet {

namespace {

std::string digits(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

std::string notFound(const std::string& name) {
    return "\r*** Scrivlet: Konnte Datei '" + name + "' nicht finden! ***\r";
}

std::string tooLarge(const std::string& name) {
    return "\r*** Scrivlet: Datei '" + name + "' nicht eingefügt, der Text wäre größer als 1 MB! ***\r";
}

// What a placeholder stands for, and how many bytes of the file it took.
struct Included {
    std::string text;
    std::size_t fileBytes = 0;
};

// The file in its own encoding (a byte-order mark, or valid UTF-8, tells);
// room is what the limit still allows.
Included fileContent(const std::string& name, FileSystem& files, std::size_t room) {
    if (!fileExists(files, name)) return {notFound(name)};
    const PlainFileRead read = files.readPlainFile(name, std::min(room, IncludeLimitBytes));
    switch (read.result) {
        case PlainFileRead::Result::Read: return {replaceAll(decodeFile(read.bytes), "\n", ""), read.bytes.size()};
        case PlainFileRead::Result::TooLarge: return {tooLarge(name)};
        case PlainFileRead::Result::Unreadable: return {};
        case PlainFileRead::Result::NotAPlainFile: break;
    }
    return {notFound(name)};
}

}  // namespace

std::string expandFilePlaceholders(std::string_view text, FileSystem& files) {
    static constexpr std::string_view Marker = "%DATEI=";
    std::map<std::string, Included> contents;  // by the upper-cased placeholder
    std::size_t included = 0;
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        const std::optional<TextRange> found = findIgnoringCase(text, Marker, pos);
        if (!found) break;
        const std::size_t at = found->start;
        const std::size_t nameStart = at + found->length;
        const std::size_t end = text.find('%', nameStart);
        if (end == std::string_view::npos) break;
        const std::string name(text.substr(nameStart, end - nameStart));
        auto [known, fresh] = contents.try_emplace(toUpper(name));
        if (fresh) known->second = fileContent(name, files, IncludeLimitBytes - included);
        out.append(text.substr(pos, at - pos));
        // A file named again counts again: what is typed is bounded, not only
        // what is read. The file's bytes count, whatever its encoding.
        if (included + known->second.fileBytes > IncludeLimitBytes) {
            out += tooLarge(name);
        } else {
            included += known->second.fileBytes;
            out += known->second.text;
        }
        pos = end + 1;
    }
    out.append(text.substr(pos));
    return out;
}

std::string expandClockPlaceholders(std::string text, Clock& clock) {
    if (text.find('%') == std::string::npos) return text;
    // One reading for all: "%stunde%:%minute%" at 10:59:59 must not become "10:00".
    const DateTime t = clock.now();
    const std::pair<const char*, std::function<std::string()>> rows[] = {
        {"%zeit%", [&] { return clock.timeText(t); }},
        {"%stunde%", [&] { return digits(t.hour, 2); }},
        {"%minute%", [&] { return digits(t.minute, 2); }},
        {"%sekunde%", [&] { return digits(t.second, 2); }},
        {"%datum%", [&] { return clock.dateText(t); }},
        {"%tag%", [&] { return digits(t.day, 2); }},
        {"%wochentag%", [&] { return clock.weekdayName(t); }},
        {"%monat%", [&] { return digits(t.month, 2); }},
        {"%jahr%", [&] { return digits(t.year, 4); }},
    };
    for (const auto& [placeholder, value] : rows)
        if (findIgnoringCase(text, placeholder))
            text = replaceAll(text, placeholder, value(), true);
    return text;
}

}  // namespace scrivlet
