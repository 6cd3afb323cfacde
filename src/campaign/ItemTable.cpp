#include "campaign/ItemTable.h"

#include <iterator>

namespace vandor {
namespace {

// The battle's tower types, by the names the items' effect lines give them.
constexpr int kBase = 0;       // 星砦
constexpr int kMilitia = 1;    // 自警団, the simple tower
constexpr int kBow = 2;        // 弓騎兵
constexpr int kMagicBow = 3;   // 魔弓兵
constexpr int kCatapult = 4;   // 投石機
constexpr int kPoisonBow = 5;  // 毒矢忍
constexpr int kPrayer = 6;     // 祈祷師: its attack is the bonus it gives
constexpr int kMagic = 7;      // 魔術師

constexpr int32_t kBaseFunds = 400;
constexpr int32_t kFundsPerConquest = 50;
constexpr int32_t kActionsPerTurn = 2;

constexpr TItemEffect Funds(int32_t amount) { return {.Funds = amount}; }
constexpr TItemEffect Attack(int type) { return {.TowerType = type, .Stat = TTowerStat::Attack}; }
constexpr TItemEffect Speed(int type) { return {.TowerType = type, .Stat = TTowerStat::Speed}; }
constexpr TItemEffect kConsumable{.Consumable = true};

constexpr TItemEffect kItemEffects[] = {
    {},                                      // no item 0
    Funds(1),                                // 1
    Funds(1),                                // 2
    Funds(1),                                // 3
    Funds(1),                                // 4
    kConsumable,                             // 5
    kConsumable,                             // 6
    kConsumable,                             // 7
    kConsumable,                             // 8
    kConsumable,                             // 9
    kConsumable,                             // 10
    kConsumable,                             // 11
    kConsumable,                             // 12
    {.Consumable = true, .Locked = true},    // 13
    kConsumable,                             // 14
    kConsumable,                             // 15
    Attack(kBase),                           // 16
    Attack(kBow),                            // 17
    Attack(kMagicBow),                       // 18
    Attack(kCatapult),                       // 19
    Attack(kPoisonBow),                      // 20
    Attack(kBase),                           // 21
    Attack(kBow),                            // 22
    Attack(kMagicBow),                       // 23
    Attack(kCatapult),                       // 24
    Attack(kPoisonBow),                      // 25
    Speed(kBase),                            // 26
    Speed(kBow),                             // 27
    Speed(kMagicBow),                        // 28
    Speed(kCatapult),                        // 29
    Speed(kPoisonBow),                       // 30
    Funds(100),                              // 31
    {.ExtraAction = true, .FirstTurn = 30},  // 32
    kConsumable,                             // 33
    kConsumable,                             // 34
    kConsumable,                             // 35
    kConsumable,                             // 36
    Attack(kBase),                           // 37
    Attack(kBow),                            // 38
    Attack(kMagicBow),                       // 39
    Attack(kCatapult),                       // 40
    Attack(kPoisonBow),                      // 41
    Speed(kBase),                            // 42
    Speed(kBow),                             // 43
    Speed(kMagicBow),                        // 44
    Speed(kCatapult),                        // 45
    Speed(kPoisonBow),                       // 46
    Attack(kMilitia),                        // 47
    Attack(kMilitia),                        // 48
    Attack(kMilitia),                        // 49
    Speed(kMilitia),                         // 50
    Speed(kMilitia),                         // 51
    Attack(kPrayer),                         // 52
    Attack(kPrayer),                         // 53
    Attack(kPrayer),                         // 54
    Attack(kPrayer),                         // 55
    Attack(kPrayer),                         // 56
    Attack(kMagic),                          // 57
    Attack(kMagic),                          // 58
    Attack(kMagic),                          // 59
    Speed(kMagic),                           // 60
    Speed(kMagic),                           // 61
    Funds(10),                               // 62
    Funds(20),                               // 63
    Funds(40),                               // 64
};
static_assert(std::size(kItemEffects) == kItemCount + 1, "one row for every item");

}  // namespace

const TItemEffect& ItemEffect(int item) {
    return kItemEffects[item >= 1 && item <= kItemCount ? static_cast<std::size_t>(item) : 0];
}

bool IsConsumable(int item) { return ItemEffect(item).Consumable; }

int32_t WarFunds(const TQTDGameDat& campaign) {
    int32_t funds = kBaseFunds + kFundsPerConquest * campaign.ConqueredCount();
    for (int item = 1; item <= kItemCount; ++item) {
        if (campaign.HasItem(item)) funds += ItemEffect(item).Funds;
    }
    return funds;
}

int32_t TowerItemBonus(const TQTDGameDat& campaign, int type, TTowerStat stat) {
    int32_t percent = 0;
    for (int item = 1; item <= kItemCount; ++item) {
        const TItemEffect& effect = ItemEffect(item);
        if (effect.TowerType == type && effect.Stat == stat && campaign.HasItem(item)) percent += kTowerItemPercent;
    }
    return percent;
}

int32_t ActionsPerTurn(const TQTDGameDat& campaign) {
    int32_t actions = kActionsPerTurn;
    for (int item = 1; item <= kItemCount; ++item) {
        if (ItemEffect(item).ExtraAction && campaign.HasItem(item)) ++actions;
    }
    return actions;
}

bool Drawable(const TQTDGameDat& campaign, int item) {
    const TItemEffect& effect = ItemEffect(item);
    if (effect.Locked && !campaign.ItemUnlockFlag()) return false;
    return effect.FirstTurn <= 0 || campaign.Turn() >= effect.FirstTurn;
}

}  // namespace vandor
