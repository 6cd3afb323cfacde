// Conditions as the game would evaluate them, without a campaign: a formula whose
// shape cannot be evaluated, a division by a constant zero, a word that fails the
// condition, and words that are no campaign word and would silently count as 0.

#include <optional>

#include "campaign/Condition.h"
#include "lint/GameLint.h"

namespace vandor {
namespace {

// The formula with every campaign word standing for `wordValue`.
std::optional<int32_t> EvaluateWithWordsAs(std::vector<std::string> tokens, int32_t wordValue) {
    for (std::string& token : tokens) {
        if (!IsOperatorToken(token) && ClassifyOperand(token) == TOperandKind::CampaignWord) {
            token = std::to_string(wordValue);
        }
    }
    return EvaluateFormula(tokens);
}

}  // namespace

void TGameLint::CheckCondition(const TPlace& place, const std::string& text) {
    if (!IsFormula(text)) return;
    const std::vector<std::string> tokens = Tokenize(Normalize(text));
    for (const std::string& token : tokens) {
        if (IsOperatorToken(token)) continue;
        switch (ClassifyOperand(token)) {
            case TOperandKind::FailingWord:
                Report(place, true,
                       "\"" + token + "\" needs an area number: the condition \"" + text + "\" always fails");
                return;
            case TOperandKind::Unknown:
                Report(place, false,
                       "\"" + token + "\" in the condition \"" + text + "\" is no campaign word and counts as 0");
                break;
            default: break;
        }
    }
    // A formula that fails whatever the words stand for fails in play too: its shape
    // is wrong, or it divides by a constant zero.
    if (!EvaluateWithWordsAs(tokens, 1) && !EvaluateWithWordsAs(tokens, 7)) {
        Report(place, true,
               "the condition \"" + text +
                   "\" cannot be evaluated (an operator without two operands, a \")\" that closes nothing, "
                   "nothing to evaluate, or a division by zero) and never holds");
    }
}

}  // namespace vandor
