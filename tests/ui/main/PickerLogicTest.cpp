#include "support/TempDir.h"

#include "ui/main/PickerLogic.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace bv;

TEST(PwadEntry, BelowTheDoomDirectoryIsRelativeInThePathsOwnCase) {
    EXPECT_EQ(pwadEntry("C:\\DOOM2\\WADS\\Mine.wad", "c:\\doom2"), "WADS\\Mine.wad");
    EXPECT_EQ(pwadEntry("/home/u/Doom/wads/x.WAD", "/home/u/doom"), "wads/x.WAD");
    EXPECT_EQ(pwadEntry("c:\\doom2\\b.deh", "c:\\doom2\\"), "b.deh");
}

TEST(PwadEntry, ElsewhereIsTheFullPath) {
    EXPECT_EQ(pwadEntry("D:\\Other\\x.wad", "c:\\doom2"), "D:\\Other\\x.wad");
    // A sibling folder that merely starts with the same letters is not below it.
    EXPECT_EQ(pwadEntry("c:\\doom2x\\a.wad", "c:\\doom2"), "c:\\doom2x\\a.wad");
    EXPECT_EQ(pwadEntry("/doom", "/doom"), "/doom");
    EXPECT_EQ(pwadEntry("/doom/", "/doom"), "/doom/");
    EXPECT_EQ(pwadEntry("/a.wad", ""), "/a.wad");
}

TEST(PwadList, EntriesAreSeparatedByOneBlank) {
    EXPECT_EQ(appendPwad("", "a.wad"), "a.wad");
    EXPECT_EQ(appendPwad("a.wad", "b.deh"), "a.wad b.deh");
    EXPECT_EQ(appendPwad("a.wad b.deh", "a.wad"), "a.wad b.deh a.wad");
}

TEST(WeaponsOrder, AppendsUntilNineCodes) {
    EXPECT_EQ(appendWeapon("", QLatin1Char('8')), "8");
    EXPECT_EQ(appendWeapon("01457632", QLatin1Char('8')), "014576328");
    EXPECT_EQ(appendWeapon("014576328", QLatin1Char('3')), "014576328");
}

TEST(DemoName, DropsTheExtension) {
    EXPECT_EQ(demoName("demo1.lmp"), "demo1");
    EXPECT_EQ(demoName(".lmp"), "");
    EXPECT_EQ(demoName("x"), "");
}

TEST(MatchingFileNames, IgnoresCaseAndSkipsFoldersAndHiddenFiles) {
    QTemporaryDir dir;
    for (const char* name : {"b.CFG", "A.cfg", "c.Cfg", "d.cfg.bak", "e.txt", ".hidden.cfg",
                             "demo1.lmp", "demo22.lmp"})
        ASSERT_TRUE(bv::test::writeBytes(bv::test::pathIn(dir, QLatin1String(name)), ""));
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub.cfg"));
    EXPECT_EQ(matchingFileNames(dir.path(), "*.CFG"), QStringList({"A.cfg", "b.CFG", "c.Cfg"}));
    // Other wildcards keep their meaning.
    EXPECT_EQ(matchingFileNames(dir.path(), "demo?.lmp"), QStringList({"demo1.lmp"}));
    EXPECT_EQ(
        matchingFileNames(dir.path(), "*"),
        QStringList({"A.cfg", "b.CFG", "c.Cfg", "d.cfg.bak", "demo1.lmp", "demo22.lmp", "e.txt"}));
    EXPECT_TRUE(matchingFileNames(dir.path() + "/missing", "*.CFG").isEmpty());
    EXPECT_TRUE(matchingFileNames("", "*.CFG").isEmpty());
}

TEST(RandomLevel, CoversOneToThirtyTwoAndRepeatsFromAFreshStart) {
    RandomLevel first;
    std::vector<int> drawn;
    std::vector<int> counts(33, 0);
    for (int i = 0; i < 32000; ++i) {
        drawn.push_back(first.next());
        ASSERT_GE(drawn.back(), 1);
        ASSERT_LE(drawn.back(), 32);
        ++counts[static_cast<size_t>(drawn.back())];
    }
    // Roughly uniform: every level near its 1000 expected draws.
    for (int level = 1; level <= 32; ++level) {
        EXPECT_GT(counts[static_cast<size_t>(level)], 800) << level;
        EXPECT_LT(counts[static_cast<size_t>(level)], 1200) << level;
    }
    RandomLevel again;
    for (int value : drawn)
        ASSERT_EQ(again.next(), value);
}
