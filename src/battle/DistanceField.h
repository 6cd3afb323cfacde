#pragma once
// The walking distance of every cell of the battle grid to the base, as enemies
// follow it: 10 per straight step and 14 per diagonal one, never cutting the corner
// of a blocked cell. It is relaxed pass by pass over a square that grows by one
// cell every three passes, with as many passes as the number of blocked cells calls
// for; a maze too long for them leaves larger values, and a cell that nothing
// reaches keeps kNotReached. The results are those of exactly this procedure, so
// enemies walk the same paths wherever the game runs.

#include <array>
#include <cstdint>

namespace vandor {

class TDistanceField {
public:
    static constexpr int kReach = 24;  // cells -24..24 in each direction
    static constexpr int kSide = 2 * kReach + 1;
    static constexpr int kCells = kSide * kSide;
    static constexpr int kPathRegion = 10;  // only buildings within -10..10 block the way
    static constexpr int32_t kNotReached = 10000;
    static constexpr int32_t kBlocked = 20000;

    using TOccupied = std::array<uint8_t, kCells>;

    // The grid in rows of y, the order the passes sweep, so that a row's cells lie side
    // by side; the battle keeps its cells in the same order.
    static constexpr int Index(int x, int y) { return (y + kReach) * kSide + (x + kReach); }
    // The base and its walls: they never block the way.
    static constexpr bool InBaseSquare(int x, int y) { return x >= -1 && x <= 1 && y >= -1 && y <= 1; }
    // The half side of the square that pass `pass` (from 0) relaxes.
    static constexpr int PassRadius(int pass) {
        const int r = (pass + 5) / 3;
        return r < kReach - 1 ? r : kReach - 1;
    }

    // `occupied` marks the cells that hold a building; those of the path region
    // outside the base square block the way, and so does (bx, by) ((0, 0) adds no block).
    void Compute(const TOccupied& occupied, int bx, int by);

    // Compute in steps, for callers that share the first passes of several fields:
    // Start sets the field up and returns how many passes it takes; RunPass runs them in order.
    int Start(const TOccupied& occupied, int bx, int by);
    void RunPass(int pass);
    // Blocks one more cell, as the (bx, by) of Start does.
    void Block(int x, int y) { Dist_[Index(x, y)] = kBlocked; }

    int32_t Dist(int x, int y) const { return Dist_[Index(x, y)]; }

private:
    std::array<int32_t, kCells> Dist_{};
    std::array<uint8_t, kCells> Open_{};
};

}  // namespace vandor
