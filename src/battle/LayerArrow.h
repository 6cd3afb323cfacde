#pragma once
// TQTDLayerArrow: the layer of one flying thing of the battle — an arrow drawn as a
// short line, a stone or a magic shot from the sprite sheet "弾丸.png", or a particle
// of debris of a fallen enemy. It remembers the last eight screen points it was
// placed at and draws from that trail: lines from two ticks back to now, sprites
// with two trailing dots, debris as a fading streak. The battle places it every tick
// and calls PushTrail right after; its drawn rectangle follows once a frame.

#include <array>
#include <cstdint>
#include <string_view>

#include "compositor/LayerItem.h"

namespace vandor {

class TQTDLayerArrow : public TLayerItem {
public:
    static constexpr int kTrailLength = 8;
    static constexpr int32_t kEmpty = -65535;  // a trail entry not yet set
    static constexpr int kDebris = -1;

    // A sprite shot from the shared picture.
    TQTDLayerArrow(IPictureSource& pictures, std::string_view name);
    // A line shot or a particle of debris, drawn without a picture.
    TQTDLayerArrow();

    void PushTrail();
    void Draw(TBitmap32& target) override;
    // Trails and lines reach outside the layer's rectangle.
    bool DrawsWithinRect() const override { return false; }

    std::array<int32_t, kTrailLength> TrailX{};
    std::array<int32_t, kTrailLength> TrailY{};
    int32_t Age = 0;
    int32_t Kind = 0;

private:
    void Init();
    bool TrailSet(int k) const { return TrailX[static_cast<std::size_t>(k)] > kEmpty; }
    void DrawSprite(TBitmap32& target, const TRect& dot, const TRect& body);
    void DrawLine(TBitmap32& target, TColor32 dot, TColor32 line);
    void DrawDebris(TBitmap32& target);
};

}  // namespace vandor
