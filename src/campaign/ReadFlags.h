#pragma once
// The scripts and labels the player has ever reached, across all slots and runs:
// a sorted list of distinct keys ("title", "title_スタート"), which the conditions
// test and the survey counts.

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

// The key of a script the engine has loaded: its (lower-cased) name without the
// extension, "title" for "title.txt".
std::string ScriptKey(std::string_view scriptName);
// The key of a label passed in that script: "title_スタート" for "*スタート".
std::string LabelKey(std::string_view scriptName, std::string_view label);

}  // namespace vandor
