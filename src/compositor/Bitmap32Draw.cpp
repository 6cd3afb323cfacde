// Drawing one surface onto another: cutting the source rectangle to the source,
// clipping to the destination, then a per-row copy or blend, stretched by nearest
// neighbour when the sizes differ.

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "compositor/Bitmap32.h"
#include "compositor/PixelRows.h"
#include "compositor/StretchMap.h"

namespace vandor {

namespace {

// One axis of a draw: destination [DstBegin, DstEnd) and source [SrcBegin, SrcEnd).
// 64-bit, so that cutting and clipping far-off rectangles cannot overflow.
struct TAxis {
    int64_t DstBegin;
    int64_t DstEnd;
    int64_t SrcBegin;
    int64_t SrcEnd;
};

int64_t FloorDiv(__int128 numerator, int64_t denominator) {
    const __int128 q = numerator / denominator;
    return static_cast<int64_t>(q * denominator > numerator ? q - 1 : q);
}

int64_t CeilDiv(__int128 numerator, int64_t denominator) {
    const __int128 q = numerator / denominator;
    return static_cast<int64_t>(q * denominator < numerator ? q + 1 : q);
}

// Cuts the source range to [0, limit) and moves the destination inwards in
// proportion: rounded up at the start and down at the end. False when no source
// range remains: an empty rectangle or one beside the source draws nothing, so a
// layer with nothing to show never stops a frame. An inverted one is a caller's
// mistake and raises "Invalid SrcRect".
bool CutToSource(TAxis& axis, int64_t limit) {
    const int64_t srcSize = axis.SrcEnd - axis.SrcBegin;
    const int64_t dstSize = axis.DstEnd - axis.DstBegin;
    if (srcSize < 0) throw std::invalid_argument("Invalid SrcRect");
    if (srcSize == 0 || axis.SrcBegin >= limit || axis.SrcEnd <= 0) return false;
    if (axis.SrcBegin < 0) {
        axis.DstBegin += CeilDiv(static_cast<__int128>(-axis.SrcBegin) * dstSize, srcSize);
        axis.SrcBegin = 0;
    }
    if (axis.SrcEnd > limit) {
        axis.DstEnd -= FloorDiv(static_cast<__int128>(axis.SrcEnd - limit) * dstSize, srcSize);
        axis.SrcEnd = limit;
    }
    return true;
}

}  // namespace

void TBitmap32::Draw(const TRect& dstRect, const TRect& srcRect, const TBitmap32& src) {
    const bool blend = src.DrawMode_ == TDrawMode::dmBlend;
    if (Empty() || src.Empty() || (blend && src.MasterAlpha_ == 0)) return;
    if (&src == this) {
        // Rows would be read after being written; draw from a snapshot instead.
        const TBitmap32 snapshot(src);
        Draw(dstRect, srcRect, snapshot);
        return;
    }

    TAxis h{dstRect.Left, dstRect.Right, srcRect.Left, srcRect.Right};
    TAxis v{dstRect.Top, dstRect.Bottom, srcRect.Top, srcRect.Bottom};
    if (!CutToSource(h, src.Width_) || !CutToSource(v, src.Height_)) return;

    const TRect clip = ClipRect_ ? Intersect(*ClipRect_, BoundsRect()) : BoundsRect();
    const int clipLeft = static_cast<int>(std::max<int64_t>(h.DstBegin, clip.Left));
    const int clipRight = static_cast<int>(std::min<int64_t>(h.DstEnd, clip.Right));
    const int clipTop = static_cast<int>(std::max<int64_t>(v.DstBegin, clip.Top));
    const int clipBottom = static_cast<int>(std::min<int64_t>(v.DstEnd, clip.Bottom));
    if (clipLeft >= clipRight || clipTop >= clipBottom) return;
    const auto count = static_cast<std::size_t>(clipRight - clipLeft);

    if (h.DstEnd - h.DstBegin == h.SrcEnd - h.SrcBegin && v.DstEnd - v.DstBegin == v.SrcEnd - v.SrcBegin) {
        const auto srcX = static_cast<int>(h.SrcBegin + (clipLeft - h.DstBegin));
        const auto srcY = static_cast<int>(v.SrcBegin + (clipTop - v.DstBegin));
        for (int y = clipTop; y < clipBottom; ++y) {
            const TColor32* pixels = src.PixelPtr(srcX, srcY + (y - clipTop));
            if (blend) {
                BlendRow(PixelPtr(clipLeft, y), pixels, count, src.MasterAlpha_);
            } else {
                std::memcpy(PixelPtr(clipLeft, y), pixels, count * sizeof(TColor32));
            }
        }
        return;
    }

    // Each source row is gathered once, however many destination rows repeat it.
    const TRowGather columns(StretchMap(h.SrcBegin, h.SrcEnd, h.DstBegin, h.DstEnd, clipLeft, clipRight), src.Width_);
    const std::vector<int32_t> rows = StretchMap(v.SrcBegin, v.SrcEnd, v.DstBegin, v.DstEnd, clipTop, clipBottom);
    auto gather = [&](TColor32* target, int srcRow) { columns.Gather(target, src.ScanLine(srcRow)); };
    std::vector<TColor32> gathered(blend ? count : 0);
    int previousRow = -1;
    for (int y = clipTop; y < clipBottom; ++y) {
        const int srcRow = rows[static_cast<std::size_t>(y - clipTop)];
        TColor32* target = PixelPtr(clipLeft, y);
        if (blend) {
            if (srcRow != previousRow) gather(gathered.data(), srcRow);
            BlendRow(target, gathered.data(), count, src.MasterAlpha_);
        } else if (srcRow == previousRow) {
            std::memcpy(target, target - Width_, count * sizeof(TColor32));
        } else {
            gather(target, srcRow);
        }
        previousRow = srcRow;
    }
}

void TBitmap32::DrawAt(int x, int y, const TBitmap32& src) { DrawAt(x, y, src.BoundsRect(), src); }

void TBitmap32::DrawAt(int x, int y, const TRect& srcRect, const TBitmap32& src) {
    // Wholly right of or below the surface nothing shows, and x + width might not fit an int.
    if (x >= Width_ || y >= Height_) return;
    Draw(MakeRect(x, y, srcRect.Width(), srcRect.Height()), srcRect, src);
}

void DrawFrame(TBitmap32& target, const TRect& dstRect, const TRect& srcRect, const TBitmap32& src) {
    if (dstRect.IsEmpty() || Intersect(srcRect, src.BoundsRect()).IsEmpty()) return;
    target.Draw(dstRect, srcRect, src);
}

}  // namespace vandor
