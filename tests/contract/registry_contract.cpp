// What every registry back-end must do alike: the logic keeps its settings and
// reads the system's through these calls, and cannot tell the back-ends apart.
#include <gtest/gtest.h>

#include <string>

#include "support/backend.h"

namespace scrivlet::test {
namespace {

using namespace std::string_literals;
constexpr auto HKCU = RegistryHive::CurrentUser;

class RegistryContract : public ::testing::Test {
protected:
    std::unique_ptr<RegistryFixture> fixture = makeRegistryFixture();
    Registry& registry = fixture->registry();
    const std::string key = fixture->key();
};

std::string allByteValues() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    return bytes;
}

// ---- values come back with the type and the exact bytes they were stored with

struct StoredValue {
    const char* label;
    RegistryValue value;
};

void PrintTo(const StoredValue& c, std::ostream* out) { *out << c.label; }

class RegistryRoundTrip : public RegistryContract,
                          public ::testing::WithParamInterface<StoredValue> {};

TEST_P(RegistryRoundTrip, QueryReturnsTypeAndBytes) {
    const RegistryValue& stored = GetParam().value;
    ASSERT_TRUE(registry.setValue(HKCU, key, "Wert", stored));
    const auto read = registry.queryValue(HKCU, key, "Wert");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->type, stored.type);
    EXPECT_EQ(read->data, stored.data);
}

INSTANTIATE_TEST_SUITE_P(
    Types, RegistryRoundTrip,
    ::testing::Values(
        StoredValue{"StringWithNul", {registry_type::String, "Hallo Welt\0"s}},
        StoredValue{"StringCp1252", {registry_type::String, "Grüße, Señor – 5 €\0"s}},
        StoredValue{"EmptyString", {registry_type::String, "\0"s}},
        StoredValue{"ExpandString", {registry_type::ExpandString, "%TEMP%\\Scrivlet\0"s}},
        StoredValue{"MultiString", {registry_type::MultiString, "eins\0zwei\0\0"s}},
        StoredValue{"DwordLittleEndian", {registry_type::Dword, "\x78\x56\x34\x12"s}},
        StoredValue{"BinaryAllBytes", {registry_type::Binary, allByteValues()}},
        StoredValue{"BinaryEmpty", {registry_type::Binary, ""s}}),
    [](const auto& p) { return std::string(p.param.label); });

// ---- keys and value names

TEST_F(RegistryContract, SettingAValueCreatesTheKeyAndItsParents) {
    const std::string child = key + "\\Optionen\\Farben";
    ASSERT_FALSE(registry.keyExists(HKCU, key));
    ASSERT_TRUE(registry.setValue(HKCU, child, "Rot", {registry_type::Dword, "\xFF\0\0\0"s}));
    EXPECT_TRUE(registry.keyExists(HKCU, key));
    EXPECT_TRUE(registry.keyExists(HKCU, key + "\\Optionen"));
    EXPECT_TRUE(registry.keyExists(HKCU, child));
    EXPECT_FALSE(registry.keyExists(HKCU, key + "\\Farben"));
}

TEST_F(RegistryContract, KeyPathsAndValueNamesIgnoreLetterCase) {
    ASSERT_TRUE(registry.setValue(HKCU, key + "\\Optionen", "Schrift",
                                  {registry_type::String, "Arial\0"s}));
    struct Spelling {
        std::string key, name;
    } spellings[] = {
        {key + "\\Optionen", "Schrift"},
        {key + "\\OPTIONEN", "SCHRIFT"},
        {key + "\\optionen", "schrift"},
    };
    for (const auto& s : spellings) {
        SCOPED_TRACE(s.key + " / " + s.name);
        EXPECT_TRUE(registry.keyExists(HKCU, s.key));
        const auto read = registry.queryValue(HKCU, s.key, s.name);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->data, "Arial\0"s);
    }
}

