#include "battle/LevelMarks.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

namespace vandor {
namespace {

// Above every layer of the field (ground, buildings, enemies and shots lie at depths of
// some 3000 and more) and the tile under the pointer (300), below every panel, frame,
// button and menu of the interface and the range (204 and less).
constexpr int kMarkZ = 299;
// The pips' bottom row lies on the front half of the building's cell.
constexpr int kAboveFoot = 1;

}  // namespace

void DrawLevelPips(TBitmap32& pips, int level) {
    pips.SetSize(TLevelMarks::kWidth, TLevelMarks::kHeight);
    pips.Clear(0);
    pips.SetDrawMode(TDrawMode::dmBlend);
    const int lit = std::clamp(level, 0, TLevelMarks::kPips);
    for (int i = 0; i < TLevelMarks::kPips; ++i) {
        const TRect pip{i * TLevelMarks::kPipStep, 0, i * TLevelMarks::kPipStep + TLevelMarks::kHeight,
                        TLevelMarks::kHeight};
        pips.FillRect(pip, i < lit ? TLevelMarks::kLit : TLevelMarks::kUnlit);
        pips.FrameRect(pip, TLevelMarks::kOutline);
    }
}

TLevelMarks::TLevelMarks(TLayerList& layers, int places) : Layers_(layers), Marks_(static_cast<std::size_t>(places)) {}

void TLevelMarks::SetOn(bool on) {
    On_ = on;
    if (on) return;
    for (TMark& mark : Marks_) Hide(mark);
}

void TLevelMarks::Show(int place, int level, TPoint foot) {
    if (!On_) return;
    if (place < 0 || place >= static_cast<int>(Marks_.size()))
        throw std::out_of_range("no level mark place " + std::to_string(place));
    TMark& mark = Marks_[static_cast<std::size_t>(place)];
    if (level <= 0) {
        Hide(mark);
        return;
    }
    if (!mark.Layer) {
        mark.Layer = &Layers_.AddBitmap(std::make_unique<TBitmap32>(), 0, 0, kMarkZ, kAnchorBottomCentre);
        mark.Layer->HitAlpha = kHitNever;
        mark.Layer->SetBitmapSize(kWidth, kHeight);
    }
    if (mark.Level != level) {
        DrawLevelPips(*mark.Layer->Bitmap(), level);
        mark.Layer->Invalidate();
        mark.Level = level;
    }
    mark.Layer->SetPosition(foot.X, foot.Y - kAboveFoot, kMarkZ);
}

void TLevelMarks::Hide(TMark& mark) {
    if (!mark.Layer) return;
    Layers_.Remove(*mark.Layer);
    mark = {};
}

}  // namespace vandor
