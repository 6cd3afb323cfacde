// The whole-word tests and the campaign words of a condition; the formula steps are
// in ConditionFormula.cpp.

#include "campaign/Condition.h"

#include <string>

#include "campaign/ItemTable.h"
#include "util/Encoding.h"
#include "util/Number.h"
#include "util/Random.h"
#include "util/Wrapping.h"

namespace vandor {
namespace {

// What a token stands for. Fails: a chart or battle count without a valid area, which
// makes the whole condition false before anything is evaluated.
struct TWordValue {
    bool Known = false;
    bool Fails = false;
    int32_t Value = 0;
};

constexpr TWordValue kNotAWord{};
constexpr TWordValue kFails{true, true, 0};
constexpr TWordValue Word(int32_t value) { return {true, false, value}; }

bool VandorRoute(const TQTDGameDat& campaign) {
    return campaign.RouteFlag() || (campaign.RouteItemFlag() && campaign.Affection(3) > 8);
}

// "既読 title" holds the key "title": the word and one separator character go.
bool HasBeenRead(std::string_view text, const TReadFlags& readFlags) {
    return readFlags.Contains(text.substr(CodePointPrefixBytes(text, 3)));
}

int32_t OwnedItemCount(const TQTDGameDat& campaign) {
    int32_t count = 0;
    for (int n = 1; n <= TQTDGameDat::kItems; ++n) count += campaign.HasItem(n);
    return count;
}

// A locked item (13) does not count: it is drawn only once unlocked, so owning all
// the others leaves nothing to find.
int32_t DrawItemChance(TConditionContext& context) {
    context.CurrentItem = -1;
    for (int n = 1; n <= kItemCount; ++n) {
        if (!ItemEffect(n).Locked && !context.Campaign.HasItem(n)) return RandomBelow(context.Random, 1000) < 252;
    }
    return 0;
}

TWordValue WholeWordValue(std::string_view token, TConditionContext& context) {
    const TQTDGameDat& campaign = context.Campaign;
    if (token == "行動猶予") {
        if (campaign.Turn() <= 0) return Word(0);
        const int32_t left = WrappingSub(campaign.Actions(), 1);
        return Word(left > 0 ? left : 0);
    }
    if (token == "制圧数") return Word(campaign.ConqueredCount());
    if (token == "ターン") return Word(campaign.Turn());
    if (token == "ヴァンドルルート") return Word(VandorRoute(campaign));
    if (token == "結合") return Word(!context.Separate);
    if (token == "灰羽") return Word(context.CompanionPresent);
    if (token == "セーブあり") return Word(context.SaveExists && context.SaveExists());
    if (token == "アイテム数") return Word(OwnedItemCount(campaign));
    if (token == "予約アイテム") return Word(context.CurrentItem);
    if (token == "アイテム取得") return Word(DrawItemChance(context));
    return kNotAWord;
}

// The number that follows `word` at the start of the token, -1 when it is missing or
// no number; nothing when the token does not start with the word.
std::optional<int32_t> NumberAfter(std::string_view token, std::string_view word) {
    if (!token.starts_with(word)) return std::nullopt;
    return ToNumber(token.substr(word.size()), -1);
}

TWordValue NumberedWordValue(std::string_view token, const TConditionContext& context) {
    const TQTDGameDat& campaign = context.Campaign;
    std::optional<int32_t> n;
    if ((n = NumberAfter(token, "通過3P")) || (n = NumberAfter(token, "通過3p"))) {
        return Word(*n >= 0 && campaign.PassFlag(*n));
    }
    if (token.starts_with("既読")) return Word(HasBeenRead(token, context.ReadFlags));
    // The longer heroine words first, or they would read as "ヒロイン" with no number.
    if ((n = NumberAfter(token, "ヒロイン愛情"))) return Word(*n < 0 ? 0 : campaign.Affection(*n));
    if ((n = NumberAfter(token, "ヒロイン調教"))) return Word(*n < 0 ? 0 : campaign.Training(*n));
    if ((n = NumberAfter(token, "ヒロイン"))) return Word(*n >= 0 && campaign.HeroinePresent(*n));
    if ((n = NumberAfter(token, "エリア"))) return Word(*n < 0 ? 0 : campaign.AreaProgress(*n));
    // Another name for "エリア" that insists on its number.
    if ((n = NumberAfter(token, "チャート"))) return *n < 0 ? kFails : Word(campaign.AreaProgress(*n));
    if ((n = NumberAfter(token, "戦闘回数"))) return *n < 0 ? kFails : Word(campaign.AreaBattles(*n));
    if ((n = NumberAfter(token, "アイテム"))) return Word(*n >= 1 && *n <= TQTDGameDat::kItems && campaign.HasItem(*n));
    return kNotAWord;
}

// Whole words first, so "アイテム数" is never "アイテム" with a number.
TWordValue CampaignWordValue(std::string_view token, TConditionContext& context) {
    const TWordValue whole = WholeWordValue(token, context);
    return whole.Known ? whole : NumberedWordValue(token, context);
}

void AddToLog(const TConditionContext& context, std::string_view message, std::string_view subject) {
    if (context.Log) context.Log->Add(std::string(message).append(subject));
}

}  // namespace

bool IsFormula(std::string_view text) {
    return !(text.empty() || text == "." || text == "ヴァンドルルート" || text.starts_with("既読"));
}

bool EvaluateCondition(std::string_view text, TConditionContext& context) {
    if (!IsFormula(text)) {
        if (text == "ヴァンドルルート") return VandorRoute(context.Campaign);
        if (text.starts_with("既読")) return HasBeenRead(text, context.ReadFlags);
        return true;
    }

    std::vector<std::string> tokens = Tokenize(Normalize(std::string(text)));
    for (std::string& token : tokens) {
        const TWordValue word = CampaignWordValue(token, context);
        if (word.Fails) {
            AddToLog(context, "判定失敗:", token);
            return false;
        }
        if (word.Known) token = std::to_string(word.Value);
    }
    const std::optional<int32_t> result = EvaluateFormula(tokens);
    if (!result) {
        AddToLog(context, "判定式を評価できません:", text);
        return false;
    }
    return *result != 0;
}

TOperandKind ClassifyOperand(std::string_view token) {
    if (IsNumber(token)) return TOperandKind::Number;
    // The words' values do not matter here, only whether the token is one.
    static TCryptMaps store;
    static TQTDGameDat campaign(store);
    static const TReadFlags readFlags;
    static std::mt19937 random;
    int currentItem = 0;
    TConditionContext context{
        .Campaign = campaign, .ReadFlags = readFlags, .CurrentItem = currentItem, .Random = random};
    const TWordValue word = CampaignWordValue(token, context);
    if (word.Fails) return TOperandKind::FailingWord;
    return word.Known ? TOperandKind::CampaignWord : TOperandKind::Unknown;
}

}  // namespace vandor
