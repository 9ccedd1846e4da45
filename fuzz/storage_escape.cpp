// The storage escape: every text comes back from its stored form, which is
// one INI value (no line break, tab or quote), and any stored form unescapes
// without growing.
#include "harness.h"
#include "store/storage_escape.h"

using namespace scrivlet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::bytesOf(data, size);
    const std::string stored = escapeText(text);
    FUZZ_CHECK(unescapeText(stored) == text);
    FUZZ_CHECK(stored.find_first_of("\r\n\t\"") == std::string::npos);
    FUZZ_CHECK(stored.size() <= 2 * text.size());
    FUZZ_CHECK(unescapeText(text).size() <= text.size());
    return 0;
}
