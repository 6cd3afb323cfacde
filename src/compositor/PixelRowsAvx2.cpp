// Built with AVX2 enabled; PixelRows.cpp calls in here only when the processor has it.
#include <immintrin.h>

#include "compositor/BlendKernels.h"
#include "compositor/PixelRows.h"

namespace vandor {

namespace {

// The blend's sum per channel, (256 B + W (F - B) + 128) >> 8, is B + ((F - B) W + 128) >> 8.
// With W · 128 as the factor, _mm256_mulhrs_epi16's rounded (x · y + 2^14) >> 15 is that
// second term exactly, in one multiply per lane and with no separate rounding step. The
// factor must stay below 2^15, so W stops at 255; the weight 256 (alpha 255 at full master
// alpha) takes the source whole and is chosen after the mix.
__m256i Mix(__m256i source, __m256i destination, __m256i factor) {
    const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
    const __m256i destinationBlueRed = _mm256_and_si256(destination, lowBytes);
    const __m256i destinationGreenAlpha = _mm256_srli_epi16(destination, 8);
    const __m256i blueRed = _mm256_add_epi16(
        destinationBlueRed,
        _mm256_mulhrs_epi16(_mm256_sub_epi16(_mm256_and_si256(source, lowBytes), destinationBlueRed), factor));
    const __m256i greenAlpha = _mm256_add_epi16(
        destinationGreenAlpha,
        _mm256_mulhrs_epi16(_mm256_sub_epi16(_mm256_srli_epi16(source, 8), destinationGreenAlpha), factor));
    return _mm256_or_si256(blueRed, _mm256_slli_epi16(greenAlpha, 8));
}

// Each pixel's alpha in both of its 16-bit halves, in the low byte or the high one.
__m256i AlphaInBothHalves(__m256i pixels, bool highByte) {
    const __m256i low = _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1,  //
                                         3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1);
    const __m256i high = _mm256_setr_epi8(-1, 3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15,  //
                                          -1, 3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15);
    return _mm256_shuffle_epi8(pixels, highByte ? high : low);
}

__m256i Load(const TColor32* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
void Store(TColor32* p, __m256i pixels) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), pixels); }

}  // namespace

// Master alpha 255: runs of eight transparent pixels are skipped, runs of opaque ones copied.
void BlendRowFullAvx2(TColor32* destination, const TColor32* source, std::size_t count) {
    const __m256i alphas = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i opaqueAlpha = _mm256_set1_epi16(static_cast<int16_t>(0xFF00));
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = Load(source + i);
        if (_mm256_testz_si256(s, alphas)) continue;
        if (_mm256_testc_si256(s, alphas)) {
            Store(destination + i, s);
            continue;
        }
        const __m256i alpha = AlphaInBothHalves(s, true);  // alpha · 256
        const __m256i mixed = Mix(s, Load(destination + i), _mm256_srli_epi16(alpha, 1));
        Store(destination + i, _mm256_blendv_epi8(mixed, s, _mm256_cmpeq_epi16(alpha, opaqueAlpha)));
    }
    for (; i < count; ++i) destination[i] = Mix(source[i], destination[i], FullWeight(source[i]));
}

// Below 255 the weight is (alpha · (M + 1)) >> 8, the high half of alpha · (M + 1) · 256.
void BlendRowScaledAvx2(TColor32* destination, const TColor32* source, std::size_t count, uint16_t masterPlusOne) {
    const __m256i master = _mm256_set1_epi16(static_cast<int16_t>(masterPlusOne << 8));
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = Load(source + i);
        const __m256i weight = _mm256_mulhi_epu16(AlphaInBothHalves(s, false), master);
        Store(destination + i, Mix(s, Load(destination + i), _mm256_slli_epi16(weight, 7)));
    }
    for (; i < count; ++i) destination[i] = Mix(source[i], destination[i], ScaledWeight(source[i], masterPlusOne));
}

void GatherWindowsAvx2(TColor32* destination, const TColor32* line, const int32_t* columns, const int32_t* windows,
                       std::size_t count) {
    constexpr std::size_t kWindow = TRowGather::kWindow;
    std::size_t i = 0;
    for (; i + kWindow <= count; i += kWindow, windows += TRowGather::kWindowStride) {
        if (windows[0] == TRowGather::kNoWindow) {
            for (std::size_t k = i; k < i + kWindow; ++k) destination[k] = line[columns[k]];
            continue;
        }
        const __m256i source = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(line + windows[0]));
        const __m256i offsets = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(windows + 1));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(destination + i), _mm256_permutevar8x32_epi32(source, offsets));
    }
    for (; i < count; ++i) destination[i] = line[columns[i]];
}

// Eight source pixels of each row per step, widened to 16-bit lanes and summed; the
// horizontal neighbours are added within each 128-bit lane, which leaves the four
// results in the low halves of the two lanes, joined before the store.
int Reduce2RowAvx2(uint8_t* out, const uint8_t* top, const uint8_t* bottom, int outPixels) {
    const __m256i zero = _mm256_setzero_si256();
    int x = 0;
    for (; x + 4 <= outPixels; x += 4) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(top + x * 8));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bottom + x * 8));
        // Per lane: pixels 0,1 in the low sum and 2,3 in the high sum.
        const __m256i sumLow = _mm256_add_epi16(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero));
        const __m256i sumHigh = _mm256_add_epi16(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero));
        const __m256i pairLow = _mm256_add_epi16(sumLow, _mm256_srli_si256(sumLow, 8));
        const __m256i pairHigh = _mm256_add_epi16(sumHigh, _mm256_srli_si256(sumHigh, 8));
        const __m256i both = _mm256_unpacklo_epi64(pairLow, pairHigh);
        const __m256i packed = _mm256_packus_epi16(_mm256_srli_epi16(both, 2), zero);
        // Quadwords 0 and 2 hold the four pixels.
        const __m256i joined = _mm256_permute4x64_epi64(packed, 0x08);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x * 4), _mm256_castsi256_si128(joined));
    }
    return x;
}

}  // namespace vandor
