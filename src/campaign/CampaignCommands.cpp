#include "campaign/CampaignCommands.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <memory>
#include <string_view>

#include "campaign/GameDat.h"
#include "campaign/ItemTable.h"
#include "compositor/LayerList.h"
#include "util/DebugLog.h"
#include "util/Random.h"
#include "util/Wrapping.h"

namespace vandor {
namespace {

constexpr int kTopBarHeight = 38;
constexpr int kInfoLayerDepth = 160;  // before backgrounds and pictures, behind the message window
constexpr int kMaxTrainingOrAffection = 15;
constexpr std::size_t kItemPool = 96;

TLayerItem& AddScreen(TLayerList& stage, int height, int z) {
    auto surface = std::make_unique<TBitmap32>(stage.Surface.Width(), height);
    surface->SetDrawMode(TDrawMode::dmBlend);
    surface->Font.Name = "ＭＳ ゴシック";
    TLayerItem& layer = stage.AddBitmap(std::move(surface), 0, 0, z, kAnchorTopLeft);
    layer.SetVisible(false);
    layer.HitAlpha = kHitNever;
    return layer;
}

int32_t Clamped(int32_t value) { return std::clamp(value, 0, kMaxTrainingOrAffection); }

// Word 1 as a number; -1 when it is missing or no number.
int NumberArgument(TFields& fields) {
    PadFields(fields, 2);
    return ToNumber(fields[1], -1);
}

}  // namespace

struct TCampaignCommands::TCommand {
    std::string_view Word;
    void (TCampaignCommands::*Handler)(TFields& fields);
};

const TCampaignCommands::TCommand TCampaignCommands::kCommands[] = {
    {"初期化", &TCampaignCommands::Initialize},
    {"周回リセット", &TCampaignCommands::ResetCycle},
    {"戦闘開始", &TCampaignCommands::StartBattle},
    {"アイテム情報", &TCampaignCommands::ItemList},
    {"戦場情報", &TCampaignCommands::AreaStrengths},
    {"上部情報", &TCampaignCommands::StatusBar},
    {"ヴァンドルルート", &TCampaignCommands::SetRoute},
    {"アイテム消費", &TCampaignCommands::ConsumeItem},
    {"アイテム取得", &TCampaignCommands::GainItem},
    {"取得アイテム選定", &TCampaignCommands::DrawRandomItem},
    {"ヒロイン登場", &TCampaignCommands::HeroineEnters},
    {"ヒロイン退場", &TCampaignCommands::HeroineLeaves},
    // The engine lower-cases the letters of a command word: "通過3P" arrives so.
    {"通過3p", &TCampaignCommands::SetPassFlag},
    {"行動", &TCampaignCommands::Act},
    {"シャットダウン", &TCampaignCommands::Shutdown},
    {"つづきから", &TCampaignCommands::Continue},
};

TCampaignCommands::TCampaignCommands(TQTDGameDat& campaign, TLayerList& stage, std::mt19937& random, TDebugLog* log)
    : Campaign_(campaign),
      Stage_(stage),
      Random_(random),
      Log_(log),
      TopBar_(AddScreen(stage, kTopBarHeight, 0)),
      InfoLayer_(AddScreen(stage, stage.Surface.Height(), kInfoLayerDepth)) {}

bool TCampaignCommands::IsCommand(std::string_view word) {
    return std::any_of(std::begin(kCommands), std::end(kCommands),
                       [&](const TCommand& command) { return command.Word == word; });
}

bool TCampaignCommands::IsHideWord(std::string_view word) { return IsOneOf(word, {"消", "消去"}); }

bool TCampaignCommands::Run(TFields& fields) {
    if (fields.empty()) return false;
    for (const TCommand& command : kCommands) {
        if (fields[0] != command.Word) continue;
        if (Log_) Log_->RemoveLast();
        (this->*command.Handler)(fields);
        return true;
    }
    return false;
}

void TCampaignCommands::HideScreens() {
    TopBar_.SetVisible(false);
    InfoLayer_.SetVisible(false);
}

void TCampaignCommands::Initialize(TFields&) { Campaign_.ResetAll(); }

void TCampaignCommands::ResetCycle(TFields&) { Campaign_.ResetCycle(); }

// [戦闘開始/area/defeat script/defeat label]: the area gives up one battle's
// strength, and the battle runs from the next frame on.
void TCampaignCommands::StartBattle(TFields& fields) {
    PadFields(fields, fields.size() + 3);
    DefeatLabel = fields[3];
    DefeatScript = fields[2];
    if (DefeatLabel.empty() && DefeatScript.empty()) {
        DefeatLabel = kDefaultDefeatLabel;
        DefeatScript = kDefaultDefeatScript;
    }
    InfoLayer_.SetVisible(false);
    const int area = ToNumber(fields[1], -1);
    int32_t strength = 1;
    if (area > 0) {
        strength = Campaign_.AreaStrength(area);
        Campaign_.SetAreaBattles(area, WrappingAdd(Campaign_.AreaBattles(area), 1));
        if (strength > 0) Campaign_.SetAreaStrength(area, strength - 1);
    }
    if (Hooks.StartBattle) Hooks.StartBattle(area, strength);
}

void TCampaignCommands::SetRoute(TFields&) { Campaign_.SetRouteFlag(true); }

// Only the consumables go. Using a locked item opens it to the random draw for good.
void TCampaignCommands::ConsumeItem(TFields& fields) {
    const bool routeWord = fields.size() >= 3 && fields[2] == "ヴァンドル";
    const int item = NumberArgument(fields);
    CurrentItem = item;
    if (IsConsumable(item)) {
        Campaign_.SetItem(item, false);
        if (ItemEffect(item).Locked) Campaign_.SetItemUnlockFlag(true);
    } else {
        CurrentItem = -1;
    }
    if (routeWord) Campaign_.SetRouteItemFlag(true);
}

void TCampaignCommands::GainItem(TFields& fields) {
    const int item = NumberArgument(fields);
    CurrentItem = item;
    if (item >= 1 && item <= kItemCount) {
        Campaign_.SetItem(item, true);
        if (ItemEffect(item).Locked) Campaign_.SetItemUnlockFlag(true);
    } else {
        CurrentItem = -1;
    }
}

// The pool repeats the missing items in item order until its 96 entries are used, so
// every missing item is about equally likely; a locked item (13) waits for its unlock
// and item 32 for its turn. With nothing left to find the pool stays empty and the
// draw gives -1.
void TCampaignCommands::DrawRandomItem(TFields&) {
    std::array<int, kItemPool> pool;
    pool.fill(-1);
    std::size_t count = 0;
    int item = 1;
    do {
        if (item > kItemCount) item = 1;
        if (!Campaign_.HasItem(item)) pool[count++] = item;
        ++item;
        while (item <= kItemCount && !Drawable(Campaign_, item)) ++item;
    } while (count < kItemPool && (item <= kItemCount || count > 0));
    CurrentItem = pool[static_cast<std::size_t>(RandomBelow(Random_, static_cast<int>(kItemPool)))];
    if (CurrentItem >= 0) Campaign_.SetItem(CurrentItem, true);
}

void TCampaignCommands::HeroineEnters(TFields& fields) {
    if (const int heroine = NumberArgument(fields); heroine >= 1) Campaign_.SetHeroinePresent(heroine, true);
}

void TCampaignCommands::HeroineLeaves(TFields& fields) {
    if (const int heroine = NumberArgument(fields); heroine >= 1) Campaign_.SetHeroinePresent(heroine, false);
}

void TCampaignCommands::SetPassFlag(TFields& fields) {
    if (const int flag = NumberArgument(fields); flag >= 0) Campaign_.SetPassFlag(flag, true);
}

// [行動/進行] begins a new turn, [行動/進行/a] advances area a's story. Training and
// courting a heroine each cost an action and trade one of her values for the other;
// the lowered value never drops below 1 through them. The scripts test the actions
// left before they offer one. A save may hold any value, so every step wraps around
// as a 32-bit integer.
void TCampaignCommands::Act(TFields& fields) {
    PadFields(fields, fields.size() + 2);
    const std::string& kind = fields[1];
    const int number = ToNumber(fields[2], -1);
    if (kind == "進行") {
        if (number >= 1) {
            Campaign_.SetAreaProgress(number, WrappingAdd(Campaign_.AreaProgress(number), 1));
        } else {
            Campaign_.SetActions(ActionsPerTurn(Campaign_));
            Campaign_.SetTurn(WrappingAdd(Campaign_.Turn(), 1));
        }
    } else if (kind == "調教" && number >= 1) {
        Campaign_.SetActions(WrappingSub(Campaign_.Actions(), 1));
        Campaign_.SetTraining(number, Clamped(WrappingAdd(Campaign_.Training(number), 1)));
        if (Campaign_.Affection(number) > 1) Campaign_.SetAffection(number, Clamped(Campaign_.Affection(number) - 1));
    } else if (kind == "求愛" && number >= 1) {
        Campaign_.SetActions(WrappingSub(Campaign_.Actions(), 1));
        Campaign_.SetAffection(number, Clamped(WrappingAdd(Campaign_.Affection(number), 1)));
        if (Campaign_.Training(number) > 1) Campaign_.SetTraining(number, Clamped(Campaign_.Training(number) - 1));
    }
}

void TCampaignCommands::Shutdown(TFields&) {
    if (Hooks.Shutdown) Hooks.Shutdown();
}

void TCampaignCommands::Continue(TFields&) {
    if (Hooks.Continue) Hooks.Continue();
}

}  // namespace vandor
