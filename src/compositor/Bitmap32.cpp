#include "compositor/Bitmap32.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <stdexcept>

namespace vandor {

void TBitmap32::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width_ && height == Height_) return;
    const uint64_t count = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    std::vector<TColor32, TZeroedAllocator<TColor32>> bits;
    try {
        if (count > bits.max_size()) throw std::bad_alloc();
        bits.resize(static_cast<std::size_t>(count));
    } catch (const std::bad_alloc&) {
        throw std::runtime_error("Can't allocate the DIB handle");
    }
    Bits_.swap(bits);
    Width_ = width;
    Height_ = height;
}

void TBitmap32::Clear(TColor32 colour) { std::fill(Bits_.begin(), Bits_.end(), colour); }

void TBitmap32::FillRect(const TRect& rect, TColor32 colour) {
    const TRect clip = Intersect(rect, BoundsRect());
    for (int y = clip.Top; y < clip.Bottom; ++y) std::fill(PixelPtr(clip.Left, y), PixelPtr(clip.Right, y), colour);
}

void TBitmap32::FrameRect(const TRect& rect, TColor32 colour) {
    if (rect.IsEmpty()) return;
    FillRect({rect.Left, rect.Top, rect.Right, rect.Top + 1}, colour);
    FillRect({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, colour);
    FillRect({rect.Left, rect.Top, rect.Left + 1, rect.Bottom}, colour);
    FillRect({rect.Right - 1, rect.Top, rect.Right, rect.Bottom}, colour);
}

// Points off the surface are skipped rather than written out of bounds.
void TBitmap32::DrawLine(int x1, int y1, int x2, int y2, TColor32 colour, bool includeEnd) {
    auto plot = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < Width_ && y < Height_) *PixelPtr(x, y) = colour;
    };
    const int64_t dx = std::abs(static_cast<int64_t>(x2) - x1);
    const int64_t dy = -std::abs(static_cast<int64_t>(y2) - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    int64_t error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        plot(x, y);
        const int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
    if (includeEnd) plot(x2, y2);
}

namespace {

// The pixels [First, Last] of one row of an ellipse; empty when First > Last.
struct TSpan {
    int64_t First = 1;
    int64_t Last = 0;
};

// Row y of the ellipse inscribed in rect: the pixels whose centres lie inside it.
// Worked in doubled coordinates relative to the centre, so both halves mirror exactly.
TSpan EllipseSpan(const TRect& rect, int64_t y) {
    if (y < rect.Top || y >= rect.Bottom) return {};
    const int64_t width = static_cast<int64_t>(rect.Right) - rect.Left;
    const int64_t height = static_cast<int64_t>(rect.Bottom) - rect.Top;
    const int64_t dy = 2 * y + 1 - (static_cast<int64_t>(rect.Top) + rect.Bottom);
    // Largest dx, of the parity of width + 1, with (dx / width)^2 + (dy / height)^2 <= 1.
    const __int128 limit = static_cast<__int128>(width) * width * (height * height - dy * dy);
    auto inside = [&](int64_t dx) { return static_cast<__int128>(dx) * dx * height * height <= limit; };
    int64_t dx = static_cast<int64_t>(
        std::floor(static_cast<double>(width) *
                   std::sqrt(1.0 - static_cast<double>(dy) * dy / (static_cast<double>(height) * height))));
    if ((dx - width - 1) % 2 != 0) --dx;
    while (dx >= 0 && !inside(dx)) dx -= 2;
    while (inside(dx + 2)) dx += 2;
    if (dx < 0) return {};
    const int64_t twiceCentre = static_cast<int64_t>(rect.Left) + rect.Right - 1;
    return {(twiceCentre - dx) / 2, (twiceCentre + dx) / 2};
}

}  // namespace

void TBitmap32::DrawEllipse(const TRect& rect, TColor32 outline, TColor32 fill) {
    // Beyond 2^31 pixels a side the span arithmetic would overflow; no such ellipse is ever wanted.
    constexpr int64_t kMaxSide = int64_t{1} << 31;
    if (rect.IsEmpty() || static_cast<int64_t>(rect.Right) - rect.Left >= kMaxSide ||
        static_cast<int64_t>(rect.Bottom) - rect.Top >= kMaxSide) {
        return;
    }
    const int top = std::max(rect.Top, 0);
    const int bottom = std::min(rect.Bottom, Height_);
    auto put = [&](int y, int64_t first, int64_t last, TColor32 colour) {
        first = std::max<int64_t>(first, 0);
        last = std::min<int64_t>(last, Width_ - 1);
        if (first <= last)
            std::fill(PixelPtr(static_cast<int>(first), y), PixelPtr(static_cast<int>(last) + 1, y), colour);
    };
    for (int y = top; y < bottom; ++y) {
        const TSpan row = EllipseSpan(rect, y);
        if (row.First > row.Last) continue;
        // A pixel is outline when it ends its row or lacks a neighbour above or below.
        const TSpan above = EllipseSpan(rect, static_cast<int64_t>(y) - 1);
        const TSpan below = EllipseSpan(rect, static_cast<int64_t>(y) + 1);
        const int64_t innerFirst = std::max({row.First + 1, above.First, below.First});
        const int64_t innerLast = std::min({row.Last - 1, above.Last, below.Last});
        if (innerFirst > innerLast) {
            put(y, row.First, row.Last, outline);
            continue;
        }
        put(y, row.First, innerFirst - 1, outline);
        put(y, innerFirst, innerLast, fill);
        put(y, innerLast + 1, row.Last, outline);
    }
}

}  // namespace vandor
