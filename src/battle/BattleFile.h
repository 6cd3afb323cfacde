#pragma once
// The lines of a battle data file (a map "st%.2d.txt" or a wave table
// "bt%.2d-%.2d.txt"): key=value lines looked up by key. Keys compare without regard
// to ASCII case and the first line of a key counts; values are whole decimal numbers,
// and anything else reads as the caller's default.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vandor {

class TFileCache;

class TBattleFile {
public:
    void Clear() { Values_.clear(); }
    // Reads the file through the file lookup; false (and no lines) when no source has it.
    bool Load(TFileCache& files, std::string_view name);
    // Takes the lines of a file's bytes (any encoding the scripts may use).
    void Parse(std::string_view bytes);
    bool Empty() const { return Values_.empty(); }

    int32_t ReadInt(std::string_view key, int32_t fallback) const;
    // ReadInt clamped to lo..hi.
    int32_t ReadClamped(std::string_view key, int32_t fallback, int32_t lo, int32_t hi) const;

    // A value as the game reads it: nothing when it is no whole number.
    static std::optional<int32_t> ParseValue(std::string_view text);

    // Each key (lower-cased) with its value and the line (from 1) it came from, for
    // checking a file without playing it.
    struct TEntry {
        std::string Value;
        int Line = 0;
    };
    const std::unordered_map<std::string, TEntry>& Entries() const { return Values_; }

private:
    std::unordered_map<std::string, TEntry> Values_;
};

}  // namespace vandor
