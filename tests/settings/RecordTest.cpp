#include "settings/LaunchSettings.h"
#include "support/Files.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

TEST(LaunchSettings, WritesKeepTheRulesAndAreAnnounced) {
    LaunchSettings s;
    QSignalSpy texts(&s, &LaunchSettings::textChanged), checks(&s, &LaunchSettings::checkChanged);
    QSignalSpy dm(&s, &LaunchSettings::dmChanged), lists(&s, &LaunchSettings::listChanged);
    s.setText(Text::weaponsOrder, u"0123456789"_s);
    s.setText(Text::weaponsOrder, u"012345678"_s); // unchanged: not announced
    s.setText(Text::playerName, u"  "_s);
    EXPECT_EQ(s.text(Text::weaponsOrder) + s.text(Text::playerName), u"012345678  "_s);
    EXPECT_EQ(texts.count(), 2);
    // 3DFX and OpenGL exclude each other, whoever sets them; clearing one leaves the other.
    s.setCheck(Check::openGl, 1);
    s.setCheck(Check::threeDfx, 5);
    EXPECT_EQ(s.check(Check::threeDfx) * 10 + s.check(Check::openGl), 10);
    s.setCheck(Check::openGl, 1);
    s.setCheck(Check::threeDfx, 0);
    EXPECT_EQ(s.check(Check::threeDfx) * 10 + s.check(Check::openGl), 1);
    EXPECT_EQ(checks.count(), 5);
    s.setDm(DmOption::altDeath);
    s.setDm(DmOption::altDeath);
    EXPECT_EQ(dm.count(), 1);
    // Bot lists stay sorted and keep duplicates.
    for (const char* bot : {"zbot", "Abot", "mbot", "abot"})
        s.addToList(BotList::availableBots, QLatin1String(bot));
    s.addItemsToList(BotList::availableBots, {u"mbot"_s, u"b"_s});
    s.addItemsToList(BotList::availableBots, {});
    EXPECT_EQ(lists.count(), 5);
    EXPECT_EQ(s.list(BotList::availableBots), list("Abot|abot|b|mbot|mbot|zbot"));
    EXPECT_TRUE(s.moveBetweenLists(BotList::availableBots, 5) &&
                s.moveBetweenLists(BotList::availableBots, 0));
    EXPECT_EQ(s.list(BotList::selectedBots), list("Abot|zbot"));
    EXPECT_TRUE(s.moveBetweenLists(BotList::selectedBots, 1));
    EXPECT_FALSE(s.moveBetweenLists(BotList::availableBots, 5) ||
                 s.moveBetweenLists(BotList::selectedBots, -1));
    s.removeFromList(BotList::availableBots, 5);
    s.removeFromList(BotList::availableBots, -1);
    EXPECT_EQ(s.list(BotList::availableBots), list("abot|b|mbot|mbot|zbot"));
}
