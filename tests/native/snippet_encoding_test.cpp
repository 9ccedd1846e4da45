// A snippet file saved by an editor as UTF-8 or UTF-16 is turned into the
// program's own form once, its original kept, and never read as
// Windows-1252 bytes.
#include <gtest/gtest.h>

#include "native/main_window_story.h"
#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>

#include "picker/picker_form.h"
#include "store/file_text.h"
#include "store/snippet_encoding.h"
#include "store/storage_escape.h"

namespace scrivlet {
namespace {

std::string utf16(const std::string& utf8, bool littleEndian) {
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t unit : toUtf16(utf8)) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

struct SnippetEncodingTest : test::MainWindowStory {};

TEST_F(SnippetEncodingTest, AFileInUtf8OrUtf16IsConvertedOnceWithItsOriginalKept) {
    const std::string text = "[Name]\r\n1=Grüße\r\n2=Łódź\r\n[Text]\r\n1=Hallo\\NWelt\r\n2=При ✓ 😀\r\n"
                             "[Title]\r\n2=Ärger\r\n[Ignore]\r\n1=x\r\n";
    const std::string converted = "[Name]\r\n1=Gr\xFC\xDF" "e\r\n2=\\u{0141}\xF3" "d\\u{017A}\r\n"
                                  "[Text]\r\n1=Hallo\\NWelt\r\n2=\\\\u{041F}\\\\u{0440}\\\\u{0438} \\\\u{2713} "
                                  "\\\\u{1F600}\r\n[Title]\r\n2=\xC4rger\r\n[Ignore]\r\n1=x\r\n";
    const struct {
        const char* label;
        std::string bytes;
        const char* copy;  // "" when the file is left as it is
    } cases[] = {
        {"UTF-8", text, "C:\\Programme\\Scrivlet\\Scrivlet-UTF-8-Original.ini"},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + text, "C:\\Programme\\Scrivlet\\Scrivlet-UTF-8-Original.ini"},
        {"UTF-16", utf16(text, true), "C:\\Programme\\Scrivlet\\Scrivlet-UTF-16-Original.ini"},
        {"UTF-16 big-endian", utf16(text, false), "C:\\Programme\\Scrivlet\\Scrivlet-UTF-16-Original.ini"},
        {"Windows-1252", converted, ""},
        {"ASCII", "[Name]\r\n1=Hallo\r\n[Ignore]\r\n1=x\r\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        sim.dialogs.shown.clear();
        writeBytes(StandardFile, c.bytes);
        start();
        if (*c.copy == '\0') {
            EXPECT_TRUE(messages().empty());
            EXPECT_EQ(sim.files.readAll(StandardFile), c.bytes);
            continue;
        }
        EXPECT_EQ(listed(), (std::vector<std::string>{"Grüße", "Łódź"}));
        EXPECT_EQ(sim.files.readAll(StandardFile), converted);
        EXPECT_EQ(sim.files.readAll(c.copy), c.bytes);
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].icon, MessageIcon::Information);
        EXPECT_NE(messages()[0].text.find(c.copy), std::string::npos) << messages()[0].text;
        // What the editor shows of the converted entry is what was typed.
        form().lbEntryList.setListIndex(1);
        EXPECT_EQ(form().ghostTextTB.text(), "При ✓ 😀");
        sim.files.remove(c.copy);
    }
}

TEST_F(SnippetEncodingTest, AFileSavedInUtf8WhileTheProgramRunsIsConvertedBeforeTheMenuOrThePickerReadsIt) {
    using Names = std::vector<std::string>;
    const struct {
        const char* way;
        std::function<Names(SnippetEncodingTest&)> open;
    } ways[] = {
        {"menu",
         [](SnippetEncodingTest& t) {
             Names captions;
             t.sim.ui.whenMenu([&](ui::Menu& menu) {
                 for (const auto& item : menu.items()) captions.push_back(item->caption());
             });
             t.sim.tray.iconMessage(NotificationArea::LeftButtonDown);
             return Names(captions.begin(), captions.begin() + std::min<std::ptrdiff_t>(2, std::ssize(captions)));
         }},
        {"picker",
         [](SnippetEncodingTest& t) {
             t.sim.hotkeys.press(DefaultPickerHotkey);
             auto* picker = t.shownForm<PickerForm>("PickerForm");
             Names rows;
             for (int i = 0; picker && i < picker->entryList.rowCount(); ++i) rows.push_back(picker->entryList.text(i));
             return rows;
         }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        sim.dialogs.shown.clear();
        startWith("[Name]\r\n1=Brief\r\n[Ignore]\r\n1=x\r\n");
        sim.windows.activate(sim.windows.open("Unbenannt - Editor", SimWindowSystem::Kind::Notepad));
        writeBytes(StandardFile, "[Name]\r\n1=Brief\r\n2=Łódź\r\n[Ignore]\r\n1=x\r\n");
        EXPECT_EQ(w.open(*this), (Names{"Brief", "Łódź"}));
        EXPECT_EQ(sim.files.readAll("C:\\Programme\\Scrivlet\\Scrivlet-UTF-8-Original.ini"),
                  "[Name]\r\n1=Brief\r\n2=Łódź\r\n[Ignore]\r\n1=x\r\n");
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].icon, MessageIcon::Information);
        // And the main window lists it, once the program is idle.
        sim.ui.advance(100);
        EXPECT_EQ(listed(), (Names{"Brief", "Łódź"}));
        sim.files.remove("C:\\Programme\\Scrivlet\\Scrivlet-UTF-8-Original.ini");
    }
}

