#include "campaign/Condition.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

namespace vandor {
namespace {

using Tokens = std::vector<std::string>;

class TStoppedClock final : public IClock {
public:
    uint32_t Now() override { return 0; }
    void Sleep(uint32_t) override {}
};

std::optional<int32_t> FormulaValue(const std::string& formula) {
    return EvaluateFormula(Tokenize(Normalize(formula)));
}

class ConditionTest : public testing::Test {
protected:
    ConditionTest() {
        Log.Enabled = true;
        Dat.SetTurn(12);
        Dat.SetActions(3);
        Dat.SetHeroinePresent(3, true);
        Dat.SetAffection(3, 9);
        Dat.SetTraining(2, 4);
        Dat.SetAreaProgress(4, 3);
        Dat.SetAreaBattles(5, 2);
        Dat.SetAreaStrength(1, 0);
        Dat.SetAreaStrength(6, 0);
        for (int n : {1, 13, 64}) Dat.SetItem(n, true);
        Dat.SetPassFlag(2, true);
        Dat.SetPassFlag(0, true);  // the bit every number outside 1..11 shares
        Flags.Add("title");
    }

    bool Holds(const std::string& condition) { return EvaluateCondition(condition, Context); }
    std::string LogLine(std::size_t i) const { return Log.Lines().at(i).substr(TDebugLog::TimePrefix(0).size()); }

