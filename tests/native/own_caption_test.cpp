#include <gtest/gtest.h>

#include "platform/sim/sim_system.h"
#include "tracking/own_caption.h"
#include "version.h"

namespace scrivlet {
namespace {

TEST(VersionText, FlagsChooseTheForm) {
    const struct {
        int flags;
        int revision;
        const char* text;
    } cases[] = {
        {257, 338, "2.3c"}, {257, 99, "2.3"},      {257, 100, "2.3a"}, {257, 250, "2.3b"},
        {257, 350, "2.3d"}, {0, 338, " (V2.3.338)"}, {1, 338, "2.3.338"}, {256, 338, " (V2.3c)"},
        {2, 338, ""},       {0x1FF, 338, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(versionText(c.flags, {2, 3, c.revision}), c.text) << c.flags << "/" << c.revision;
}

// The build derives the short version for the zips' names; the captions
// compose it at run time, and both must name the same version.
TEST(VersionText, TheProgramsShortVersionIsTheBuilds) {
    EXPECT_EQ(versionText(0x101), VersionShort);
}

TEST(OwnCaption, PrefixFollowsThePlatformFamily) {
    const std::string version(VersionShort);
    EXPECT_EQ(ownCaption("", true), "• Scrivlet " + version);
    EXPECT_EQ(ownCaption("Debugger", true), "• Scrivlet " + version + " - Debugger");
    EXPECT_EQ(ownCaption("Satellit", false), ":: Scrivlet " + version + " - Satellit");
    EXPECT_EQ(ownCaption("", true).substr(0, 3), "\xE2\x80\xA2");  // the bullet, U+2022
}

TEST(OwnCaption, NtFamilyIsPlatformTwo) {
    SimSystem system;
    for (unsigned id : {0u, 1u, 2u, 3u}) {
        system.platformId_ = id;
        EXPECT_EQ(isNtPlatform(system), id == 2) << id;
    }
}

}  // namespace
}  // namespace scrivlet
