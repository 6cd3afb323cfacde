#include "campaign/ReadFlags.h"

#include <algorithm>

namespace vandor {

bool TReadFlags::Add(std::string_view key) {
    const auto place = std::lower_bound(Keys_.begin(), Keys_.end(), key);
    if (place != Keys_.end() && *place == key) return false;
    Keys_.emplace(place, key);
    return true;
}

bool TReadFlags::Contains(std::string_view key) const { return std::binary_search(Keys_.begin(), Keys_.end(), key); }

std::string ScriptKey(std::string_view scriptName) { return std::string(scriptName.substr(0, scriptName.rfind('.'))); }

std::string LabelKey(std::string_view scriptName, std::string_view label) {
    if (!label.empty() && label.front() == '*') label.remove_prefix(1);
    return ScriptKey(scriptName) + "_" + std::string(label);
}

}  // namespace vandor
