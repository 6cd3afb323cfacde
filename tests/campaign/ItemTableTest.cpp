#include "campaign/ItemTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>
#include <string>

#include "campaign/CampaignItems.h"
#include "util/Fields.h"

namespace vandor {
namespace {

TEST(ItemTableTest, WarFundsForSeveralItemSets) {
    struct TCase {
        std::set<int> Items;
        int Conquered;
        int32_t Funds;
    };
    const TCase cases[] = {
        {{}, 0, 400},
        {{1, 2, 31, 64}, 3, 692},           // 400 + 150 + 2 + 100 + 40
        {{3, 4, 62, 63}, 14, 1132},         // 400 + 700 + 2 + 10 + 20
        {{5, 13, 16, 26, 32, 47}, 1, 450},  // items without funds
    };
    for (const TCase& c : cases) {
        TCryptMaps store;
        TQTDGameDat dat(store);
        for (int area = 1; area <= c.Conquered; ++area) dat.SetAreaStrength(area, 0);
        for (int item : c.Items) dat.SetItem(item, true);
        EXPECT_EQ(WarFunds(dat), c.Funds) << c.Conquered << " areas, " << c.Items.size() << " items";
    }
    TCryptMaps store;
    TQTDGameDat dat(store);
    for (int area = 1; area <= 5; ++area) dat.SetAreaStrength(area, 0);
    for (int item = 1; item <= kItemCount; ++item) dat.SetItem(item, true);
    EXPECT_EQ(WarFunds(dat), 824);  // 400 + 250 + 4 + 100 + 10 + 20 + 40
}

// The effect line a player reads first in an item's description and the row the
// rules apply must tell the same.
TEST(ItemTableTest, EveryRowSaysWhatTheItemsEffectLineSays) {
    const std::map<std::string, int> towers{{"星砦", 0},   {"自警団", 1}, {"弓騎兵", 2}, {"魔弓兵", 3},
                                            {"投石機", 4}, {"毒矢忍", 5}, {"祈祷師", 6}, {"魔術師", 7}};
    const std::map<std::string, int32_t> funds{
        {"軍資金 +1", 1}, {"軍資金 +10", 10}, {"軍資金 +20", 20}, {"軍資金 +40", 40}, {"軍資金 +100", 100}};
    for (int item = 1; item <= kItemCount; ++item) {
        const TItemEffect& effect = ItemEffect(item);
        const std::string line = SplitFields(ItemDescription(item))[0];
        const auto amount = funds.find(line);
        EXPECT_EQ(effect.Funds, amount == funds.end() ? 0 : amount->second) << item << " " << line;
        EXPECT_EQ(effect.ExtraAction, line == "行動回数 +1") << item << " " << line;

        const std::size_t blank = line.find(' ');
        const auto tower = towers.find(line.substr(0, blank));
        const std::string raised = blank == std::string::npos ? "" : line.substr(blank + 1);
        if (tower != towers.end() && (raised == "攻撃力+1" || raised == "祈祷力+1")) {
            EXPECT_EQ(effect.TowerType, tower->second) << item << " " << line;
            EXPECT_EQ(effect.Stat, TTowerStat::Attack) << item << " " << line;
        } else if (tower != towers.end() && raised == "攻撃速度+1") {
            EXPECT_EQ(effect.TowerType, tower->second) << item << " " << line;
            EXPECT_EQ(effect.Stat, TTowerStat::Speed) << item << " " << line;
        } else {
            EXPECT_EQ(effect.TowerType, -1) << item << " " << line;
            EXPECT_EQ(effect.Stat, TTowerStat::None) << item << " " << line;
        }
        // 5..15 close on the night line; 33..36 are consumables with flavour text only.
        EXPECT_EQ(effect.Consumable, (item >= 5 && item <= 15) || (item >= 33 && item <= 36)) << item;
        EXPECT_EQ(effect.Locked, item == 13) << item;
        EXPECT_EQ(effect.FirstTurn, item == 32 ? 30 : 0) << item;
    }
    for (int outside : {0, 65, -1}) {
        EXPECT_EQ(ItemEffect(outside).TowerType, -1);
        EXPECT_EQ(ItemEffect(outside).Funds, 0);
        EXPECT_FALSE(IsConsumable(outside));
    }
}

TEST(ItemTableTest, TowerBonusesActionsAndWhatTheDrawMayOffer) {
    TCryptMaps store;
    TQTDGameDat dat(store);
    for (int item : {16, 21, 26, 52, 53, 54, 55, 56, 60}) dat.SetItem(item, true);
    EXPECT_EQ(TowerItemBonus(dat, 0, TTowerStat::Attack), 20);
    EXPECT_EQ(TowerItemBonus(dat, 0, TTowerStat::Speed), 10);
    EXPECT_EQ(TowerItemBonus(dat, 6, TTowerStat::Attack), 50);
    EXPECT_EQ(TowerItemBonus(dat, 7, TTowerStat::Attack), 0);
    EXPECT_EQ(TowerItemBonus(dat, 7, TTowerStat::Speed), 10);
    EXPECT_EQ(TowerItemBonus(dat, 2, TTowerStat::Attack), 0);

    EXPECT_EQ(ActionsPerTurn(dat), 2);
    dat.SetItem(32, true);
    EXPECT_EQ(ActionsPerTurn(dat), 3);

    EXPECT_FALSE(Drawable(dat, 13));
    EXPECT_FALSE(Drawable(dat, 32));
    dat.SetItemUnlockFlag(true);
    dat.SetTurn(30);
    EXPECT_TRUE(Drawable(dat, 13));
    EXPECT_TRUE(Drawable(dat, 32));
    // A turn counter that went round past the 32-bit limit holds back item 32 alone.
    dat.SetTurn(INT32_MIN);
    EXPECT_FALSE(Drawable(dat, 32));
    EXPECT_TRUE(Drawable(dat, 1));
    EXPECT_TRUE(Drawable(dat, 64));
}

}  // namespace
}  // namespace vandor
