// The formula steps of a condition: spellings onto operator characters, tokens,
// postfix order and the stack machine.

#include <string_view>

#include "campaign/Condition.h"
#include "util/Encoding.h"
#include "util/Fields.h"
#include "util/Number.h"
#include "util/Wrapping.h"

namespace vandor {
namespace {

struct TReplacement {
    std::string_view From, To;
};

// In this order: the parenthesised words before the spaced ones, and ">=" before the
// full-width signs become ">" and "=", so "＞＝" stays two operators. The parenthesised
// "mod" and "div" mean division and remainder, the reverse of the spaced ones; the
// scripts rely on both readings.
constexpr TReplacement kWordReplacements[] = {
    {")and(", ") & ("}, {")or(", ") | ("}, {")mod(", ") / ("}, {")div(", ") % ("},
    {" and ", " & "},   {" or ", " | "},   {" div ", " / "},   {" mod ", " % "},
};
constexpr TReplacement kSignReplacements[] = {
    {"\\", "/"}, {"￥", "/"}, {"／", "/"}, {"％", "%"}, {"＊", "*"}, {"＋", "+"}, {"－", "-"},
    {":=", "←"}, {"<-", "←"}, {">=", "≧"}, {"<=", "≦"}, {"＞", ">"}, {"＜", "<"}, {"!=", "≠"},
    {"=!", "≠"}, {"<>", "≠"}, {"（", "("}, {"）", ")"}, {"==", "="}, {"＝", "="},
};

constexpr std::u32string_view kOperatorCharacters = U"+-*/%|&()=←≠<>≦≧";
constexpr std::string_view kComparisons = "=←≠<>≦≧";

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// `word` is lower case.
bool SameIgnoringAsciiCase(std::string_view text, std::string_view word) {
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (LowerAscii(text[i]) != word[i]) return false;
    }
    return true;
}

// Every occurrence, left to right; the replaced text is not searched again.
void ReplaceAll(std::string& text, const TReplacement& replacement, bool ignoreCase) {
    const std::string_view from = replacement.From;
    std::string result;
    std::size_t done = 0;
    for (std::size_t at = 0; at + from.size() <= text.size();) {
        const std::string_view here = std::string_view(text).substr(at, from.size());
        if (ignoreCase ? SameIgnoringAsciiCase(here, from) : here == from) {
            result.append(text, done, at - done).append(replacement.To);
            at += from.size();
            done = at;
        } else {
            ++at;
        }
    }
    if (done == 0) return;
    text = result.append(text, done, std::string::npos);
}

void AddOperand(std::vector<std::string>& tokens, std::string_view run) {
    const std::size_t first = run.find_first_not_of(' ');
    if (first == std::string_view::npos) return;
    tokens.emplace_back(run.substr(first, run.find_last_not_of(' ') + 1 - first));
}

int Precedence(std::string_view token) {
    if (token == "(") return 5;
    if (token == "&" || token == "|") return 4;
    if (token == "*" || token == "/" || token == "%") return 3;
    if (token == "+" || token == "-") return 2;
    if (token == ")") return 0;
    // Any token found within the comparison and assignment signs.
    if (kComparisons.find(token) != std::string_view::npos) return 1;
    return 6;
}

bool IsParenthesis(std::string_view token) { return token == "(" || token == ")"; }

// The operators that take two operands; "←" has no operation and "(" and ")" never
// reach the stack machine.
bool IsOperator(std::string_view token) {
    return IsOneOf(token, {"&", "|", "%", "/", "*", "-", "+", "=", "≠", "<", ">", "≦", "≧"});
}

// Nothing for a division or remainder by zero.
std::optional<int32_t> Apply(std::string_view op, int32_t a, int32_t b) {
    if (op == "&") return a & b;
    if (op == "|") return a | b;
    if (op == "*") return WrappingMul(a, b);
    if (op == "+") return WrappingAdd(a, b);
    if (op == "-") return WrappingSub(a, b);
    if (op == "=") return a == b;
    if (op == "≠") return a != b;
    if (op == "<") return a < b;
    if (op == ">") return a > b;
    if (op == "≦") return a <= b;
    if (op == "≧") return a >= b;
    if (b == 0) return std::nullopt;
    return op == "/" ? WrappingDiv(a, b) : WrappingRem(a, b);
}

}  // namespace

std::string Normalize(std::string text) {
    for (const TReplacement& replacement : kWordReplacements) ReplaceAll(text, replacement, true);
    for (const TReplacement& replacement : kSignReplacements) ReplaceAll(text, replacement, false);
    return text;
}

std::vector<std::string> Tokenize(std::string_view text) {
    std::vector<std::string> tokens;
    std::size_t runStart = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        const char32_t character = NextCodePoint(text, at);
        if (kOperatorCharacters.find(character) == std::u32string_view::npos) continue;
        AddOperand(tokens, text.substr(runStart, start - runStart));
        tokens.emplace_back(text.substr(start, at - start));
        runStart = at;
    }
    AddOperand(tokens, text.substr(runStart));
    return tokens;
}

bool IsOperatorToken(std::string_view token) {
    std::size_t end = 0;
    return !token.empty() && kOperatorCharacters.find(NextCodePoint(token, end)) != std::u32string_view::npos &&
           end == token.size();
}

std::optional<std::vector<std::string>> ToPostfix(const std::vector<std::string>& tokens) {
    std::vector<std::string> output;
    std::vector<std::string> stack;
    for (const std::string& token : tokens) {
        if (token.empty()) continue;
        // Operands go through the stack too and leave it when the next token comes;
        // ")" is never pushed and "(" stops the loop, so all that leaves here is output.
        while (!stack.empty() && stack.back() != "(" && Precedence(stack.back()) >= Precedence(token)) {
            output.push_back(std::move(stack.back()));
            stack.pop_back();
        }
        if (token != ")") {
            stack.push_back(token);
        } else if (stack.empty()) {
            return std::nullopt;  // there is no "(" to take off
        } else {
            stack.pop_back();  // the matching "("
        }
    }
    for (; !stack.empty(); stack.pop_back()) {
        if (!IsParenthesis(stack.back())) output.push_back(std::move(stack.back()));
    }
    return output;
}

std::optional<int32_t> EvaluatePostfix(const std::vector<std::string>& postfix) {
    // Every entry would be read as a whole number when used, so the stack keeps the
    // numbers: a token that is none, "←" included, is 0.
    std::vector<int32_t> stack;
    stack.reserve(postfix.size());
    for (const std::string& token : postfix) {
        if (!IsOperator(token)) {
            stack.push_back(ToNumber(token, 0));
            continue;
        }
        if (stack.size() < 2) return std::nullopt;
        const int32_t b = stack.back();
        stack.pop_back();
        const std::optional<int32_t> result = Apply(token, stack.back(), b);
        if (!result) return std::nullopt;
        stack.back() = *result;
    }
    if (stack.empty()) return std::nullopt;
    return stack.back();
}

std::optional<int32_t> EvaluateFormula(const std::vector<std::string>& tokens) {
    const std::optional<std::vector<std::string>> postfix = ToPostfix(tokens);
    if (!postfix) return std::nullopt;
    return EvaluatePostfix(*postfix);
}

}  // namespace vandor
