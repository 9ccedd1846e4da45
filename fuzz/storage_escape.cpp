// The storage escape: every text, in any character and with unpaired UTF-16
// surrogates, comes back from its stored form, which is one INI value of
// Windows-1252 bytes (no line break, tab or quote) that an older version
// reads and writes back unchanged; and any stored form unescapes without
// growing.
#include "harness.h"
#include "store/file_text.h"
#include "store/storage_escape.h"

using namespace scrivlet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const std::string stored = escapeText(bytes);
    FUZZ_CHECK(unescapeText(stored) == bytes);
    FUZZ_CHECK(stored.find_first_of("\r\n\t\"") == std::string::npos);
    FUZZ_CHECK(stored.size() <= 2 * bytes.size());
    FUZZ_CHECK(unescapeText(bytes).size() <= bytes.size());

    const std::string text = fuzz::textOf(data, size);
    const std::string inFile = textForFile(text);
    FUZZ_CHECK(textFromFile(inFile) == text);
    FUZZ_CHECK(inFile.find_first_of("\r\n\t\"") == std::string::npos);
    // What an older version does with it: unescape, show, escape again.
    FUZZ_CHECK(escapeText(unescapeText(inFile)) == inFile);
    // Names and titles go without the storage escape.
    FUZZ_CHECK(fromFileText(toFileText(text)) == text);
    return 0;
}
