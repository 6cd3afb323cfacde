#include "compositor/PixelReduce.h"

#include <algorithm>
#include <cstring>

#include "compositor/PixelRows.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vandor {
namespace {

uint8_t* RowAt(const TBitmapInfo& info, int y) { return info.Bits + static_cast<std::ptrdiff_t>(y) * info.Stride; }

bool SameSupportedDepth(const TBitmapInfo& a, const TBitmapInfo& b) {
    return a.Bits && b.Bits && a.BitsPerPixel == b.BitsPerPixel && (a.BitsPerPixel == 24 || a.BitsPerPixel == 32);
}

// Plain reduction of one output row, for any depth and for the tails of the fast path.
void ReduceRowBytes(uint8_t* out, const uint8_t* const* rows, int blockSize, int bytesPerPixel, int outStart,
                    int outEnd) {
    const bool skipCentre = blockSize == 3;
    const int shift = blockSize == 2 ? 2 : 3;
    for (int x = outStart; x < outEnd; ++x) {
        for (int c = 0; c < bytesPerPixel; ++c) {
            unsigned sum = 0;
            for (int j = 0; j < blockSize; ++j) {
                for (int i = 0; i < blockSize; ++i) {
                    if (skipCentre && i == 1 && j == 1) continue;
                    sum += rows[j][(x * blockSize + i) * bytesPerPixel + c];
                }
            }
            out[x * bytesPerPixel + c] = static_cast<uint8_t>(std::min(sum >> shift, 255u));
        }
    }
}

#if defined(__SSE2__)
// Two output pixels of 32 bits per step: the source bytes are widened to 16-bit lanes,
// summed, shifted and packed with saturation (which never triggers with these sums).
int Reduce2Row32(uint8_t* out, const uint8_t* top, const uint8_t* bottom, int outPixels) {
    const __m128i zero = _mm_setzero_si128();
    int x = 0;
    for (; x + 2 <= outPixels; x += 2) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(top + x * 8));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bottom + x * 8));
        // Lanes: pixels 0,1 (low) and 2,3 (high) of each row.
        const __m128i sumLow = _mm_add_epi16(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero));
        const __m128i sumHigh = _mm_add_epi16(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero));
        // Add the two horizontal neighbours: pixel 0 + pixel 1, pixel 2 + pixel 3.
        const __m128i pairLow = _mm_add_epi16(sumLow, _mm_srli_si128(sumLow, 8));
        const __m128i pairHigh = _mm_add_epi16(sumHigh, _mm_srli_si128(sumHigh, 8));
        const __m128i both = _mm_unpacklo_epi64(pairLow, pairHigh);
        const __m128i packed = _mm_packus_epi16(_mm_srli_epi16(both, 2), zero);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x * 4), packed);
    }
    return x;
}

int Reduce3Row32(uint8_t* out, const uint8_t* r0, const uint8_t* r1, const uint8_t* r2, int outPixels) {
    const __m128i zero = _mm_setzero_si128();
    int x = 0;
    // One output pixel per step; the 16-byte loads read 4 source pixels, of which 3 are used,
    // so the last block of a row is left to the plain loop to stay inside the row.
    for (; x + 1 < outPixels; ++x) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r0 + x * 12));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r1 + x * 12));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r2 + x * 12));
        // Pixels 0 and 1 of each row in the low half, pixel 2 in the high half's low lanes.
        __m128i low = _mm_add_epi16(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(c, zero));
        __m128i high = _mm_add_epi16(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(c, zero));
        const __m128i middleLow = _mm_unpacklo_epi8(b, zero);
        const __m128i middleHigh = _mm_unpackhi_epi8(b, zero);
        // Middle row: left and right pixels only (the centre pixel 1 stays out).
        low = _mm_add_epi16(low, _mm_unpacklo_epi64(middleLow, zero));
        high = _mm_add_epi16(high, middleHigh);
        const __m128i sum = _mm_add_epi16(_mm_add_epi16(low, _mm_srli_si128(low, 8)), high);
        const __m128i packed = _mm_packus_epi16(_mm_srli_epi16(sum, 3), zero);
        const int value = _mm_cvtsi128_si32(packed);
        std::memcpy(out + x * 4, &value, 4);
    }
    return x;
}
#endif

void Reduce(int blockSize, const TBitmapInfo& dst, int dx, int dy, const TBitmapInfo& src, int sx, int sy, int width,
            int height) {
    if (!SameSupportedDepth(dst, src)) return;
    const int bytesPerPixel = src.BitsPerPixel / 8;
    const int outWidth = width / blockSize;
    const int outHeight = height / blockSize;
    if (outWidth <= 0 || outHeight <= 0) return;
    const uint8_t* rows[3];
    for (int y = 0; y < outHeight; ++y) {
        for (int j = 0; j < blockSize; ++j) rows[j] = RowAt(src, sy + y * blockSize + j) + sx * bytesPerPixel;
        uint8_t* out = RowAt(dst, dy + y) + dx * bytesPerPixel;
        int done = 0;
#ifdef VANDOR_AVX2_ROWS
        if (bytesPerPixel == 4 && blockSize == 2 && WideRowsEnabled()) {
            done = Reduce2RowAvx2(out, rows[0], rows[1], outWidth);
        }
#endif
#if defined(__SSE2__)
        if (bytesPerPixel == 4 && done == 0) {
            done = blockSize == 2 ? Reduce2Row32(out, rows[0], rows[1], outWidth)
                                  : Reduce3Row32(out, rows[0], rows[1], rows[2], outWidth);
        }
#endif
        ReduceRowBytes(out, rows, blockSize, bytesPerPixel, done, outWidth);
    }
}

}  // namespace

TBitmapInfo MakeBitmapInfo(TBitmap32& bitmap) {
    TBitmapInfo info;
    info.Width = bitmap.Width();
    info.Height = bitmap.Height();
    info.Stride = bitmap.Width() * 4;
    info.Bits = bitmap.Empty() ? nullptr : reinterpret_cast<uint8_t*>(bitmap.Bits());
    info.BitsPerPixel = 32;
    return info;
}

void Reduce2(const TBitmapInfo& dst, int dx, int dy, const TBitmapInfo& src, int sx, int sy, int width, int height) {
    Reduce(2, dst, dx, dy, src, sx, sy, width, height);
}

void Reduce3(const TBitmapInfo& dst, int dx, int dy, const TBitmapInfo& src, int sx, int sy, int width, int height) {
    Reduce(3, dst, dx, dy, src, sx, sy, width, height);
}

void AlphaFromRed(const TBitmapInfo& dst, int dx, int dy, const TBitmapInfo& src, int sx, int sy, int width,
                  int height) {
    if (!dst.Bits || !src.Bits || dst.BitsPerPixel != 32) return;
    // Negative starts move the other start and shorten the size.
    if (dx < 0) {
        sx -= dx;
        width += dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        height += dy;
        dy = 0;
    }
    if (sx < 0) {
        dx -= sx;
        width += sx;
        sx = 0;
    }
    if (sy < 0) {
        dy -= sy;
        height += sy;
        sy = 0;
    }
    width = std::min({width, dst.Width - dx, src.Width - sx});
    height = std::min({height, dst.Height - dy, src.Height - sy});
    if (width <= 0 || height <= 0) return;
    for (int y = 0; y < height; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(RowAt(dst, dy + y)) + dx;
        const auto* in = reinterpret_cast<const uint32_t*>(RowAt(src, sy + y)) + sx;
        for (int x = 0; x < width; ++x) out[x] |= in[x] << 8;
    }
}

}  // namespace vandor
