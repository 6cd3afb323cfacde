#pragma once
// The walking distances as the rules word them, and random fields of buildings, for
// comparing the battle's faster forms against.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "battle/DistanceField.h"

namespace vandor::test {

// The relaxation as the rules word it, on arrays indexed [x + 24][y + 24].
struct TPlainDistances {
    int32_t Dist[49][49];
    uint8_t Open[49][49];

    int32_t& D(int x, int y) { return Dist[x + 24][y + 24]; }
    uint8_t& O(int x, int y) { return Open[x + 24][y + 24]; }
    void Compute(const bool (&building)[49][49], int bx, int by, int extraPasses = 0) {
        for (int x = -24; x <= 24; ++x) {
            for (int y = -24; y <= 24; ++y) D(x, y) = 10000, O(x, y) = 1;
        }
        int n = 0;
        for (int y = -10; y <= 10; ++y) {
            for (int x = -10; x <= 10; ++x) {
                if (building[x + 24][y + 24] && !(std::abs(x) <= 1 && std::abs(y) <= 1))
                    D(x, y) = 20000, O(x, y) = 0, ++n;
            }
        }
        D(bx, by) = 20000;
        D(0, 0) = 0;
        int k = 5;
        for (int pass = 0; pass < 2 * n / 3 + 36 + extraPasses; ++pass, ++k) {
            const int r = std::min(k / 3, 23);
            for (int y = -r; y <= r; ++y) {
                for (int x = -r; x <= r; ++x) {
                    if (!O(x, y)) continue;
                    if (D(x, y) >= 20000) {
                        O(x, y) = 0;
                        continue;
                    }
                    bool changed = false;
                    const auto straight = [&](int nx, int ny) {
                        if (D(nx, ny) < D(x, y) - 10) D(x, y) = D(nx, ny) + 10, changed = true;
                    };
                    const auto diagonal = [&](int dx, int dy) {
                        if (D(x + dx, y + dy) < D(x, y) - 14 && D(x + dx, y) < 20000 && D(x, y + dy) < 20000) {
                            D(x, y) = D(x + dx, y + dy) + 14, changed = true;
                        }
                    };
                    straight(x + 1, y), straight(x - 1, y), straight(x, y + 1), straight(x, y - 1);
                    diagonal(1, 1), diagonal(-1, 1), diagonal(1, -1), diagonal(-1, -1);
                    O(x, y) = changed;
                    for (int a = -1; a <= 1 && changed; ++a) {
                        for (int b = -1; b <= 1; ++b) O(x + a, y + b) = 1;
                    }
                }
            }
        }
    }
};

inline TDistanceField::TOccupied Occupied(const bool (&building)[49][49]) {
    TDistanceField::TOccupied occupied{};
    for (int x = -24; x <= 24; ++x) {
        for (int y = -24; y <= 24; ++y) occupied[TDistanceField::Index(x, y)] = building[x + 24][y + 24];
    }
    return occupied;
}

// Buildings on the cells -12..12 at a density up to `maxDensity` percent; every fourth
// field also a winding maze: every other row walled but for a gap at alternating ends.
// Buildings thus also stand outside the path region and on the base square, which
// both ignore.
inline void RandomBuildings(std::mt19937& random, int field, int maxDensity, bool (&building)[49][49]) {
    const int density = static_cast<int>(random() % static_cast<unsigned>(maxDensity));
    for (int x = -12; x <= 12; ++x) {
        for (int y = -12; y <= 12; ++y) building[x + 24][y + 24] = static_cast<int>(random() % 100) < density;
    }
    for (int y = -9; y <= 9 && field % 4 == 0; y += 2) {
        for (int x = -10; x <= 10; ++x) building[x + 24][y + 24] = x != ((y + 9) % 4 == 0 ? 10 : -10);
    }
}

}  // namespace vandor::test
