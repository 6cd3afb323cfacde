#pragma once
// The scripts and labels the player has ever reached, across all slots and runs:
// a sorted list of distinct keys ("title", "title_スタート").

#include <string>
#include <string_view>
#include <vector>

namespace vandor {

class TReadFlags {
public:
    // False when the key was already there.
    bool Add(std::string_view key);
    bool Contains(std::string_view key) const;
    void Clear() { Keys_.clear(); }
    bool Empty() const { return Keys_.empty(); }
    int Count() const { return static_cast<int>(Keys_.size()); }
    // In sorted order.
    const std::vector<std::string>& Keys() const { return Keys_; }

private:
    std::vector<std::string> Keys_;
};

}  // namespace vandor
