#pragma once
// The battle's protected integer store: 64 × 64 × 128 signed 32-bit cells that a
// memory scanner can neither find by their values nor change unnoticed. The battle
// keeps its ledgers here and the campaign state lives in the plane y = 31.
//
// Form in memory: cell i = (x · 64 + y) · 128 + z takes two adjacent words. The first
// is the value xor-ed with a mask that mixes a per-run key with i, so one value looks
// different in every cell and in every run. The second is a check word computed from
// the first, a second per-run key and i; it changes whenever either word changes alone
// or a pair of words is copied from another cell. A read recomputes the check and takes
// a cell that fails it as 0. Both keys come from std::random_device.
//
// The words of one line (x, y) — its 128 cells — are allocated when a value other than 0
// is first written there, and a line never written reads 0. The battle and the campaign
// use a few dozen of the 4096 lines, so the store costs tens of kilobytes, not 4 MiB.
//
// Indexes outside the box read 0 and ignore writes: campaign commands pass numbers
// without an upper bound.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace vandor {

class TCryptMaps {
public:
    static constexpr int kSizeX = 64, kSizeY = 64, kSizeZ = 128;

    // Draws the per-run keys; all cells read 0.
    TCryptMaps();
    TCryptMaps(const TCryptMaps&) = delete;
    TCryptMaps& operator=(const TCryptMaps&) = delete;

    // Reads and writes run many times a frame (money and score are sums over the
    // battle's ledger), so they stay a handful of arithmetic operations.
    int32_t Get(int x, int y, int z) const {
        if (!Inside(x, y, z)) return 0;
        const uint32_t line = LineIndex(x, y);
        const uint32_t* words = Lines_[line].get();
        if (words == nullptr) return 0;
        const uint32_t cell = CellIndex(line, z);
        const uint32_t masked = words[2 * z];
        if (words[2 * z + 1] != CheckWord(masked, cell)) return 0;
        return static_cast<int32_t>(masked ^ Mask(cell));
    }

    void Set(int x, int y, int z, int32_t value) {
        if (!Inside(x, y, z)) return;
        const uint32_t line = LineIndex(x, y);
        std::unique_ptr<uint32_t[]>& words = Lines_[line];
        if (words == nullptr) {
            if (value == 0) return;
            words = NewLine(line);
        }
        Store(words.get(), CellIndex(line, z), z, value);
    }

    // Every cell 0 again.
    void Clear();

private:
    friend struct TCryptMapsTamper;  // lets the tests change words behind the store's back

    static constexpr std::size_t kLineCount = std::size_t{kSizeX} * kSizeY;
    static constexpr std::size_t kLineWords = std::size_t{2} * kSizeZ;

    static bool Inside(int x, int y, int z) {
        return static_cast<unsigned>(x) < unsigned{kSizeX} && static_cast<unsigned>(y) < unsigned{kSizeY} &&
               static_cast<unsigned>(z) < unsigned{kSizeZ};
    }
    static uint32_t LineIndex(int x, int y) { return static_cast<uint32_t>(x) * kSizeY + static_cast<uint32_t>(y); }
    static uint32_t CellIndex(uint32_t line, int z) { return line * kSizeZ + static_cast<uint32_t>(z); }
    // Odd multipliers spread neighbouring cells over the whole word.
    uint32_t Mask(uint32_t cell) const { return MaskKey_ + cell * 0x9E3779B9u; }
    // A bijection of the masked word for a fixed cell, so that no change of that word
    // alone keeps its check.
    uint32_t CheckWord(uint32_t masked, uint32_t cell) const {
        return std::rotl((masked ^ CheckKey_) * 0x85EBCA6Bu, 15) + cell;
    }
    void Store(uint32_t* words, uint32_t cell, int z, int32_t value) const {
        const uint32_t masked = static_cast<uint32_t>(value) ^ Mask(cell);
        words[2 * z] = masked;
        words[2 * z + 1] = CheckWord(masked, cell);
    }
    // The words of a line whose cells all read 0.
    std::unique_ptr<uint32_t[]> NewLine(uint32_t line) const;

    uint32_t MaskKey_;
    uint32_t CheckKey_;
    std::unique_ptr<std::unique_ptr<uint32_t[]>[]> Lines_;  // kLineCount lines, null until written
};

}  // namespace vandor
