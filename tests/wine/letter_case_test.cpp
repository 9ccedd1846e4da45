// The program's one table of letter case, used by both back-ends, held against
// Windows' own mapping (CharUpperBuffW and CharLowerBuffW, as Wine has them)
// for every character of the Basic Multilingual Plane.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/text.h"

namespace scrivlet {
namespace {

struct CaseMapping {
    const char* label;
    char32_t (*table)(char32_t);
    DWORD(WINAPI* system)(LPWSTR, DWORD);
};

void PrintTo(const CaseMapping& c, std::ostream* out) { *out << c.label; }

class LetterCaseTable : public ::testing::TestWithParam<CaseMapping> {};

TEST_P(LetterCaseTable, AgreesWithTheSystemForEveryCharacter) {
    const CaseMapping& c = GetParam();
    // Every code unit but the surrogates, which are no characters of their own.
    std::wstring all;
    for (char32_t cp = 0; cp <= 0xFFFF; ++cp)
        if (cp < 0xD800 || cp > 0xDFFF) all += static_cast<wchar_t>(cp);
    std::wstring mapped = all;
    ASSERT_EQ(c.system(mapped.data(), static_cast<DWORD>(mapped.size())), mapped.size());
    int differences = 0;
    std::string shown;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const char32_t ours = c.table(static_cast<char32_t>(all[i]));
        const auto theirs = static_cast<char32_t>(mapped[i]);
        if (ours == theirs) continue;
        if (++differences <= 10) {
            char line[64];
            std::snprintf(line, sizeof line, "U+%04X: table U+%04X, system U+%04X\n", static_cast<unsigned>(all[i]),
                          static_cast<unsigned>(ours), static_cast<unsigned>(theirs));
            shown += line;
        }
    }
    EXPECT_EQ(differences, 0) << shown;
}

INSTANTIATE_TEST_SUITE_P(Mappings, LetterCaseTable,
                         ::testing::Values(CaseMapping{"Upper", upperOf, CharUpperBuffW},
                                           CaseMapping{"Lower", lowerOf, CharLowerBuffW}),
                         [](const auto& p) { return std::string(p.param.label); });

}  // namespace
}  // namespace scrivlet
