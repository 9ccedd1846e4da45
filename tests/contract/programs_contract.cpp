// What every back-end must do alike when it starts programs and opens
// documents.
#include <gtest/gtest.h>

#include "support/backend.h"

namespace scrivlet::test {
namespace {

class ProgramsContract : public ::testing::Test {
public:
    std::unique_ptr<ProgramsFixture> fixture = makeProgramsFixture();
    Programs& programs = fixture->programs();
};

TEST_F(ProgramsContract, TheEndOfAStartedProgramIsToldOnce) {
    int ends = 0;
    ASSERT_TRUE(programs.start(fixture->endingCommandLine(), [&] { ++ends; }));
    EXPECT_TRUE(fixture->runUntil([&] { return ends > 0; }));
    // Nothing more arrives for the same process.
    fixture->settle();
    EXPECT_EQ(ends, 1);
}

TEST_F(ProgramsContract, TwoProgramsEachTellTheirOwnEnd) {
    int first = 0;
    int second = 0;
    ASSERT_TRUE(programs.start(fixture->endingCommandLine(), [&] { ++first; }));
    ASSERT_TRUE(programs.start(fixture->endingCommandLine(), [&] { ++second; }));
    EXPECT_TRUE(fixture->runUntil([&] { return first > 0 && second > 0; }));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
}

TEST_F(ProgramsContract, AProgramThatCannotStartFailsAndNeverEnds) {
    int ends = 0;
    for (const char* line : {"scrivlet-kein-solches-programm.exe eins", "\"C:\\Kein Ordner\\fehlt.exe\" zwei", ""}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(programs.start(line, [&] { ++ends; }));
    }
    fixture->settle();
    EXPECT_EQ(ends, 0);
}

TEST_F(ProgramsContract, AStartWithoutCallbackStillStarts) {
    EXPECT_TRUE(programs.start(fixture->endingCommandLine(), {}));
}

TEST_F(ProgramsContract, AMissingDocumentCannotBeOpened) {
    EXPECT_FALSE(programs.open("C:\\scrivlet-kein-ordner\\index.htm"));
}

}  // namespace
}  // namespace scrivlet::test
