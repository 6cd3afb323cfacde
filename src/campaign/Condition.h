#pragma once
// The conditions that scripts attach to jumps, choices and buttons: a whole-word test
// or an integer formula over the campaign state, such as "(ターン>=10)and(アイテム13=1)".
// A pure function of the text and the state, so that it runs without a window.
//
// A formula goes through four steps, exposed for tests: Normalize maps the spellings
// the scripts use onto one operator character each, Tokenize splits at the operator
// characters, ToPostfix orders the tokens by operator precedence and EvaluatePostfix
// runs them on a stack. Campaign words are replaced by their values between the
// second and the third step.

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "campaign/GameDat.h"
#include "campaign/ReadFlags.h"
#include "util/DebugLog.h"

namespace vandor {

struct TConditionContext {
    TQTDGameDat& Campaign;
    const TReadFlags& ReadFlags;
    int& CurrentItem;               // "予約アイテム" reads it, "アイテム取得" sets it to -1
    bool Separate = true;           // "結合" is 1 when not Separate
    bool CompanionPresent = false;  // "灰羽"
    std::mt19937& Random;
    TDebugLog* Log = nullptr;  // may be null in tests/fuzzing
    // "セーブあり": asked only when a condition names the word, since it looks at the disk;
    // without it the word is 0.
    std::function<bool()> SaveExists{};
};

// True when the condition holds. A formula that cannot be evaluated (an operator
// without two operands, a ")" that closes nothing, an empty output such as "()", a
// division or remainder by zero) makes the condition false and writes one line to the log.
bool EvaluateCondition(std::string_view text, TConditionContext& context);

// False for the whole-word tests that are no formula: the empty text, ".",
// "ヴァンドルルート" and "既読" with its key.
bool IsFormula(std::string_view text);

// The English words, the full-width signs and the two-character comparisons become
// the operator characters of "+-*/%|&()=←≠<>≦≧".
std::string Normalize(std::string text);

// Every operator character is a token; the text between them is an operand token
// with its outer blanks removed, and none when it is blank.
std::vector<std::string> Tokenize(std::string_view text);

// A token of one operator character, as Tokenize makes them.
bool IsOperatorToken(std::string_view token);

// Postfix order; "&" and "|" bind more tightly than arithmetic and comparisons.
// Nothing when a ")" finds no "(" to close.
std::optional<std::vector<std::string>> ToPostfix(const std::vector<std::string>& tokens);

// The value of the formula, or nothing when an operator lacks an operand, a divisor
// is 0 or there is nothing to evaluate.
std::optional<int32_t> EvaluatePostfix(const std::vector<std::string>& postfix);

// ToPostfix, then EvaluatePostfix: the value of a formula's tokens, or nothing when
// either step fails.
std::optional<int32_t> EvaluateFormula(const std::vector<std::string>& tokens);

// What an operand token of a formula is, for checking scripts without playing them:
// a number, a campaign word, a campaign word that makes its condition fail (a
// "チャート" or "戦闘回数" without its number), or nothing known (it counts as 0).
enum class TOperandKind { Number, CampaignWord, FailingWord, Unknown };
TOperandKind ClassifyOperand(std::string_view token);

}  // namespace vandor
