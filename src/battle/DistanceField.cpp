#include "battle/DistanceField.h"

#include <cstring>

namespace vandor {
namespace {

constexpr int kStepX = 1;                      // the neighbour at x + 1
constexpr int kStepY = TDistanceField::kSide;  // the neighbour at y + 1

// Eight flags at once: most cells of a pass are closed, and their rows lie side by side.
bool EightClosed(const uint8_t* open) {
    uint64_t flags;
    std::memcpy(&flags, open, sizeof flags);
    return flags == 0;
}

}  // namespace

void TDistanceField::Compute(const TOccupied& occupied, int bx, int by) {
    const int passes = Start(occupied, bx, by);
    for (int pass = 0; pass < passes; ++pass) RunPass(pass);
}

int TDistanceField::Start(const TOccupied& occupied, int bx, int by) {
    Dist_.fill(kNotReached);
    Open_.fill(1);
    int blocked = 0;
    for (int y = -kPathRegion; y <= kPathRegion; ++y) {
        for (int x = -kPathRegion; x <= kPathRegion; ++x) {
            if (occupied[Index(x, y)] && !InBaseSquare(x, y)) {
                Dist_[Index(x, y)] = kBlocked;
                Open_[Index(x, y)] = 0;
                ++blocked;
            }
        }
    }
    if (bx >= -kReach && bx <= kReach && by >= -kReach && by <= kReach) Block(bx, by);
    Dist_[Index(0, 0)] = 0;
    return 2 * blocked / 3 + 36;
}

void TDistanceField::RunPass(int pass) {
    int32_t* dist = Dist_.data();
    uint8_t* open = Open_.data();
    const int r = PassRadius(pass);
    for (int y = -r; y <= r; ++y) {
        // x = -r..r, in this order, skipping closed cells.
        const int end = Index(r, y) + 1;
        for (int i = Index(-r, y); i < end;) {
            if (!open[i]) {
                if (i + 8 <= end && EightClosed(open + i)) {
                    i += 8;
                } else {
                    ++i;
                }
                continue;
            }
            const int32_t before = dist[i];
            if (before >= kBlocked) {
                open[i++] = 0;
                continue;
            }
            // A neighbour replaces the value only when it is lower after its step, so
            // the comparisons in turn, each seeing the value the last one left, end at
            // the lowest candidate, which is taken at once. Diagonals count only
            // between two open side cells.
            // By value, unlike std::min's references, so that it compiles to no branch.
            const auto lowest = [](int32_t a, int32_t b) { return a < b ? a : b; };
            const auto diagonal = [&](int sideX, int sideY) {
                const bool between = dist[i + sideX] < kBlocked && dist[i + sideY] < kBlocked;
                return between ? dist[i + sideX + sideY] + 14 : kBlocked;
            };
            const int32_t straight =
                lowest(lowest(dist[i + kStepX], dist[i - kStepX]), lowest(dist[i + kStepY], dist[i - kStepY])) + 10;
            const int32_t slanted = lowest(lowest(diagonal(kStepX, kStepY), diagonal(-kStepX, kStepY)),
                                           lowest(diagonal(kStepX, -kStepY), diagonal(-kStepX, -kStepY)));
            const int32_t d = lowest(before, lowest(straight, slanted));
            if (d != before) {
                dist[i] = d;
                for (int dy = -kStepY; dy <= kStepY; dy += kStepY) {
                    for (int dx = -1; dx <= 1; ++dx) open[i + dy + dx] = 1;
                }
            } else {
                open[i] = 0;
            }
            ++i;
        }
    }
}

}  // namespace vandor
