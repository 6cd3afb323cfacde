#include "battle/DistanceField.h"

#include <algorithm>

namespace vandor {
namespace {

constexpr int kStepX = TDistanceField::kSide;  // the neighbour at x + 1
constexpr int kStepY = 1;                      // the neighbour at y + 1

bool InBaseSquare(int x, int y) { return x >= -1 && x <= 1 && y >= -1 && y <= 1; }

}  // namespace

void TDistanceField::Compute(const std::array<uint8_t, kCells>& occupied, int bx, int by) {
    Dist_.fill(kNotReached);
    Open_.fill(1);
    int blocked = 0;
    for (int y = -kPathRegion; y <= kPathRegion; ++y) {
        for (int x = -kPathRegion; x <= kPathRegion; ++x) {
            const int i = Index(x, y);
            if (occupied[i] && !InBaseSquare(x, y)) {
                Dist_[i] = kBlocked;
                Open_[i] = 0;
                ++blocked;
            }
        }
    }
    if (bx >= -kReach && bx <= kReach && by >= -kReach && by <= kReach) Dist_[Index(bx, by)] = kBlocked;
    Dist_[Index(0, 0)] = 0;

    int32_t* dist = Dist_.data();
    uint8_t* open = Open_.data();
    const int passes = 2 * blocked / 3 + 36;
    for (int pass = 0, k = 5; pass < passes; ++pass, ++k) {
        const int r = std::min(k / 3, kReach - 1);
        for (int y = -r; y <= r; ++y) {
            for (int x = -r; x <= r; ++x) {
                const int i = Index(x, y);
                if (!open[i]) continue;
                int32_t d = dist[i];
                if (d >= kBlocked) {
                    open[i] = 0;
                    continue;
                }
                const int32_t before = d;
                // Each comparison sees the value the previous one left.
                for (const int n : {i + kStepX, i - kStepX, i + kStepY, i - kStepY}) {
                    if (dist[n] < d - 10) d = dist[n] + 10;
                }
                // Diagonals pass only between two open side cells.
                const auto diagonal = [&](int sideX, int sideY) {
                    const int n = i + sideX + sideY;
                    if (dist[n] < d - 14 && dist[i + sideX] < kBlocked && dist[i + sideY] < kBlocked) {
                        d = dist[n] + 14;
                    }
                };
                diagonal(kStepX, kStepY);
                diagonal(-kStepX, kStepY);
                diagonal(kStepX, -kStepY);
                diagonal(-kStepX, -kStepY);
                if (d != before) {
                    dist[i] = d;
                    for (int dx = -kStepX; dx <= kStepX; dx += kStepX) {
                        for (int dy = -1; dy <= 1; ++dy) open[i + dx + dy] = 1;
                    }
                } else {
                    open[i] = 0;
                }
            }
        }
    }
}

}  // namespace vandor