    TCryptMaps Store;
    TQTDGameDat Dat{Store};
    TReadFlags Flags;
    int CurrentItem = 5;
    std::mt19937 Random{7};
    TStoppedClock Clock;
    TDebugLog Log{"", Clock};
    TConditionContext Context{Dat, Flags, CurrentItem, true, false, Random, &Log};
};

TEST(ConditionFormulaTest, ArithmeticSpellingsAndPrecedence) {
    const struct {
        const char* Formula;
        std::optional<int32_t> Value;
    } cases[] = {
        {"7 div 2", 3},
        {"7 mod 2", 1},
        {"(7)div(2)", 1},
        {"(7)mod(2)", 3},
        {"7 DIV 2", 3},
        {"(7)Mod(2)", 3},
        {"7div2", 0},  // without blanks it is one unknown word
        {"7\\2", 3},
        {"7￥2", 3},
        {"7／2", 3},
        {"7％2", 1},
        {"3＊4", 12},
        {"3＋4", 7},
        {"3－4", -1},
        {"0-7 ％ 2", -1},
        {"-7 ％ 2", std::nullopt},
        {"(0-7) / 2", -3},
        {"7 % (0-2)", 1},
        {"(0-7) % (0-2)", -1},
        {"1+2*3", 7},
        {"2-1-1", 0},
        {"8/2/2", 2},
        {"2*3&1", 2},
        {"1+1=2", 1},
        {"3=3&1", 0},
        {"(3=3)&1", 1},
        {"6|1 = 7", 1},
        {"(1)and(0)", 0},
        {"(1)OR(0)", 1},
        {"2 and 3", 2},
        {"1 or 2", 3},
        {"3!=4", 1},
        {"3=!4", 1},
        {"3<>3", 0},
        {"3＜＞4", 1},
        {"3==3", 1},
        {"3＝3", 1},
        {"3<=3", 1},
        {"4>=5", 0},
        {"4≧4", 1},
        {"3＜4", 1},
        {"3＞4", 0},
        {"（1＋2）＊3", 9},
        {"4＞＝3", std::nullopt},
        {"x:=3", 0},
        {"3<-5", 0},  // an assignment has no operation; its sign is the last entry
        {"  12  ", 12},
        {"1 2", 0},
        {"+5", std::nullopt},
        {"abc+2", 2},
        {"(1)(2)", 2},
        {"(1", 1},
        {"2147483647+1", INT_MIN},
        {"0-2147483647-1-1", INT_MAX},
        {"65536*65536", 0},
        {"2147483648+1", 1},
        {"(0-2147483647-1)/(0-1)", INT_MIN},
        {"(0-2147483647-1)%(0-1)", 0},
        {"1/0", std::nullopt},
        {"1%0", std::nullopt},
        {"1/(1-1)", std::nullopt},
        {"()", std::nullopt},
        {"", std::nullopt},
        {"1+", std::nullopt},
        {"*", std::nullopt},
        // A ")" that closes nothing, even where the rest would evaluate.
        {"1)", std::nullopt},
        {"a+1)==2", std::nullopt},
        {"(1))", std::nullopt},
        {")(1", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(FormulaValue(c.Formula), c.Value) << c.Formula;
}

// Operands that reach the stack machine as text: one sign at most, "-" or "+".
TEST(ConditionFormulaTest, OperandsAreWholeNumbersWithOneSign) {
    EXPECT_EQ(EvaluatePostfix({"-5"}), -5);
    EXPECT_EQ(EvaluatePostfix({"+5"}), 5);
    EXPECT_EQ(EvaluatePostfix({"+-5"}), 0);
    EXPECT_EQ(EvaluatePostfix({"-+5"}), 0);
    EXPECT_EQ(EvaluatePostfix({"+-5", "1", "+"}), 1);
    EXPECT_EQ(ClassifyOperand("+-5"), TOperandKind::Unknown);
    EXPECT_EQ(ClassifyOperand("+5"), TOperandKind::Number);
}

TEST(ConditionFormulaTest, StepsKeepTheirOrder) {
    // ">=" is replaced before the full-width signs become ">" and "=".
    EXPECT_EQ(Normalize("ターン＞＝10"), "ターン>=10");
    EXPECT_EQ(Normalize("ターン>=10"), "ターン≧10");
    EXPECT_EQ(Normalize("(a)AnD(b) Or c"), "(a) & (b) | c");

    EXPECT_EQ(Tokenize(" ヒロイン 3 +(  c)≦≧←≠"), (Tokens{"ヒロイン 3", "+", "(", "c", ")", "≦", "≧", "←", "≠"}));
    EXPECT_EQ(Tokenize("   "), Tokens{});
    EXPECT_EQ(Tokenize("a+ +b"), (Tokens{"a", "+", "+", "b"}));
    EXPECT_EQ(Tokenize("　a "), Tokens{"　a"});  // only the ASCII blank is trimmed

    // "&" binds more tightly than the comparisons: ((h = (1 & e)) > 2).
    EXPECT_EQ(ToPostfix(Tokenize("h=1&e>2")), (Tokens{"h", "1", "e", "&", "=", "2", ">"}));
    EXPECT_EQ(ToPostfix(Tokenize("(h=1)&(e>2)")), (Tokens{"h", "1", "=", "e", "2", ">", "&"}));
    EXPECT_EQ(ToPostfix(Tokenize("()")), Tokens{});
    EXPECT_EQ(ToPostfix(Tokenize("(1))")), std::nullopt);
}

TEST_F(ConditionTest, WordsAndCampaignValues) {
    const struct {
        const char* Condition;
        bool Holds;
    } cases[] = {
        {"", true},
        {".", true},
        {"0", false},
        {"0-3", true},
        {"ターン>=10", true},
        {"ターン≧10", true},
        {"ターン<>12", false},
        {"ターン＜＞12", false},
        {"ターン=12", true},
        {"行動猶予=2", true},
        {"制圧数=2", true},
        {"(ヒロイン3=1)and(エリア4>2)", true},
        {"(ヒロイン2=1)and(エリア4>2)", false},
        {"(ヒロイン3=1)and(エリア4>3)", false},
        {"ヒロイン3=1 and エリア4>2", false},
        {"ヒロイン愛情3=9", true},
        {"ヒロイン調教2=4", true},
        {"ヒロイン1", true},
        {"ヒロイン", false},
        {"ヒロイン 3", false},
        {"ヒロイン愛情99999=0", true},
        {"アイテム数>=3", true},
        {"アイテム数=3", true},
        {"アイテム13", true},
        {"アイテム2", false},
        {"アイテム64", true},
        {"アイテム65", false},
        {"アイテム0", false},
        {"予約アイテム=5", true},
        {"通過3P2", true},
        {"通過3p2", true},
        {"通過3P3", false},
        {"通過3P0", true},
        {"通過3P", false},
        {"エリア4=3", true},
        {"チャート4=3", true},
        {"戦闘回数5=2", true},
        {"エリア", false},
        {"(エリア=0)and(ターン=12)", true},
        {"ターンX=0", true},
        {"既読 title", true},
        {"既読　title", true},
        {"既読:title", true},
        {"既読title", false},
        {"既読 titles", false},
        {"(既読 title)+1=2", true},
        {"(既読title)=0", true},
        {"ヴァンドルルート", false},
        {"ヴァンドルルート=0", true},
        {"結合", false},
        {"灰羽", false},
        {"セーブあり", false},
        {"セーブあり=0", true},
    };
    for (const auto& c : cases) EXPECT_EQ(Holds(c.Condition), c.Holds) << c.Condition;
    EXPECT_EQ(CurrentItem, 5);

    Flags.Add("itle");
    EXPECT_TRUE(Holds("既読title"));

    Dat.SetRouteItemFlag(true);
    EXPECT_TRUE(Holds("ヴァンドルルート"));
    EXPECT_TRUE(Holds("ヴァンドルルート=1"));
    Dat.SetAffection(3, 8);
    EXPECT_FALSE(Holds("ヴァンドルルート"));
    Dat.SetRouteFlag(true);
    EXPECT_TRUE(Holds("ヴァンドルルート"));
    EXPECT_TRUE(Holds("(ヴァンドルルート)and(1)"));

    Context.Separate = false;
    Context.CompanionPresent = true;
    EXPECT_TRUE(Holds("結合=1"));
    EXPECT_TRUE(Holds("灰羽=1"));

    // Whether a save exists is asked of the window only when a condition names it.
    int asked = 0;
    bool saved = false;
    Context.SaveExists = [&] {
        ++asked;
        return saved;
    };
    EXPECT_TRUE(Holds("ターン=12"));
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(Holds("セーブあり"));
    saved = true;
    EXPECT_TRUE(Holds("セーブあり"));
    EXPECT_TRUE(Holds("(セーブあり=1)and(ターン=12)"));
    EXPECT_EQ(asked, 3);

    Dat.SetActions(1);
    EXPECT_TRUE(Holds("行動猶予=0"));
    Dat.SetActions(3);
    Dat.SetTurn(0);
    EXPECT_TRUE(Holds("行動猶予=0"));

    EXPECT_TRUE(Log.Lines().empty());
}

TEST_F(ConditionTest, FailuresAreFalseWithOneLogLine) {
    const struct {
        const char* Condition;
        const char* Line;
    } cases[] = {
        {"チャート", "判定失敗:チャート"},
        {"戦闘回数", "判定失敗:戦闘回数"},
        {"チャートx=0", "判定失敗:チャートx"},      // the token, not the whole text
        {"1/0 + 戦闘回数-1", "判定失敗:戦闘回数"},  // nothing is evaluated after it
        {"ターン＞＝10", "判定式を評価できません:ターン＞＝10"},
        {"-7 ％ 2", "判定式を評価できません:-7 ％ 2"},
        {"()", "判定式を評価できません:()"},
        {"ターン/(制圧数-2)", "判定式を評価できません:ターン/(制圧数-2)"},
        {"1)", "判定式を評価できません:1)"},
        {"ターン+1)==13", "判定式を評価できません:ターン+1)==13"},
    };
    for (const auto& c : cases) {
        const std::size_t before = Log.Lines().size();
        EXPECT_FALSE(Holds(c.Condition)) << c.Condition;
        ASSERT_EQ(Log.Lines().size(), before + 1) << c.Condition;
        EXPECT_EQ(Log.Lines().back(), TDebugLog::TimePrefix(0) + c.Line) << c.Condition;
    }

    Context.Log = nullptr;
    EXPECT_FALSE(Holds("チャート"));
    EXPECT_FALSE(Holds("()"));
}

TEST_F(ConditionTest, ItemDrawUsesTheSeededGeneratorAndClearsTheReservedItem) {
    std::mt19937 sameSeed{7};
    int found = 0;
    for (int i = 0; i < 200; ++i) {
        const bool drawn = Holds("アイテム取得");
        EXPECT_EQ(drawn, sameSeed() % 1000 < 252) << i;
        EXPECT_EQ(CurrentItem, -1);
        CurrentItem = 5;
        found += drawn;
    }
    EXPECT_GT(found, 20);
    EXPECT_LT(found, 80);

    // The reserved item is cleared by the draw before a later token reads it.
    EXPECT_TRUE(Holds("アイテム取得*0+予約アイテム=0-1"));

    for (int n = 1; n <= TQTDGameDat::kItems; ++n) Dat.SetItem(n, n != 13);
    const std::mt19937 untouched = Random;
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(Holds("アイテム取得"));
    EXPECT_EQ(Random, untouched);
    EXPECT_EQ(CurrentItem, -1);
}

}  // namespace
}  // namespace vandor
