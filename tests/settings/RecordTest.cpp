#include "settings/LaunchSettings.h"
#include "support/Files.h"

#include <gtest/gtest.h>

// Bot lists sort without regard to case and keep duplicates; only a row that is there moves.
TEST(LaunchSettings, BotListsStaySortedAndMoveOnlyWhatIsThere) {
    LaunchSettings s;
    s.addItemsToList(BotList::availableBots, list("zbot|Abot|mbot|abot|mbot|B"));
    EXPECT_TRUE(s.moveBetweenLists(BotList::availableBots, 5) &&
                s.moveBetweenLists(BotList::availableBots, 0));
    EXPECT_FALSE(s.moveBetweenLists(BotList::availableBots, 4) ||
                 s.moveBetweenLists(BotList::selectedBots, -1));
    s.removeFromList(BotList::availableBots, 4);
    s.removeFromList(BotList::availableBots, -1);
    EXPECT_EQ(s.list(BotList::availableBots) + s.list(BotList::selectedBots),
              list("abot|B|mbot|mbot|Abot|zbot"));
}
