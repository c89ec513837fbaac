#include "settings/LaunchSettings.h"
#include "settings/StoredValues.h"
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

// What startup takes from the per-user store: "text=taken", "-" for nothing (the value stays).
TEST(StoredValues, OnlyUsableValuesAreTaken) {
    const auto expectTaken = [](auto read, const char* rows) {
        for (const QString& row : list(rows)) {
            const auto taken = read(row.section(QLatin1Char('='), 0, 0));
            EXPECT_EQ(taken ? QString::number(*taken) : u"-"_s, row.section(QLatin1Char('='), 1));
        }
    };
    expectTaken(storedTwips, "1500=1500| -1500 =-1500|1500.6=1501|100000000=100000000|=-|1e300=-|"
                             "top=-|-100000001=-|99999999999999999999=-|inf=-");
    expectTaken(storedCheck, "0=0|1.0=1|2=-|-1=-|0.5=-|=-|x=-");
    expectTaken(storedBoolean, "True=1|FALSE=0| true =1|0=0|2.5=1|=-|maybe=-");
    EXPECT_EQ(storedTwips(QString(100000, QLatin1Char('7'))), std::nullopt);
}
