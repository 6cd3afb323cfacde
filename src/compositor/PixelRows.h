#pragma once
// Row kernels of surface drawing: the blend (its arithmetic is in BlendKernels.h)
// and the column gather of stretching. Every path, vectorised or not, gives the same
// result bit for bit; the blend matches BlendPixel.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "compositor/Bitmap32.h"

namespace vandor {

// Blends `count` source pixels onto as many destination pixels with the master
// alpha. The two rows must not overlap.
void BlendRow(TColor32* destination, const TColor32* source, std::size_t count, uint8_t masterAlpha);

// The columns of a stretched row, prepared once per draw and gathered for every
// source row it uses: destination[i] = line[columns[i]].
class TRowGather {
public:
    // Every column must lie in [0, sourceWidth).
    TRowGather(std::vector<int32_t> columns, int sourceWidth);

    void Gather(TColor32* destination, const TColor32* line) const;

    // Eight destination pixels that take their source from within eight neighbouring
    // source pixels (any enlargement) are gathered with one shuffle: per block,
    // kWindowStride values, the first source column and the eight offsets from it,
    // or kNoWindow when the block is gathered pixel by pixel.
    static constexpr std::size_t kWindow = 8;
    static constexpr std::size_t kWindowStride = kWindow + 1;
    static constexpr int32_t kNoWindow = -1;

private:
    std::vector<int32_t> Columns_;
    std::vector<int32_t> Windows_;  // only when the shuffles are available
};

// The rows use AVX2 when the processor has it. Switching that off lets tests check
// the baseline rows on any machine; switching it on without AVX2 does nothing.
void EnableWideRows(bool enabled);
bool WideRowsEnabled();

#ifdef VANDOR_AVX2_ROWS
void BlendRowFullAvx2(TColor32* destination, const TColor32* source, std::size_t count);
void BlendRowScaledAvx2(TColor32* destination, const TColor32* source, std::size_t count, uint16_t masterPlusOne);
void GatherWindowsAvx2(TColor32* destination, const TColor32* line, const int32_t* columns, const int32_t* windows,
                       std::size_t count);
// The 2 x 2 box reduction of two 32-bit rows into `outPixels` pixels, four at a time;
// returns how many it made (the rest is left to the caller's plain loop).
int Reduce2RowAvx2(uint8_t* out, const uint8_t* top, const uint8_t* bottom, int outPixels);
#endif

}  // namespace vandor
