// What every file-system back-end must do alike. Only behaviour that Windows
// and Wine share is held here; the sim is mended to match where it differed.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/backend.h"

namespace scrivlet::test {
namespace {

using namespace std::string_literals;

class FilesContract : public ::testing::Test {
public:
    std::unique_ptr<FilesFixture> fixture = makeFilesFixture();
    FileSystem& files = fixture->files();
    std::string in(const std::string& name) const { return fixture->folder() + "\\" + name; }

    // A file with these bytes, made through the back-end itself.
    std::string file(const std::string& name, const std::string& bytes) {
        const std::string path = in(name);
        EXPECT_TRUE(files.writeAll(path, bytes)) << path;
        return path;
    }
};

std::string allByteValues() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    return bytes;
}

FileAttributes attrs(bool hidden, bool system, bool readOnly) {
    FileAttributes a;
    a.hidden = hidden;
    a.system = system;
    a.readOnly = readOnly;
    return a;
}

::testing::AssertionResult sameAttributes(const std::optional<FileAttributes>& actual,
                                          const FileAttributes& expected) {
    if (!actual) return ::testing::AssertionFailure() << "no attributes (file missing)";
    if (actual->directory == expected.directory && actual->hidden == expected.hidden &&
        actual->system == expected.system && actual->readOnly == expected.readOnly)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "directory/hidden/system/readOnly are " << actual->directory << actual->hidden
           << actual->system << actual->readOnly << ", expected " << expected.directory
           << expected.hidden << expected.system << expected.readOnly;
}

// ---- contents: exactly the bytes written, whatever they are

struct Content {
    const char* label;
    std::string bytes;
};

void PrintTo(const Content& c, std::ostream* out) { *out << c.label; }

class FilesRoundTrip : public FilesContract, public ::testing::WithParamInterface<Content> {};

TEST_P(FilesRoundTrip, ReadAllReturnsTheBytesWritten) {
    const std::string path = file("daten.bin", GetParam().bytes);
    EXPECT_EQ(files.readAll(path), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, FilesRoundTrip,
    ::testing::Values(Content{"Empty", ""},
                      Content{"AllByteValues", allByteValues()},
                      // No text-mode translation of line ends or of Ctrl-Z.
                      Content{"LineEndsKept", "a\r\nb\nc\rd\n\r"},
                      Content{"CtrlZInTheMiddle", "vor\x1A" "nach"},
                      Content{"Cp1252Markers", "\xC3Hallo\xF0 Grüße"},
                      // Larger than any one read, so reading must go on to the end.
                      Content{"QuarterMegabyte", std::string(256 * 1024 + 7, 'x') + "Ende"}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(FilesContract, ReplacingAFileLeavesNothingOfTheOldContent) {
    const std::string path = file("liste.ini", std::string(5000, 'a'));
    ASSERT_TRUE(files.writeAll(path, "kurz"));
    EXPECT_EQ(files.readAll(path), "kurz");
    ASSERT_TRUE(files.writeAll(path, ""));
    EXPECT_EQ(files.readAll(path), "");
}

TEST_F(FilesContract, NamesIgnoreLetterCase) {
    file("Texte.INI", "inhalt");
    EXPECT_EQ(files.readAll(in("texte.ini")), "inhalt");
    ASSERT_TRUE(files.writeAll(in("TEXTE.ini"), "neu"));
    EXPECT_EQ(files.readAll(in("Texte.INI")), "neu");
}

TEST_F(FilesContract, AccentedLettersIgnoreCaseToo) {
    ASSERT_TRUE(files.createFolder(in("Übersicht")));
    file("Übersicht\\Größe.txt", "groß");
    EXPECT_EQ(files.readAll(in("übersicht\\GRÖßE.TXT")), "groß");
    EXPECT_TRUE(files.attributes(in("ÜBERSICHT")).has_value());
}

TEST_F(FilesContract, TrailingDotsAndBlanksOfTheNameAreDropped) {
    file("notiz.txt. .", "punkt");
    EXPECT_EQ(files.readAll(in("notiz.txt")), "punkt");
    EXPECT_EQ(files.readAll(in("notiz.txt ")), "punkt");
}

TEST_F(FilesContract, ForwardSlashesSeparateLikeBackslashes) {
    ASSERT_TRUE(files.createFolder(in("unter")));
    file("unter\\datei.txt", "schräg");
    EXPECT_EQ(files.readAll(fixture->folder() + "/unter/datei.txt"), "schräg");
}

TEST_F(FilesContract, WhatCannotBeReadIsNothing) {
    ASSERT_TRUE(files.createFolder(in("ordner")));
    const std::string plain = file("da.txt", "x");
    const std::vector<std::string> unreadable = {
        in("fehlt.txt"), in("fehlt\\da.txt"), in("ordner"), plain + "\\",
    };
    for (const auto& path : unreadable) EXPECT_FALSE(files.readAll(path).has_value()) << path;
}

TEST_F(FilesContract, WritesWhereNoFileCanBeAreRefused) {
    ASSERT_TRUE(files.createFolder(in("ordner")));
    const std::vector<std::string> refused = {
        in("fehlt\\neu.txt"),  // the folder does not exist
        in("ordner"),          // a folder is there
        in("neu.txt\\"),       // names a folder
        in("fr?ge.txt"),
        in("a|b.txt"),
    };
    for (const auto& path : refused) {
        EXPECT_FALSE(files.writeAll(path, "x")) << path;
        EXPECT_FALSE(files.readAll(path).has_value()) << path;
    }
    EXPECT_TRUE(sameAttributes(files.attributes(in("ordner")), {true, false, false, false}));
}

// ---- attributes

TEST_F(FilesContract, AStampTellsVersionsOfAFileApartWithoutReadingIt) {
    EXPECT_EQ(files.stamp(in("fehlt.ini")), std::nullopt);
    EXPECT_EQ(files.stamp(fixture->folder()), std::nullopt);
    const std::string path = file("Scrivlet.ini", "[Name]\r\n1=eins\r\n");
    const std::optional<FileStamp> first = files.stamp(path);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->size, 16u);
    EXPECT_EQ(files.readAll(path)->size(), 16u);
    EXPECT_EQ(files.stamp(path), first);
    EXPECT_EQ(files.stamp(in("SCRIVLET.INI")), first);
    file("Scrivlet.ini", "[Name]\r\n1=zwei und drei\r\n");
    EXPECT_NE(files.stamp(path), first);
}

TEST_F(FilesContract, AttributesOfWhatIsNotThereAreNothing) {
    const std::string plain = file("da.txt", "x");
    const std::vector<std::string> absent = {
        in("fehlt.txt"), in("fehlt\\da.txt"), plain + "\\", in("*.txt"), in("d?.txt"), in("a<b"),
        in("a\"b"),
    };
    for (const auto& path : absent) EXPECT_FALSE(files.attributes(path).has_value()) << path;
}

TEST_F(FilesContract, AFolderIsADirectoryWithOrWithoutTrailingBackslash) {
    ASSERT_TRUE(files.createFolder(in("ordner")));
    EXPECT_TRUE(sameAttributes(files.attributes(in("ordner")), {true, false, false, false}));
    EXPECT_TRUE(sameAttributes(files.attributes(in("ordner\\")), {true, false, false, false}));
    EXPECT_TRUE(sameAttributes(files.attributes(in("ORDNER")), {true, false, false, false}));
}

TEST_F(FilesContract, ANewFileHasNoAttributes) {
    const std::string path = file("neu.txt", "x");
    EXPECT_TRUE(sameAttributes(files.attributes(path), {}));
}

struct AttributeCase {
    const char* label;
    FileAttributes set;
};

void PrintTo(const AttributeCase& c, std::ostream* out) { *out << c.label; }

class FilesAttributes : public FilesContract,
                        public ::testing::WithParamInterface<AttributeCase> {};

TEST_P(FilesAttributes, WhatIsSetIsReadBackAndCanBeCleared) {
    const std::string path = file("datei.ini", "x");
    ASSERT_TRUE(files.setAttributes(path, GetParam().set));
    EXPECT_TRUE(sameAttributes(files.attributes(path), GetParam().set));
    EXPECT_TRUE(sameAttributes(files.attributes(in("DATEI.INI")), GetParam().set));
    ASSERT_TRUE(files.setAttributes(path, {}));
    EXPECT_TRUE(sameAttributes(files.attributes(path), {}));
}

INSTANTIATE_TEST_SUITE_P(Combinations, FilesAttributes,
                         ::testing::Values(AttributeCase{"Hidden", attrs(true, false, false)},
                                           AttributeCase{"System", attrs(false, true, false)},
                                           AttributeCase{"ReadOnly", attrs(false, false, true)},
                                           AttributeCase{"HiddenReadOnly", attrs(true, false, true)},
                                           AttributeCase{"All", attrs(true, true, true)}),
                         [](const auto& p) { return std::string(p.param.label); });

TEST_F(FilesContract, AFolderCanBeHiddenAndStaysAFolder) {
    ASSERT_TRUE(files.createFolder(in("versteckt")));
    ASSERT_TRUE(files.setAttributes(in("versteckt"), attrs(true, true, false)));
    EXPECT_TRUE(sameAttributes(files.attributes(in("versteckt")), {true, true, true, false}));
    ASSERT_TRUE(files.setAttributes(in("versteckt"), {}));
    EXPECT_TRUE(sameAttributes(files.attributes(in("versteckt")), {true, false, false, false}));
}

TEST_F(FilesContract, AttributesOfAMissingFileCannotBeSet) {
    EXPECT_FALSE(files.setAttributes(in("fehlt.txt"), attrs(true, false, false)));
    EXPECT_FALSE(files.attributes(in("fehlt.txt")).has_value());
}

TEST_F(FilesContract, ReplacingAHiddenSystemFileKeepsItsAttributes) {
    const std::string path = file("geheim.ini", "alt");
    ASSERT_TRUE(files.setAttributes(path, attrs(true, true, false)));
    ASSERT_TRUE(files.writeAll(path, "neu"));
    EXPECT_EQ(files.readAll(path), "neu");
    EXPECT_TRUE(sameAttributes(files.attributes(path), attrs(true, true, false)));
}

// ---- a read-only file is protected until the mark is taken off

TEST_F(FilesContract, AReadOnlyFileRefusesToBeReplacedOrRemoved) {
    const std::string path = file("fest.ini", "original");
    ASSERT_TRUE(files.setAttributes(path, attrs(false, false, true)));
    EXPECT_FALSE(files.writeAll(path, "überschrieben"));
    EXPECT_FALSE(files.copy(file("anders.ini", "kopie"), path));
    EXPECT_FALSE(files.remove(path));
    EXPECT_EQ(files.readAll(path), "original");

    ASSERT_TRUE(files.setAttributes(path, {}));
    EXPECT_TRUE(files.writeAll(path, "geändert"));
    EXPECT_EQ(files.readAll(path), "geändert");
    EXPECT_TRUE(files.remove(path));
}

// ---- copy

TEST_F(FilesContract, CopyMakesANewFileWithTheSameBytes) {
    const std::string from = file("quelle.bin", allByteValues());
    ASSERT_TRUE(files.copy(from, in("ziel.bin")));
    EXPECT_EQ(files.readAll(in("ziel.bin")), allByteValues());
    EXPECT_EQ(files.readAll(from), allByteValues());
}

TEST_F(FilesContract, CopyReplacesAnExistingTargetCompletely) {
    const std::string from = file("quelle.ini", "neu");
    const std::string to = file("ziel.ini", std::string(3000, 'z'));
    ASSERT_TRUE(files.copy(from, to));
    EXPECT_EQ(files.readAll(to), "neu");
}

TEST_F(FilesContract, ANewCopyTakesTheAttributesOfItsSource) {
    const std::string from = file("quelle.ini", "x");
    ASSERT_TRUE(files.setAttributes(from, attrs(true, true, true)));
    ASSERT_TRUE(files.copy(from, in("ziel.ini")));
    EXPECT_TRUE(sameAttributes(files.attributes(in("ziel.ini")), attrs(true, true, true)));
}

TEST_F(FilesContract, CopyFailsWithoutASourceOrOntoItself) {
    const std::string to = file("ziel.ini", "bleibt");
    EXPECT_FALSE(files.copy(in("fehlt.ini"), to));
    EXPECT_EQ(files.readAll(to), "bleibt");
    EXPECT_FALSE(files.copy(to, in("ZIEL.INI")));
    EXPECT_EQ(files.readAll(to), "bleibt");
    EXPECT_FALSE(files.copy(to, in("fehlt\\ziel.ini")));
}

// ---- remove

TEST_F(FilesContract, RemoveDeletesFilesOnly) {
    const std::string path = file("weg.txt", "x");
    ASSERT_TRUE(files.setAttributes(path, attrs(true, false, false)));
    EXPECT_TRUE(files.remove(path));
    EXPECT_FALSE(files.attributes(path).has_value());
    EXPECT_FALSE(files.remove(path));
    ASSERT_TRUE(files.createFolder(in("ordner")));
    EXPECT_FALSE(files.remove(in("ordner")));
    EXPECT_TRUE(files.attributes(in("ordner")).has_value());
}

TEST_F(FilesContract, AFileMadeAgainAfterRemovalHasNoAttributes) {
    const std::string path = file("wieder.txt", "x");
    ASSERT_TRUE(files.setAttributes(path, attrs(true, true, false)));
    ASSERT_TRUE(files.remove(path));
    file("wieder.txt", "y");
    EXPECT_TRUE(sameAttributes(files.attributes(path), {}));
}

// ---- folders

TEST_F(FilesContract, CreateFolderMakesTheParentsToo) {
    const std::string deep = in("eins\\zwei\\drei");
    ASSERT_TRUE(files.createFolder(deep));
    EXPECT_TRUE(sameAttributes(files.attributes(in("eins")), {true, false, false, false}));
    EXPECT_TRUE(sameAttributes(files.attributes(deep), {true, false, false, false}));
    EXPECT_TRUE(files.writeAll(deep + "\\datei.txt", "tief"));
    EXPECT_EQ(files.readAll(in("EINS\\Zwei\\drei\\datei.txt")), "tief");
}

TEST_F(FilesContract, CreateFolderSucceedsWhenTheFolderIsThereAndFailsOverAFile) {
    ASSERT_TRUE(files.createFolder(in("da")));
    EXPECT_TRUE(files.createFolder(in("da")));
    EXPECT_TRUE(files.createFolder(in("DA\\")));
    const std::string plain = file("datei", "x");
    EXPECT_FALSE(files.createFolder(plain));
    EXPECT_FALSE(files.createFolder(plain + "\\unter"));
    EXPECT_EQ(files.readAll(plain), "x");
}

TEST_F(FilesContract, FileNamesListTheFilesOfAFolderButNotItsFolders) {
    file("Scrivlet-2026-03-02.ini", "a");
    file("notiz.txt", "");
    file("Grüße.ini", "b");
    ASSERT_TRUE(files.createFolder(in("unter")));
    EXPECT_TRUE(files.writeAll(in("unter\\tief.ini"), "c"));
    const struct {
        const char* label;
        std::string folder;
        std::vector<std::string> names;
    } cases[] = {
        {"the folder", fixture->folder(), {"Grüße.ini", "Scrivlet-2026-03-02.ini", "notiz.txt"}},
        {"in another letter case, with a backslash", in("UNTER\\"), {"tief.ini"}},
        {"a missing folder", in("fehlt"), {}},
        {"a file", in("notiz.txt"), {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> names = files.fileNames(c.folder);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.names) << c.label;
    }
}

// ---- plain files only, and only up to a size

struct PlainCase {
    const char* label;
    std::function<std::string(FilesContract&)> path;  // makes what it names
    std::size_t maxBytes;
    PlainFileRead::Result result;
    std::string bytes;
};

void PrintTo(const PlainCase& c, std::ostream* out) { *out << c.label; }

class FilesPlainRead : public FilesContract, public ::testing::WithParamInterface<PlainCase> {};

TEST_P(FilesPlainRead, ReadsPlainFilesUpToTheLimitOnly) {
    const PlainCase& c = GetParam();
    const PlainFileRead read = files.readPlainFile(c.path(*this), c.maxBytes);
    EXPECT_EQ(read.result, c.result);
    EXPECT_EQ(read.bytes, c.bytes);
}

using Result = PlainFileRead::Result;
INSTANTIATE_TEST_SUITE_P(
    Paths, FilesPlainRead,
    ::testing::Values(
        PlainCase{"File", [](FilesContract& fixture) { return fixture.file("a.txt", "abc"); }, 3, Result::Read, "abc"},
        PlainCase{"EmptyFile", [](FilesContract& fixture) { return fixture.file("a.txt", ""); }, 0, Result::Read, ""},
        PlainCase{"OneByteTooMany", [](FilesContract& fixture) { return fixture.file("a.txt", "abcd"); }, 3,
                  Result::TooLarge, ""},
        PlainCase{"Missing", [](FilesContract& fixture) { return fixture.in("fehlt.txt"); }, 10, Result::NotAPlainFile, ""},
        PlainCase{"Folder",
                  [](FilesContract& fixture) {
                      fixture.files.createFolder(fixture.in("Ordner"));
                      return fixture.in("Ordner");
                  },
                  10, Result::NotAPlainFile, ""},
        PlainCase{"ConsoleDevice", [](FilesContract&) { return std::string("CON"); }, 10, Result::NotAPlainFile,
                  ""},
        PlainCase{"NullDeviceInAFolder", [](FilesContract& fixture) { return fixture.in("NUL"); }, 10,
                  Result::NotAPlainFile, ""},
        PlainCase{"Pipe", [](FilesContract&) { return std::string("\\\\.\\pipe\\scrivlet"); }, 10,
                  Result::NotAPlainFile, ""}),
    [](const auto& p) { return std::string(p.param.label); });

}  // namespace
}  // namespace scrivlet::test
