#include "text/TextRender.h"

#include <algorithm>
#include <cstdlib>

#include "compositor/FontRasterizer.h"

namespace vandor {

TRTextRender::TRTextRender() : Mask_(400, 40), Output_(800, 80) { Output_.SetDrawMode(TDrawMode::dmBlend); }

void TRTextRender::SetQuality(int level) { Quality_ = std::clamp(level, 0, 3); }

void TRTextRender::Configure(int quality, int copiesX, int copiesY, int stepX, int stepY) {
    SetQuality(quality);
    CopiesX = copiesX;
    CopiesY = copiesY;
    StepX = stepX;
    StepY = stepY;
}

void TRTextRender::DrawText(TBitmap32& target, int x, int y, int intensity, TColor32 colour, std::string_view text) {
    if (intensity == 0) return;
    RenderMask(target.Font, text, intensity);
    DrawAgain(target, x, y, colour);
}

void TRTextRender::DrawAgain(TBitmap32& target, int x, int y, TColor32 colour) {
    Colorize(colour);
    target.DrawAt(x, y, MaskRect_, Output_);
}

std::string TRTextRender::MaskKey(const TFont& font, std::string_view text, int intensity) const {
    std::string key = font.Name;
    for (int value : {font.Height, font.Bold ? 1 : 0, Quality_, CopiesX, CopiesY, StepX, StepY, intensity}) {
        key += '\0';
        key += std::to_string(value);
    }
    key += '\0';
    key += text;
    return key;
}

void TRTextRender::RenderMask(const TFont& font, std::string_view text, int intensity) {
    const std::string key = MaskKey(font, text, intensity);
    if (const auto cached = CachedMasks_.find(key); cached != CachedMasks_.end()) {
        const TBitmap32& mask = cached->second;
        MaskRect_ = mask.BoundsRect();
        EnsureSizes(MaskRect_.Width(), MaskRect_.Height());
        Mask_.DrawAt(0, 0, mask);
        return;
    }
    DrawMask(font, text, intensity);
    if (CachedMasks_.size() >= kMaxCachedMasks) CachedMasks_.clear();
    TBitmap32& stored = CachedMasks_[key];
    stored.SetSize(MaskRect_.Width(), MaskRect_.Height());
    stored.DrawAt(0, 0, MaskRect_, Mask_);
}

void TRTextRender::DrawMask(const TFont& font, std::string_view text, int intensity) {
    TFontRasterizer& fonts = TFontRasterizer::Instance();
    const TColor32 red = static_cast<TColor32>(std::clamp(intensity, 0, 255)) << 16;
    // The mask is as tall as the font's character cell, which for some fonts exceeds the
    // nominal height: sized by the nominal height alone, descenders would be cut off.
    const int height = std::max(std::abs(font.Height), fonts.Metrics(font).CellHeight);

    if (Quality_ == 0) {
        MaskRect_ = {0, 0, fonts.Width(font, text) + 2, height + 2};
        CanvasRect_ = MaskRect_;
        EnsureSizes(MaskRect_.Width(), MaskRect_.Height());
        Mask_.FillRect(MaskRect_, 0);
        fonts.Draw(Mask_, 0, 0, font, text, red);
        return;
    }

    const int factor = Quality_ + 1;
    TFont large = font;
    large.Height = font.Height * factor;
    const int largeHeight = std::max(std::abs(large.Height), fonts.Metrics(large).CellHeight);
    CanvasRect_ = {0, 0, fonts.Width(large, text) + factor + 8, largeHeight + factor + 2};
    MaskRect_ = {0, 0, CanvasRect_.Width() / factor, CanvasRect_.Height() / factor};
    CanvasRect_ = {0, 0, MaskRect_.Width() * factor, MaskRect_.Height() * factor};
    EnsureSizes(MaskRect_.Width(), MaskRect_.Height());
    Canvas_.FillRect(CanvasRect_, 0);
    for (int j = 0; j < CopiesY; ++j) {
        for (int i = 0; i < CopiesX; ++i) fonts.Draw(Canvas_, i * StepX, j * StepY, large, text, red);
    }

    const TBitmapInfo canvas = MakeBitmapInfo(Canvas_);
    const TBitmapInfo mask = MakeBitmapInfo(Mask_);
    const int w = CanvasRect_.Width();
    const int h = CanvasRect_.Height();
    switch (Quality_) {
        case 1: Reduce2(mask, 0, 0, canvas, 0, 0, w, h); break;
        case 2: Reduce3(mask, 0, 0, canvas, 0, 0, w, h); break;
        default: {
            const TBitmapInfo output = MakeBitmapInfo(Output_);
            Reduce2(output, 0, 0, canvas, 0, 0, w, h);
            Reduce2(mask, 0, 0, output, 0, 0, w / 2, h / 2);
            break;
        }
    }
}

void TRTextRender::EnsureSizes(int width, int height) {
    Mask_.SetSize(width, height);
    Output_.SetSize(2 * width, 2 * height);
    const int factor = Quality_ + 1;
    // The canvas only grows: it is the largest surface and text sizes vary little.
    Canvas_.SetSize(std::max(Canvas_.Width(), factor * width), std::max(Canvas_.Height(), factor * height));
}

void TRTextRender::Colorize(TColor32 colour) {
    Output_.FillRect(MaskRect_, colour & 0x00FFFFFFu);
    AlphaFromRed(MakeBitmapInfo(Output_), 0, 0, MakeBitmapInfo(Mask_), 0, 0, MaskRect_.Width(), MaskRect_.Height());
}

}  // namespace vandor
