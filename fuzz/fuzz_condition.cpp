// Arbitrary bytes as a script condition against a campaign state with extreme values:
// deciding never crashes or overflows, writes at most one log line, and the formula
// steps keep their shapes (no empty or blank-edged token, a seeded decision repeats).

#include <climits>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "campaign/Condition.h"

namespace {

vandor::TQTDGameDat& Campaign() {
    static vandor::TCryptMaps store;
    static vandor::TQTDGameDat campaign = [] {
        vandor::TQTDGameDat dat(store);
        dat.SetTurn(12);
        dat.SetActions(INT_MIN);
        dat.SetAffection(2, INT_MAX);
        dat.SetTraining(2, INT_MIN);
        dat.SetAffection(3, 9);
        dat.SetRouteItemFlag(true);
        dat.SetAreaProgress(4, INT_MAX);
        dat.SetAreaBattles(5, INT_MIN);
        dat.SetHeroinePresent(3, true);
        for (int n : {1, 13, 64}) dat.SetItem(n, true);
        dat.SetPassFlag(2, true);
        return dat;
    }();
    return campaign;
}

bool Decide(std::string_view text, std::size_t& logLines, int& currentItem) {
    vandor::TReadFlags readFlags;
    readFlags.Add("title");
    std::mt19937 random(1);
    vandor::TDebugLog log("");
    log.Enabled = true;
    currentItem = 5;
    vandor::TConditionContext context{Campaign(), readFlags, currentItem, false, true, random, &log};
    const bool holds = vandor::EvaluateCondition(text, context);
    logLines = log.Lines().size();
    return holds;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    for (const std::string& token : vandor::Tokenize(vandor::Normalize(std::string(text)))) {
        if (token.empty() || token.front() == ' ' || token.back() == ' ') __builtin_trap();
    }

    std::size_t firstLines = 0, secondLines = 0;
    int firstItem = 0, secondItem = 0;
    const bool first = Decide(text, firstLines, firstItem);
    const bool second = Decide(text, secondLines, secondItem);
    if (firstLines > 1 || first != second || firstLines != secondLines || firstItem != secondItem) __builtin_trap();
    return 0;
}
