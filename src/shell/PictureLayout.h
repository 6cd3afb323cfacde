#pragma once
// Where the 800 x 600 picture sits in a resizable client area: it keeps 4:3, its
// width is a multiple of 40 and its height of 30, and it is centred with black
// bands around it. Scales 1, 2 and 3 are shown by pixel replication; any other size
// goes through the band resampler, which stretches each third of the picture to
// twice the target size and halves it by box filtering.

#include <cstdint>
#include <vector>

#include "compositor/Bitmap32.h"
#include "util/Geometry.h"

namespace vandor {

struct TPictureLayout {
    static constexpr int kPictureWidth = 800;
    static constexpr int kPictureHeight = 600;

    TRect PictureRect;   // in client pixels
    bool Sharp = false;  // a whole-number enlargement, whatever its size

    int Width() const { return PictureRect.Width(); }
    int Height() const { return PictureRect.Height(); }
    // True for the sizes shown by pixel replication alone.
    bool DirectScale() const { return Sharp || Width() == 800 || Width() == 1600 || Width() == 2400; }
    // Client coordinates to picture coordinates; points in the bands fall outside
    // 0..799 x 0..599 and are passed on as they are.
    TPoint ToPicture(int clientX, int clientY) const;
    // The black bands around the picture, at most four rectangles (empty ones skipped).
    int Margins(int clientWidth, int clientHeight, TRect (&rects)[4]) const;
};

// `sharp` asks for the largest whole-number enlargement that fits, its pixels copied
// without smoothing; a client area smaller than the picture is scaled as without it.
TPictureLayout LayoutPicture(int clientWidth, int clientHeight, bool sharp = false);

// The band resampler of the scaled presentation: fills `scaled` (W x H of the
// layout) from the 800 x 600 source. The twice-sized picture is never stored: each
// pair of its rows is gathered from the source just before being halved, so that a
// big window costs two rows of working space, and a changed rectangle of the source
// is scaled alone.
class TBandResampler {
public:
    void Resize(const TPictureLayout& layout);
    const TBitmap32& Resample(const TBitmap32& source);
    // Scales again what `changed` (source pixels) reaches; returns that part of Scaled().
    TRect Resample(const TBitmap32& source, const TRect& changed);
    const TBitmap32& Scaled() const { return Scaled_; }

private:
    TBitmap32 Scaled_;
    // Source column of each column, and source row of each row, of the twice-sized
    // picture; the rows a third at a time, as stretching each third alone places them.
    std::vector<int32_t> Columns_;
    std::vector<int32_t> Rows_;
    TBitmap32 RowPair_;     // two twice-sized rows, the top and bottom of the block halved
    int PairSources_[2]{};  // the source rows gathered into RowPair_, -1 for none
};

}  // namespace vandor
