#pragma once
// TLevelMarks: the player's option that marks the level of each tower and of the base
// with a row of five pips at its foot, the first `level` of them lit. Every level of a
// type shows the same tower picture, so without the marks a raised tower looks like a
// new one. The marks lie above the field and below the panels, so that a tower or an
// enemy in front never hides them; they are never hit, so the pointer lands where it
// lands without them. While the option is off no mark layer exists at all.

#include <vector>

#include "compositor/LayerList.h"
#include "util/Geometry.h"

namespace vandor {

class TLevelMarks {
public:
    static constexpr int kPips = 5;
    static constexpr int kPipStep = 5;  // a pip is 6 pixels square; neighbours share their outline
    static constexpr int kWidth = kPips * kPipStep + 1;
    static constexpr int kHeight = 6;
    static constexpr TColor32 kLit = 0xFFFFD040;
    static constexpr TColor32 kUnlit = 0xA0303030;
    static constexpr TColor32 kOutline = 0xFF181008;

    // `places` is the number of places (cells) a mark can stand on.
    TLevelMarks(TLayerList& layers, int places);
    TLevelMarks(const TLevelMarks&) = delete;
    TLevelMarks& operator=(const TLevelMarks&) = delete;

    bool On() const { return On_; }
    // Turning the marks off removes every mark; turning them on shows nothing until Show.
    void SetOn(bool on);
    // Place `place` shows `level` pips (0 or less: no mark) centred above `foot`, the
    // screen point its building stands on. Does nothing while the option is off.
    void Show(int place, int level, TPoint foot);

private:
    struct TMark {
        TLayerItem* Layer = nullptr;
        int Level = 0;
    };

    void Hide(TMark& mark);

    TLayerList& Layers_;
    std::vector<TMark> Marks_;
    bool On_ = false;
};

// The pips of `level` (clamped to 0..kPips lit) into `pips`, sized kWidth × kHeight.
void DrawLevelPips(TBitmap32& pips, int level);

}  // namespace vandor
