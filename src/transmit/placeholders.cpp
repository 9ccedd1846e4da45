#include "transmit/placeholders.h"

#include <cstdio>
#include <functional>

#include "platform/text.h"
#include "store/file_helpers.h"
#include "transmit/key_notation.h"

namespace scrivlet {

namespace {

std::string digits(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

std::string fileContent(const std::string& name, FileSystem& files) {
    if (!name.empty() && fileExists(files, name))
        return replaceAll(readFileWhole(files, name).text, "\n", "");
    return "\r*** Scrivlet: Konnte Datei '" + name + "' nicht finden! ***\r";
}

}  // namespace

std::string expandFilePlaceholders(std::string text, FileSystem& files) {
    static const std::string Marker = "%DATEI=";
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = toUpper(text).find(Marker, from);
        if (at == std::string::npos) return text;
        const std::size_t nameStart = at + Marker.size();
        const std::size_t end = text.find('%', nameStart);
        if (end == std::string::npos) return text;
        const std::string name = text.substr(nameStart, end - nameStart);
        const std::string content = fileContent(name, files);
        // Every occurrence is replaced, also earlier ones inside included
        // text; the search goes on after the one found here.
        const std::string needle = toUpper(text.substr(at, end + 1 - at));
        const std::string upper = toUpper(text);
        std::string out;
        std::size_t continueAt = 0, pos = 0;
        for (std::size_t m; (m = upper.find(needle, pos)) != std::string::npos; pos = m + needle.size()) {
            out.append(text, pos, m - pos);
            if (m == at) continueAt = out.size() + content.size();
            out += content;
        }
        out.append(text, pos, std::string::npos);
        text = std::move(out);
        from = continueAt;
    }
}

std::string expandClockPlaceholders(std::string text, Clock& clock) {
    using Row = std::pair<const char*, std::function<std::string(const DateTime&)>>;
    const Row rows[] = {
        {"%zeit%", [&clock](const DateTime& t) { return clock.timeText(t); }},
        {"%stunde%", [](const DateTime& t) { return digits(t.hour, 2); }},
        {"%minute%", [](const DateTime& t) { return digits(t.minute, 2); }},
        {"%sekunde%", [](const DateTime& t) { return digits(t.second, 2); }},
        {"%datum%", [&clock](const DateTime& t) { return clock.dateText(t); }},
        {"%tag%", [](const DateTime& t) { return digits(t.day, 2); }},
        {"%wochentag%", [&clock](const DateTime& t) { return clock.weekdayName(t); }},
        {"%monat%", [](const DateTime& t) { return digits(t.month, 2); }},
        {"%jahr%", [](const DateTime& t) { return digits(t.year, 4); }},
    };
    for (const auto& [placeholder, value] : rows)
        if (toUpper(text).find(toUpper(placeholder)) != std::string::npos)
            text = replaceAll(text, placeholder, value(clock.now()), true);
    return text;
}

}  // namespace scrivlet