TEST_F(RegistryContract, LetterCaseOfAccentedLettersIsIgnoredToo) {
    ASSERT_TRUE(registry.setValue(HKCU, key + "\\Schlüssel", "Größe",
                                  {registry_type::String, "groß\0"s}));
    EXPECT_TRUE(registry.keyExists(HKCU, key + "\\SCHLÜSSEL"));
    const auto read = registry.queryValue(HKCU, key + "\\schlÜssel", "GRÖßE");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->data, "groß\0"s);
    // ß has no capital of its own: "SS" is another name.
    EXPECT_FALSE(registry.queryValue(HKCU, key + "\\Schlüssel", "GRÖSSE").has_value());
}

TEST_F(RegistryContract, ANameSpeltInAnotherCaseReplacesTheValue) {
    ASSERT_TRUE(registry.setValue(HKCU, key, "Zahl", {registry_type::String, "1\0"s}));
    ASSERT_TRUE(registry.setValue(HKCU, key, "ZAHL", {registry_type::Dword, "\2\0\0\0"s}));
    const auto read = registry.queryValue(HKCU, key, "zahl");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->type, registry_type::Dword);
    EXPECT_EQ(read->data, "\2\0\0\0"s);
}

TEST_F(RegistryContract, SameNameInTwoKeysIsTwoValues) {
    ASSERT_TRUE(registry.setValue(HKCU, key + "\\A", "Name", {registry_type::String, "a\0"s}));
    ASSERT_TRUE(registry.setValue(HKCU, key + "\\B", "Name", {registry_type::String, "b\0"s}));
    EXPECT_EQ(registry.queryValue(HKCU, key + "\\A", "Name")->data, "a\0"s);
    EXPECT_EQ(registry.queryValue(HKCU, key + "\\B", "Name")->data, "b\0"s);
}

TEST_F(RegistryContract, TheUnnamedValueIsAValueLikeAnyOther) {
    ASSERT_TRUE(registry.setValue(HKCU, key, "", {registry_type::String, "Standard\0"s}));
    const auto read = registry.queryValue(HKCU, key, "");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->data, "Standard\0"s);
    EXPECT_FALSE(registry.queryValue(HKCU, key, "Standard").has_value());
}

TEST_F(RegistryContract, ABackslashInAValueNameIsPartOfTheName) {
    ASSERT_TRUE(registry.setValue(HKCU, key, "C:\\Pfad", {registry_type::String, "x\0"s}));
    EXPECT_TRUE(registry.queryValue(HKCU, key, "C:\\Pfad").has_value());
    EXPECT_FALSE(registry.keyExists(HKCU, key + "\\C:"));
}

// ---- what is not there

TEST_F(RegistryContract, MissingKeysAndValuesAreReportedAsMissing) {
    ASSERT_TRUE(registry.setValue(HKCU, key, "Da", {registry_type::String, "ja\0"s}));
    EXPECT_FALSE(registry.keyExists(HKCU, key + "\\Fehlt"));
    EXPECT_FALSE(registry.queryValue(HKCU, key + "\\Fehlt", "Da").has_value());
    EXPECT_FALSE(registry.queryValue(HKCU, key, "Fehlt").has_value());
    EXPECT_FALSE(registry.deleteValue(HKCU, key, "Fehlt"));
    EXPECT_FALSE(registry.deleteValue(HKCU, key + "\\Fehlt", "Da"));
    // Asking must not create anything.
    EXPECT_FALSE(registry.keyExists(HKCU, key + "\\Fehlt"));
}

TEST_F(RegistryContract, DeletingAValueLeavesTheKeyAndTheOtherValues) {
    ASSERT_TRUE(registry.setValue(HKCU, key, "Weg", {registry_type::String, "1\0"s}));
    ASSERT_TRUE(registry.setValue(HKCU, key, "Bleibt", {registry_type::String, "2\0"s}));
    EXPECT_TRUE(registry.deleteValue(HKCU, key, "WEG"));
    EXPECT_FALSE(registry.queryValue(HKCU, key, "Weg").has_value());
    EXPECT_TRUE(registry.keyExists(HKCU, key));
    EXPECT_EQ(registry.queryValue(HKCU, key, "Bleibt")->data, "2\0"s);
    EXPECT_FALSE(registry.deleteValue(HKCU, key, "Weg"));
}

}  // namespace
}  // namespace scrivlet::test
