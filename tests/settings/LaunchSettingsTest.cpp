#include "settings/LaunchSettings.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace bv;

TEST(LaunchSettings, DefaultsOfAFreshStart) {
    const LaunchSettings s;
    const struct {
        Text field;
        const char* value;
    } texts[] = {
        {Text::comboEXE, "Doom3.exe"},
        {Text::txtHeap, "10"},
        {Text::txtWidth, "320"},
        {Text::txtHeight, "200"},
        {Text::txtWeap, "014576328"},
        {Text::txtBotSkill, "2"},
        {Text::txtName, "GI JOE"},
        {Text::txtComputerName, "GI JOE'S COMPUTER"},
        {Text::txtComPorts, "com3,57600"},
        {Text::txtMax, "4"},
        {Text::txtDir, "c:\\doom2"},
        {Text::txtWarp, ""},
        {Text::txtDemoDir, ""},
        {Text::txtParFile, ""},
    };
    for (const auto& t : texts)
        EXPECT_EQ(s.text(t.field), QString::fromLatin1(t.value)) << controlName(t.field);
    for (int i = 0; i < kCheckCount; ++i) {
        const auto field = static_cast<Check>(i);
        EXPECT_EQ(s.check(field), field == Check::checkMon ? 1 : 0) << controlName(field);
    }
    EXPECT_EQ(s.dm(), DmOption::optionDMNone);
    EXPECT_TRUE(s.list(BotList::fileBots).isEmpty());
}

TEST(LaunchSettings, WeaponsOrderIsCutToNineAndBlanksAreKept) {
    LaunchSettings s;
    s.setText(Text::txtWeap, QStringLiteral("0123456789"));
    EXPECT_EQ(s.text(Text::txtWeap), QStringLiteral("012345678"));
    s.setText(Text::txtName, QStringLiteral("   "));
    EXPECT_EQ(s.text(Text::txtName), QStringLiteral("   "));
    s.setText(Text::txtName, QString());
    EXPECT_TRUE(s.text(Text::txtName).isEmpty());
}

TEST(LaunchSettings, ThreeDfxAndOpenGlExcludeEachOther) {
    LaunchSettings s;
    s.setCheck(Check::checkGL, 1);
    s.setCheck(Check::check3DFX, 1);
    EXPECT_EQ(s.check(Check::checkGL), 0);
    s.setCheck(Check::check3DFX, 0);
    EXPECT_EQ(s.check(Check::checkGL), 0);
    s.setCheck(Check::checkGL, 1);
    EXPECT_EQ(s.check(Check::check3DFX), 0);
    s.setCheck(Check::checkGL, 0);
    EXPECT_EQ(s.check(Check::check3DFX), 0);
}

TEST(LaunchSettings, WritesAreObservable) {
    LaunchSettings s;
    QSignalSpy texts(&s, &LaunchSettings::textChanged);
    QSignalSpy checks(&s, &LaunchSettings::checkChanged);
    QSignalSpy dm(&s, &LaunchSettings::dmChanged);
    s.setText(Text::txtWarp, QStringLiteral("07"));
    s.setText(Text::txtWarp, QStringLiteral("07")); // unchanged: no notification
    s.setCheck(Check::checkGL, 1);
    s.setCheck(Check::check3DFX, 1); // and GL cleared
    s.setDm(DmOption::optionDM2);
    EXPECT_EQ(texts.count(), 1);
    EXPECT_EQ(checks.count(), 3);
    EXPECT_EQ(dm.count(), 1);
    EXPECT_EQ(s.dm(), DmOption::optionDM2);
}

TEST(LaunchSettings, BotListsStaySortedWithDuplicates) {
    LaunchSettings s;
    s.addToList(BotList::fileBots, QStringLiteral("zbot"));
    s.addToList(BotList::fileBots, QStringLiteral("Abot"));
    s.addToList(BotList::fileBots, QStringLiteral("mbot"));
    s.addToList(BotList::fileBots, QStringLiteral("abot"));
    s.addItemsToList(BotList::fileBots, {QStringLiteral("mbot"), QStringLiteral("b")});
    EXPECT_EQ(s.list(BotList::fileBots),
              QStringList({"Abot", "abot", "b", "mbot", "mbot", "zbot"}));
    EXPECT_TRUE(s.moveBetweenLists(BotList::fileBots, 5));
    EXPECT_TRUE(s.moveBetweenLists(BotList::fileBots, 0));
    EXPECT_EQ(s.list(BotList::listUseBots), QStringList({"Abot", "zbot"}));
    EXPECT_FALSE(s.moveBetweenLists(BotList::fileBots, 17));
    EXPECT_FALSE(s.moveBetweenLists(BotList::listUseBots, -1));
    EXPECT_EQ(s.list(BotList::fileBots).size(), 4);
}

TEST(ConsoleOptions, RejectsComponentsOutsideTheRange) {
    ConsoleOptions o;
    EXPECT_EQ(o.values(), (std::array<int, 6>{0, 0, 0, 255, 215, 0}));
    EXPECT_FALSE(o.setValue(ConsoleOptions::redFore, 256));
    EXPECT_FALSE(o.setValue(ConsoleOptions::redFore, -1));
    EXPECT_TRUE(o.setValue(ConsoleOptions::redFore, 0));
    EXPECT_EQ(o.value(ConsoleOptions::redFore), 0);
}
