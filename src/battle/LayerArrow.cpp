#include "battle/LayerArrow.h"

#include <algorithm>

namespace vandor {
namespace {

TRect SquareAround(int x, int y) { return {x - 4, y - 4, x + 4, y + 4}; }

}  // namespace

TQTDLayerArrow::TQTDLayerArrow(IPictureSource& pictures, std::string_view name) : TLayerItem(pictures, name) { Init(); }

TQTDLayerArrow::TQTDLayerArrow() { Init(); }

void TQTDLayerArrow::Init() {
    Age = 0;
    HitAlpha = kHitNever;
    Position.SetAnchor(5);
    TrailX.fill(kEmpty);
    TrailY.fill(kEmpty);
}

void TQTDLayerArrow::PushTrail() {
    std::copy_backward(TrailX.begin(), TrailX.end() - 1, TrailX.end());
    std::copy_backward(TrailY.begin(), TrailY.end() - 1, TrailY.end());
    TrailX[0] = Position.X;
    TrailY[0] = Position.Y;
}

// Changed stays set: the battle moves every projectile each tick, so a list holding
// them redraws every frame anyway.
void TQTDLayerArrow::Draw(TBitmap32& target) {
    if (!Visible()) return;
    switch (Kind) {
        case 0:
        case 7: DrawSprite(target, {8, 8, 16, 16}, {0, 16, 16, 32}); break;
        case 8: DrawSprite(target, {16, 8, 24, 16}, {16, 16, 32, 32}); break;
        case 4:
            if (Bitmap()) DrawFrame(target, DstRect(), {0, 8, 8, 16}, *Bitmap());
            break;
        case 3: DrawLine(target, 0xFFFF3300, 0xFF660000); break;
        case 5: DrawLine(target, 0xFF00FF66, 0xFF003300); break;
        case kDebris: DrawDebris(target); break;
        default: DrawLine(target, 0xFFFFFFFF, 0xFF663300); break;
    }
}

void TQTDLayerArrow::DrawSprite(TBitmap32& target, const TRect& dot, const TRect& body) {
    if (!Bitmap()) return;
    Bitmap()->SetMasterAlpha(static_cast<uint8_t>(std::clamp(Position.Alpha, 0, 255)));
    DrawFrame(target, SquareAround(TrailX[2], TrailY[2]), dot, *Bitmap());
    DrawFrame(target, SquareAround(TrailX[1], TrailY[1]), dot, *Bitmap());
    DrawFrame(target, DstRect(), body, *Bitmap());
}

void TQTDLayerArrow::DrawLine(TBitmap32& target, TColor32 dot, TColor32 line) {
    const int x = Position.X;
    const int y = Position.Y;
    target.FillRect({x - 1, y - 1, x + 1, y + 1}, dot);
    if (TrailSet(2)) target.DrawLine(x, y, TrailX[2], TrailY[2], line, false);
}

// Each square is blended straight into the target: the very pixels that drawing a 5 × 5
// blend-mode bitmap holding the square in its corner would give (a transparent pixel
// leaves the target as it is), without a bitmap or a general Draw call per square.
void TQTDLayerArrow::DrawDebris(TBitmap32& target) {
    const TColor32 colour = static_cast<TColor32>(Tag) & 0xFFFFFF;
    for (int i = kTrailLength - 1; i >= 0; --i) {
        const int e = std::clamp((11 - i - Age / 8) / 2, 1, 5);
        const int o = e / 2;
        const int a = i == 0 ? 255 - 3 * Age : 160 - 3 * Age - 11 * i;
        // An empty entry lies far off the target, where its square would draw nothing.
        if (a <= 0 || !TrailSet(i)) continue;
        const TColor32 pixel = (static_cast<TColor32>(a) << 24) + (i == 0 ? colour : 0xFFFFFF);
        const auto k = static_cast<std::size_t>(i);
        const int left = std::max(TrailX[k] - o, 0);
        const int right = std::min(TrailX[k] - o + e, target.Width());
        for (int y = std::max(TrailY[k] - o, 0); y < std::min(TrailY[k] - o + e, target.Height()); ++y) {
            TColor32* row = target.ScanLine(y);
            for (int x = left; x < right; ++x) row[x] = BlendPixel(pixel, row[x], 255);
        }
    }
}

}  // namespace vandor
