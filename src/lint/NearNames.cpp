#include "lint/NearNames.h"

#include <algorithm>

#include "scenario/ScriptFields.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

constexpr std::size_t kMaxSuggestions = 3;

std::u32string CodePoints(std::string_view text) {
    std::u32string points;
    for (std::size_t pos = 0; pos < text.size();) points.push_back(NextCodePoint(text, pos));
    return points;
}

// One character replaced, added or left out (counted in characters, not bytes).
bool OneCharacterApart(const std::u32string& a, const std::u32string& b) {
    if (a == b) return false;
    const std::size_t shorter = std::min(a.size(), b.size());
    if (a.size() == b.size()) {
        std::size_t differences = 0;
        for (std::size_t i = 0; i < shorter; ++i) differences += a[i] != b[i];
        return differences == 1;
    }
    if (std::max(a.size(), b.size()) - shorter != 1) return false;
    const std::u32string& longer = a.size() > b.size() ? a : b;
    const std::u32string& other = a.size() > b.size() ? b : a;
    std::size_t same = 0;
    while (same < shorter && longer[same] == other[same]) ++same;
    return longer.compare(same + 1, std::u32string::npos, other, same, std::u32string::npos) == 0;
}

std::string Stem(const std::string& name) { return name.substr(0, name.size() - Extension(name).size()); }

}  // namespace

std::vector<std::string> NearNames(const std::string& missing, const std::vector<std::string>& known) {
    const std::string wanted = AsciiLower(missing);
    const std::string stem = Stem(wanted);
    std::vector<std::string> near;
    // Another extension is the likelier mistake, so it comes first.
    for (const std::string& name : known) {
        if (near.size() < kMaxSuggestions && name != wanted && Stem(name) == stem) near.push_back(name);
    }
    const std::u32string wantedPoints = CodePoints(wanted);
    for (const std::string& name : known) {
        if (near.size() >= kMaxSuggestions) break;
        if (Stem(name) != stem && OneCharacterApart(wantedPoints, CodePoints(name))) near.push_back(name);
    }
    return near;
}

std::string DidYouMean(const std::vector<std::string>& near) {
    if (near.empty()) return {};
    std::string text = " (did you mean ";
    for (std::size_t i = 0; i < near.size(); ++i) {
        if (i > 0) text += i + 1 == near.size() ? " or " : ", ";
        text += "\"" + near[i] + "\"";
    }
    return text + "?)";
}

}  // namespace vandor
