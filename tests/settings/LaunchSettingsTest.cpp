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
        {Text::executable, "Doom3.exe"},
        {Text::heap, "10"},
        {Text::width, "320"},
        {Text::height, "200"},
        {Text::weaponsOrder, "014576328"},
        {Text::botSkill, "2"},
        {Text::playerName, "GI JOE"},
        {Text::computerName, "GI JOE'S COMPUTER"},
        {Text::comPorts, "com3,57600"},
        {Text::doomaticMaxPlayers, "4"},
        {Text::doomDirectory, "c:\\doom2"},
        {Text::warp, ""},
        {Text::demoDirectory, ""},
        {Text::hx8ParameterFile, ""},
    };
    for (const auto& t : texts)
        EXPECT_EQ(s.text(t.field), QString::fromLatin1(t.value)) << static_cast<int>(t.field);
    for (int i = 0; i < kCheckCount; ++i) {
        const auto field = static_cast<Check>(i);
        EXPECT_EQ(s.check(field), field == Check::monsters ? 1 : 0) << static_cast<int>(field);
    }
    EXPECT_EQ(s.dm(), DmOption::none);
    EXPECT_TRUE(s.list(BotList::availableBots).isEmpty());
}

TEST(LaunchSettings, WeaponsOrderIsCutToNineAndBlanksAreKept) {
    LaunchSettings s;
    s.setText(Text::weaponsOrder, QStringLiteral("0123456789"));
    EXPECT_EQ(s.text(Text::weaponsOrder), QStringLiteral("012345678"));
    s.setText(Text::playerName, QStringLiteral("   "));
    EXPECT_EQ(s.text(Text::playerName), QStringLiteral("   "));
    s.setText(Text::playerName, QString());
    EXPECT_TRUE(s.text(Text::playerName).isEmpty());
}

TEST(LaunchSettings, ThreeDfxAndOpenGlExcludeEachOther) {
    LaunchSettings s;
    s.setCheck(Check::openGl, 1);
    s.setCheck(Check::threeDfx, 1);
    EXPECT_EQ(s.check(Check::openGl), 0);
    s.setCheck(Check::threeDfx, 0);
    EXPECT_EQ(s.check(Check::openGl), 0);
    s.setCheck(Check::openGl, 1);
    EXPECT_EQ(s.check(Check::threeDfx), 0);
    s.setCheck(Check::openGl, 0);
    EXPECT_EQ(s.check(Check::threeDfx), 0);
}

TEST(LaunchSettings, WritesAreObservable) {
    LaunchSettings s;
    QSignalSpy texts(&s, &LaunchSettings::textChanged);
    QSignalSpy checks(&s, &LaunchSettings::checkChanged);
    QSignalSpy dm(&s, &LaunchSettings::dmChanged);
    s.setText(Text::warp, QStringLiteral("07"));
    s.setText(Text::warp, QStringLiteral("07")); // unchanged: no notification
    s.setCheck(Check::openGl, 1);
    s.setCheck(Check::threeDfx, 1); // and GL cleared
    s.setDm(DmOption::altDeath);
    EXPECT_EQ(texts.count(), 1);
    EXPECT_EQ(checks.count(), 3);
    EXPECT_EQ(dm.count(), 1);
    EXPECT_EQ(s.dm(), DmOption::altDeath);
}

TEST(LaunchSettings, BotListsStaySortedWithDuplicates) {
    LaunchSettings s;
    s.addToList(BotList::availableBots, QStringLiteral("zbot"));
    s.addToList(BotList::availableBots, QStringLiteral("Abot"));
    s.addToList(BotList::availableBots, QStringLiteral("mbot"));
    s.addToList(BotList::availableBots, QStringLiteral("abot"));
    s.addItemsToList(BotList::availableBots, {QStringLiteral("mbot"), QStringLiteral("b")});
    EXPECT_EQ(s.list(BotList::availableBots),
              QStringList({"Abot", "abot", "b", "mbot", "mbot", "zbot"}));
    EXPECT_TRUE(s.moveBetweenLists(BotList::availableBots, 5));
    EXPECT_TRUE(s.moveBetweenLists(BotList::availableBots, 0));
    EXPECT_EQ(s.list(BotList::selectedBots), QStringList({"Abot", "zbot"}));
    EXPECT_FALSE(s.moveBetweenLists(BotList::availableBots, 17));
    EXPECT_FALSE(s.moveBetweenLists(BotList::selectedBots, -1));
    EXPECT_EQ(s.list(BotList::availableBots).size(), 4);
}

TEST(ConsoleOptions, RejectsComponentsOutsideTheRange) {
    ConsoleOptions o;
    EXPECT_EQ(o.values(), (std::array<int, 6>{0, 0, 0, 255, 215, 0}));
    EXPECT_FALSE(o.setValue(ConsoleOptions::textRed, 256));
    EXPECT_FALSE(o.setValue(ConsoleOptions::textRed, -1));
    EXPECT_TRUE(o.setValue(ConsoleOptions::textRed, 0));
    EXPECT_EQ(o.value(ConsoleOptions::textRed), 0);
}
