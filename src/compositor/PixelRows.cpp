#include "compositor/PixelRows.h"

#include <algorithm>
#include <utility>

#include "compositor/BlendKernels.h"

namespace vandor {

namespace {
#ifdef VANDOR_AVX2_ROWS
const bool kHaveAvx2 = __builtin_cpu_supports("avx2");
#else
constexpr bool kHaveAvx2 = false;
#endif
bool UseAvx2 = kHaveAvx2;
}  // namespace

void EnableWideRows(bool enabled) { UseAvx2 = enabled && kHaveAvx2; }

bool WideRowsEnabled() { return UseAvx2; }

void BlendRow(TColor32* destination, const TColor32* source, std::size_t count, uint8_t masterAlpha) {
    if (masterAlpha == 0) return;
    const uint16_t masterPlusOne = static_cast<uint16_t>(masterAlpha + 1);
#ifdef VANDOR_AVX2_ROWS
    if (UseAvx2) {
        if (masterAlpha == 255) {
            BlendRowFullAvx2(destination, source, count);
        } else {
            BlendRowScaledAvx2(destination, source, count, masterPlusOne);
        }
        return;
    }
#endif
    if (masterAlpha == 255) {
        BlendRowFullKernel<4>(destination, source, count);
    } else {
        BlendRowScaledKernel<4>(destination, source, count, masterPlusOne);
    }
}

TRowGather::TRowGather(std::vector<int32_t> columns, int sourceWidth) : Columns_(std::move(columns)) {
#ifdef VANDOR_AVX2_ROWS
    if (!UseAvx2) return;
    Windows_.reserve(Columns_.size() / kWindow * kWindowStride);
    // A window reads eight source pixels from its first column, so it must end inside the row.
    for (std::size_t i = 0; i + kWindow <= Columns_.size(); i += kWindow) {
        const auto [lowest, highest] = std::minmax_element(Columns_.begin() + i, Columns_.begin() + i + kWindow);
        const bool fits = *highest - *lowest < static_cast<int32_t>(kWindow) &&
                          *lowest + static_cast<int64_t>(kWindow) <= sourceWidth;
        Windows_.push_back(fits ? *lowest : kNoWindow);
        for (std::size_t k = i; k < i + kWindow; ++k) Windows_.push_back(fits ? Columns_[k] - *lowest : 0);
    }
#else
    (void)sourceWidth;
#endif
}

void TRowGather::Gather(TColor32* __restrict destination, const TColor32* __restrict line) const {
#ifdef VANDOR_AVX2_ROWS
    if (UseAvx2 && !Windows_.empty()) {
        GatherWindowsAvx2(destination, line, Columns_.data(), Windows_.data(), Columns_.size());
        return;
    }
#endif
    const int32_t* columns = Columns_.data();
    for (std::size_t i = 0; i < Columns_.size(); ++i) destination[i] = line[columns[i]];
}

TColor32 BlendPixel(TColor32 source, TColor32 destination, uint8_t masterAlpha) {
    const uint32_t weight = masterAlpha == 255 ? FullWeight(source) : ScaledWeight(source, masterAlpha + 1u);
    return Mix(source, destination, weight);
}

}  // namespace vandor
