#pragma once
// Where the 800 x 600 picture sits in a resizable client area: it keeps 4:3, its
// width is a multiple of 40 and its height of 30, and it is centred with black
// bands around it. Scales 1, 2 and 3 are shown by pixel replication; any other size
// goes through the band resampler, which stretches a third of the picture at a time
// to twice the target size and halves it by box filtering.

#include "compositor/Bitmap32.h"
#include "util/Geometry.h"

namespace vandor {

struct TPictureLayout {
    static constexpr int kPictureWidth = 800;
    static constexpr int kPictureHeight = 600;

    TRect PictureRect;  // in client pixels

    int Width() const { return PictureRect.Width(); }
    int Height() const { return PictureRect.Height(); }
    // True for the sizes shown by pixel replication alone.
    bool DirectScale() const { return Width() == 800 || Width() == 1600 || Width() == 2400; }
    // Client coordinates to picture coordinates; points in the bands fall outside
    // 0..799 x 0..599 and are passed on as they are.
    TPoint ToPicture(int clientX, int clientY) const;
    // The black bands around the picture, at most four rectangles (empty ones skipped).
    int Margins(int clientWidth, int clientHeight, TRect (&rects)[4]) const;
};

TPictureLayout LayoutPicture(int clientWidth, int clientHeight);

// The band resampler of the scaled presentation: fills `scaled` (W x H of the
// layout) from the 800 x 600 source, using `band` (2W x 2H/3) as working space.
class TBandResampler {
public:
    void Resize(const TPictureLayout& layout);
    const TBitmap32& Resample(const TBitmap32& source);
    const TBitmap32& Scaled() const { return Scaled_; }

private:
    TBitmap32 Scaled_;
    TBitmap32 Band_;
};

}  // namespace vandor
