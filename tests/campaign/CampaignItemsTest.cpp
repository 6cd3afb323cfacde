#include "campaign/CampaignItems.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "campaign/GameDat.h"
#include "util/Fields.h"

namespace vandor {
namespace {

std::string EffectLine(int item) { return SplitFields(ItemDescription(item))[0]; }

TEST(CampaignItemsTest, EffectLinesAreTheOnesTheBattleAndTheFundsApply) {
    const char* towers[5] = {"星砦", "弓騎兵", "魔弓兵", "投石機", "毒矢忍"};
    for (int k = 0; k < 5; ++k) {
        const std::string attack = std::string(towers[k]) + " 攻撃力+1";
        const std::string speed = std::string(towers[k]) + " 攻撃速度+1";
        EXPECT_EQ(EffectLine(16 + k), attack);
        EXPECT_EQ(EffectLine(21 + k), attack);
        EXPECT_EQ(EffectLine(26 + k), speed);
        // These carry the effect line alone.
        EXPECT_EQ(std::string(ItemDescription(37 + k)), attack);
        EXPECT_EQ(std::string(ItemDescription(42 + k)), speed);
    }
    for (int item = 1; item <= 4; ++item) EXPECT_EQ(EffectLine(item), "軍資金 +1");
    for (int item = 5; item <= 15; ++item) {
        EXPECT_EQ(SplitFields(ItemDescription(item)).back(), "夜の営みの際に使用。使うと無くなる。") << item;
    }
    EXPECT_EQ(EffectLine(31), "軍資金 +100");
    EXPECT_EQ(EffectLine(32), "行動回数 +1");
    for (int item = 47; item <= 49; ++item) EXPECT_EQ(EffectLine(item), "自警団 攻撃力+1");
    for (int item = 50; item <= 51; ++item) EXPECT_EQ(EffectLine(item), "自警団 攻撃速度+1");
    for (int item = 52; item <= 56; ++item) EXPECT_EQ(EffectLine(item), "祈祷師 祈祷力+1");
    for (int item = 57; item <= 59; ++item) EXPECT_EQ(EffectLine(item), "魔術師 攻撃力+1");
    for (int item = 60; item <= 61; ++item) EXPECT_EQ(EffectLine(item), "魔術師 攻撃速度+1");
    EXPECT_EQ(EffectLine(62), "軍資金 +10");
    EXPECT_EQ(EffectLine(63), "軍資金 +20");
    EXPECT_EQ(EffectLine(64), "軍資金 +40");

    std::set<std::string> names;
    for (int item = 1; item <= kItemCount; ++item) {
        EXPECT_FALSE(std::string(ItemName(item)).empty()) << item;
        names.insert(ItemName(item));
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kItemCount)) << "every item has a name of its own";
    EXPECT_STREQ(ItemName(0), "");
    EXPECT_STREQ(ItemDescription(65), "");
}

TEST(CampaignItemsTest, WarFundsCountConquestsAndTheFundsItems) {
    TCryptMaps store;
    TQTDGameDat dat(store);
    EXPECT_EQ(WarFunds(dat), 400);
    dat.SetAreaStrength(3, 0);
    dat.SetAreaStrength(9, 0);
    EXPECT_EQ(WarFunds(dat), 500);
    for (int item : {2, 4, 31, 62, 63, 64, 5, 32}) dat.SetItem(item, true);
    EXPECT_EQ(WarFunds(dat), 500 + 1 + 1 + 100 + 10 + 20 + 40);
}

}  // namespace
}  // namespace vandor
