#include "store/snippet_encoding.h"

#include "platform/text.h"
#include "store/file_helpers.h"
#include "store/file_text.h"

namespace scrivlet {

namespace {

// A line "[Name]" names the section that follows, blanks around it allowed.
std::optional<std::string> sectionOf(std::string_view line) {
    const std::string trimmed = trimBlanks(line);
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') return std::nullopt;
    return trimBlanks(std::string_view(trimmed).substr(1, trimmed.size() - 2));
}

// A free name beside the file: "Scrivlet-UTF-8-Original.ini", then with (2),
// (3) ...; an earlier copy is never replaced.
std::string copyPathFor(FileSystem& files, const std::string& path, FileEncoding encoding) {
    const std::size_t slash = path.find_last_of('\\');
    const std::size_t dot = path.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExtension ? path.substr(0, dot) : path;
    const std::string extension = hasExtension ? path.substr(dot) : ".ini";
    const std::string base = stem + "-" + encodingName(encoding) + "-Original";
    std::string candidate = base + extension;
    for (int n = 2; files.attributes(candidate) && n < 1000; ++n)
        candidate = base + " (" + std::to_string(n) + ")" + extension;
    return candidate;
}

}  // namespace

std::string encodingName(FileEncoding encoding) {
    switch (encoding) {
        case FileEncoding::Utf8:
        case FileEncoding::Utf8WithBom: return "UTF-8";
        case FileEncoding::Utf16LittleEndian:
        case FileEncoding::Utf16BigEndian: return "UTF-16";
        case FileEncoding::Windows1252: break;
    }
    return "Windows-1252";
}

std::string snippetFormOf(std::string_view utf8) {
    // What the file holds is already in stored form (a text's backslashes
    // doubled, its line breaks escaped): only the characters the code page
    // lacks change.
    std::string out;
    out.reserve(utf8.size());
    bool texts = false;
    for (std::size_t start = 0; start < utf8.size();) {
        std::size_t end = utf8.find('\n', start);
        end = end == std::string_view::npos ? utf8.size() : end + 1;
        const std::string_view line = utf8.substr(start, end - start);
        if (const auto section = sectionOf(line.substr(0, line.find_first_of("\r\n"))))
            texts = toUpper(*section) == "TEXT";
        for (std::size_t i = 0; i < line.size();) {
            std::size_t n = 0;
            const char32_t c = decodeUtf8(line, i, &n);
            if (const auto byte = toCp1252(c)) {
                out += static_cast<char>(*byte);
            } else {
                // An entry text doubles the escape's backslash, as its storage
                // escape does for every backslash.
                out += texts ? "\\" : "";
                out += toFileText(line.substr(i, n));
            }
            i += n;
        }
        start = end;
    }
    return out;
}

SnippetEncoding convertToSnippetForm(FileSystem& files, const std::string& path) {
    SnippetEncoding result;
    const std::optional<std::string> bytes = files.readAll(path);
    if (!bytes) return result;
    result.encoding = detectEncoding(*bytes);
    if (result.encoding == FileEncoding::Windows1252) return result;
    result.copyPath = copyPathFor(files, path, result.encoding);
    if (!files.writeAll(result.copyPath, *bytes)) {
        result.outcome = SnippetEncoding::Outcome::CopyFailed;
        return result;
    }
    result.outcome = writeFileWhole(files, path, snippetFormOf(decodeFile(*bytes, result.encoding)))
                         ? SnippetEncoding::Outcome::Converted
                         : SnippetEncoding::Outcome::WriteFailed;
    return result;
}

}  // namespace scrivlet