// Without a copy beside it, or without the right to rewrite it.
class AFileThatCannotBeConverted : public SnippetEncodingTest, public ::testing::WithParamInterface<bool> {};

TEST_P(AFileThatCannotBeConverted, IsNotLoadedAndLeftAsItWas) {
    const bool copyRefused = GetParam();
    const std::string bytes = "[Name]\r\n1=Grüße\r\n";
    writeBytes(StandardFile, bytes);
    if (copyRefused) {
        sim.files.denyWrites(ProgramFolder);
    } else {
        sim.files.setAttributes(StandardFile, {false, false, false, true});
        sim.files.lockAttributes(StandardFile);
    }
    start();
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(sim.files.readAll(StandardFile), bytes);
    EXPECT_EQ(sim.files.attributes("C:\\Programme\\Scrivlet\\Scrivlet-UTF-8-Original.ini").has_value(), !copyRefused);
    ASSERT_EQ(messages().size(), 1u) << "told once, though the start loads twice";
    EXPECT_EQ(messages()[0].icon, MessageIcon::Error);
    EXPECT_NE(messages()[0].text.find("UTF-8"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Refusals, AFileThatCannotBeConverted, ::testing::Bool(),
                         [](const auto& p) { return p.param ? "NoCopy" : "NoRewrite"; });

}  // namespace
}  // namespace scrivlet

namespace scrivlet {
namespace {

// Files written before characters beyond Windows-1252 were kept: each value
// reads and writes back exactly as the program did before (the one exception,
// a literal "\u{...}", does not occur in them).
TEST(OlderFiles, AreReadAndWrittenByteForByteAsBefore) {
    const std::filesystem::path source = SCRIVLET_SOURCE_DIR;
    std::vector<std::filesystem::path> files{source / "sample" / "sample.ini"};
    for (const char* corpus : {"snippet_file", "profile_section"})
        for (const auto& entry : std::filesystem::directory_iterator(source / "fuzz" / "corpus" / corpus))
            if (entry.path().filename() != "escapes.ini") files.push_back(entry.path());
    ASSERT_GT(files.size(), 20u);
    std::size_t values = 0;
    for (const auto& path : files) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find_first_of("\r\n", start);
            if (end == std::string::npos) end = bytes.size();
            const std::string line = bytes.substr(start, end - start);
            start = end + 1;
            const std::size_t equals = line.find('=');
            if (equals == std::string::npos) continue;
            const std::string value = line.substr(equals + 1);
            ++values;
            SCOPED_TRACE(path.filename().string() + ": " + ::testing::PrintToString(value));
            // Names and titles as they are; texts through the storage escape,
            // which older versions apply alike.
            EXPECT_EQ(toFileText(fromFileText(value)), value);
            EXPECT_EQ(textForFile(textFromFile(value)), escapeText(unescapeText(value)));
        }
    }
    EXPECT_GT(values, 200u);
}

// The sample written back entry by entry through the program's own writes.
struct OlderFileStory : test::MainWindowStory {};

TEST_F(OlderFileStory, TheSampleStaysTheSameWhenEveryEntryIsWrittenAgain) {
    std::ifstream in(std::filesystem::path(SCRIVLET_SOURCE_DIR) / "sample" / "sample.ini", std::ios::binary);
    const std::string sample{std::istreambuf_iterator<char>(in), {}};
    writeBytes(StandardFile, sample);
    IniAccess ini(sim.profile);
    SnippetFile file(ini, sim.random);
    file.setPath(StandardFile);
    const std::vector<NamedEntry> names = file.readNames();
    ASSERT_FALSE(names.empty());
    for (const NamedEntry& named : names) {
        const Entry entry = file.readEntry(named.number);
        ASSERT_EQ(entry.crypt, 0);
        ASSERT_EQ(file.writeFields({{"Name", named.number, entry.name},
                                    {"Text", named.number, textForFile(textFromFile(entry.text))},
                                    {"Title", named.number, entry.title}}),
                  WriteResult::Ok);
    }
    EXPECT_EQ(sim.files.readAll(StandardFile), sample);
}

}  // namespace
}  // namespace scrivlet
