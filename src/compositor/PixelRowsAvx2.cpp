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

}  // namespace vandor
