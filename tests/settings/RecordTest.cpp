#include "settings/LaunchSettings.h"
#include "settings/StoredValues.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace bv;

TEST(LaunchSettings, AFreshStartHoldsTheDefaults) {
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
    };
    for (const auto& t : texts)
        EXPECT_EQ(s.text(t.field), QLatin1String(t.value)) << static_cast<int>(t.field);
    for (int i = 0; i < kCheckCount; ++i)
        EXPECT_EQ(s.check(Check(i)), Check(i) == Check::monsters ? 1 : 0) << i;
    EXPECT_EQ(s.dm(), DmOption::none);
}

TEST(LaunchSettings, WritesKeepTheRulesAndAreAnnounced) {
    LaunchSettings s;
    QSignalSpy texts(&s, &LaunchSettings::textChanged);
    QSignalSpy checks(&s, &LaunchSettings::checkChanged);
    QSignalSpy dm(&s, &LaunchSettings::dmChanged);
    s.setText(Text::weaponsOrder, QStringLiteral("0123456789"));
    EXPECT_EQ(s.text(Text::weaponsOrder), QStringLiteral("012345678"));
    s.setText(Text::weaponsOrder, QStringLiteral("012345678")); // unchanged: not announced
    s.setText(Text::playerName, QStringLiteral("  "));
    EXPECT_EQ(s.text(Text::playerName), QStringLiteral("  "));
    EXPECT_EQ(texts.count(), 2);
    // 3DFX and OpenGL exclude each other, whoever sets them; clearing one leaves the other.
    s.setCheck(Check::openGl, 1);
    s.setCheck(Check::threeDfx, 5);
    EXPECT_EQ(s.check(Check::threeDfx), 1);
    EXPECT_EQ(s.check(Check::openGl), 0);
    s.setCheck(Check::threeDfx, 0);
    EXPECT_EQ(s.check(Check::openGl), 0);
    s.setCheck(Check::openGl, 1);
    EXPECT_EQ(s.check(Check::threeDfx), 0);
    EXPECT_EQ(checks.count(), 5);
    s.setDm(DmOption::altDeath);
    s.setDm(DmOption::altDeath);
    EXPECT_EQ(dm.count(), 1);
}

TEST(LaunchSettings, BotListsStaySortedAndKeepDuplicates) {
    LaunchSettings s;
    QSignalSpy lists(&s, &LaunchSettings::listChanged);
    for (const char* bot : {"zbot", "Abot", "mbot", "abot"})
        s.addToList(BotList::availableBots, QLatin1String(bot));
    s.addItemsToList(BotList::availableBots, {QStringLiteral("mbot"), QStringLiteral("b")});
    s.addItemsToList(BotList::availableBots, {});
    EXPECT_EQ(lists.count(), 5);
    EXPECT_EQ(s.list(BotList::availableBots),
              QStringList({"Abot", "abot", "b", "mbot", "mbot", "zbot"}));
    EXPECT_TRUE(s.moveBetweenLists(BotList::availableBots, 5));
    EXPECT_TRUE(s.moveBetweenLists(BotList::availableBots, 0));
    EXPECT_EQ(s.list(BotList::selectedBots), QStringList({"Abot", "zbot"}));
    EXPECT_TRUE(s.moveBetweenLists(BotList::selectedBots, 1));
    EXPECT_FALSE(s.moveBetweenLists(BotList::availableBots, 5));
    EXPECT_FALSE(s.moveBetweenLists(BotList::selectedBots, -1));
    EXPECT_EQ(s.list(BotList::availableBots), QStringList({"abot", "b", "mbot", "mbot", "zbot"}));
}

TEST(ConsoleOptions, ComponentsAndValuesOutsideTheirRangeAreRefused) {
    ConsoleOptions o;
    EXPECT_EQ(o.values(), (std::array<int, 6>{0, 0, 0, 255, 215, 0}));
    for (const auto& [component, value] :
         {std::pair{-1, 5}, {6, 5}, {ConsoleOptions::textRed, 256}, {ConsoleOptions::textRed, -1}})
        EXPECT_FALSE(o.setValue(component, value)) << component << " " << value;
    EXPECT_TRUE(o.setValue(ConsoleOptions::textRed, 0));
    EXPECT_EQ(o.values(), (std::array<int, 6>{0, 0, 0, 0, 215, 0}));
    o.setDocked(7);
    EXPECT_EQ(o.docked(), 1);
}

// What startup takes from the per-user store, and what it skips (nullopt keeps the value).
TEST(StoredValues, OnlyUsableValuesAreTaken) {
    const QString huge(100000, QLatin1Char('7'));
    const std::optional<int> none;
    for (const auto& [text, twips] : {std::pair{"1500", std::optional(1500)},
                                      {" -1500 ", -1500},
                                      {"1500.6", 1501},
                                      {"100000000", 100000000},
                                      {"", none},
                                      {"1e300", none},
                                      {"top", none},
                                      {"99999999999999999999", none},
                                      {"inf", none}})
        EXPECT_EQ(storedTwips(QLatin1String(text)), twips) << text;
    EXPECT_EQ(storedTwips(huge), none);
    for (const auto& [text, dock] : {std::pair{"0", std::optional(0)},
                                     {"1.0", 1},
                                     {"2", none},
                                     {"-1", none},
                                     {"0.5", none},
                                     {"", none},
                                     {"x", none}})
        EXPECT_EQ(storedCheck(QLatin1String(text)), dock) << text;
    for (const auto& [text, shown] : {std::pair{"True", std::optional(true)},
                                      {"FALSE", false},
                                      {" true ", true},
                                      {"0", false},
                                      {"2.5", true},
                                      {"", std::optional<bool>()},
                                      {"maybe", std::optional<bool>()}})
        EXPECT_EQ(storedBoolean(QLatin1String(text)), shown) << text;
}
