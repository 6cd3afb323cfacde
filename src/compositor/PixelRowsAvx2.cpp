// Built with AVX2 enabled; PixelRows.cpp calls in here only when the processor has it.
#include <immintrin.h>

#include "compositor/BlendKernels.h"
#include "compositor/PixelRows.h"

namespace vandor {

void BlendRowFullAvx2(TColor32* destination, const TColor32* source, std::size_t count) {
    BlendRowFullKernel<8>(destination, source, count);
}

void BlendRowScaledAvx2(TColor32* destination, const TColor32* source, std::size_t count, uint16_t masterPlusOne) {
    BlendRowScaledKernel<8>(destination, source, count, masterPlusOne);
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
