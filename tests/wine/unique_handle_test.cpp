// The one owner of every Win32 handle: each handle is given back exactly once.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace scrivlet::test {
namespace {

// A handle type whose releases are recorded, with -1 as "none" like the file
// handles, so that a mix-up of "none" and 0 shows.
std::vector<int> released;
void recordRelease(int handle) { released.push_back(handle); }
int noCounted() { return -1; }
using Counted = UniqueAny<int, recordRelease, noCounted>;

class UniqueAnyTest : public ::testing::Test {
protected:
    void SetUp() override { released.clear(); }
};

TEST_F(UniqueAnyTest, LeavingTheScopeReleasesOnce) {
    { Counted zero(0); }
    { Counted seven(7); }
    EXPECT_EQ(released, (std::vector<int>{0, 7}));
}

TEST_F(UniqueAnyTest, NothingHeldIsNothingReleased) {
    {
        Counted empty;
        Counted none(-1);
        EXPECT_FALSE(empty);
        EXPECT_FALSE(none);
    }
    EXPECT_TRUE(released.empty());
}

TEST_F(UniqueAnyTest, MovingHandsOverWithoutReleasing) {
    {
        Counted first(3);
        Counted second(std::move(first));
        EXPECT_TRUE(released.empty());
        EXPECT_FALSE(first);  // NOLINT(bugprone-use-after-move): moved-from is empty
        EXPECT_EQ(second.get(), 3);
    }
    EXPECT_EQ(released, std::vector<int>{3});
}

TEST_F(UniqueAnyTest, MoveAssignmentReleasesWhatWasHeld) {
    {
        Counted target(1);
        Counted source(2);
        target = std::move(source);
        EXPECT_EQ(released, std::vector<int>{1});
        EXPECT_EQ(target.get(), 2);
    }
    EXPECT_EQ(released, (std::vector<int>{1, 2}));
}

TEST_F(UniqueAnyTest, ResetReleaseAndPut) {
    Counted handle(4);
    handle.reset(5);
    EXPECT_EQ(released, std::vector<int>{4});
    EXPECT_EQ(handle.release(), 5);
    EXPECT_FALSE(handle);
    *handle.put() = 6;  // as a function filling an out-parameter would
    *handle.put() = 8;
    EXPECT_EQ(released, (std::vector<int>{4, 6}));
    handle.reset();
    EXPECT_EQ(released, (std::vector<int>{4, 6, 8}));
}

TEST(UniqueFile, ARealFileIsClosedWhenItsOwnerGoes) {
    char temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
    const std::string path = std::string(temp) + "scrivlet-handle-" +
                             std::to_string(GetCurrentProcessId()) + ".tmp";
    auto openAlone = [&] {
        return UniqueFile(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    {
        const UniqueFile first = openAlone();
        ASSERT_TRUE(first);
        EXPECT_FALSE(openAlone()) << "opened twice without sharing";
    }
    EXPECT_TRUE(openAlone()) << "the first handle was not closed";
    DeleteFileA(path.c_str());
}

// Selections end in reverse order, each putting back the object it replaced,
// so the DC holds its own pen again before any of the program's is deleted.
TEST(UniqueSelection, EachPutsBackWhatItReplaced) {
    const UniqueHdc dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    const HGDIOBJ own = GetCurrentObject(dc.get(), OBJ_PEN);
    const UniqueHpen outer(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    const UniqueHpen inner(CreatePen(PS_SOLID, 2, RGB(0, 0, 255)));
    {
        const UniqueSelection first = selectInto(dc.get(), outer.get());
        {
            const UniqueSelection second = selectInto(dc.get(), inner.get());
            EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), inner.get());
        }
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), outer.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), own);
}

}  // namespace
}  // namespace scrivlet::test
