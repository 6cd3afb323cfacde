#include "campaign/ReadFlags.h"

#include <algorithm>

namespace vandor {

bool TReadFlags::Add(std::string_view key) {
    const auto place = std::lower_bound(Keys_.begin(), Keys_.end(), key);
    if (place != Keys_.end() && *place == key) return false;
    Keys_.emplace(place, key);
    return true;
}

bool TReadFlags::Contains(std::string_view key) const {
    return std::binary_search(Keys_.begin(), Keys_.end(), key);
}

}  // namespace vandor
