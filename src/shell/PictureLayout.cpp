#include "shell/PictureLayout.h"

#include "compositor/PixelReduce.h"

namespace vandor {

TPictureLayout LayoutPicture(int clientWidth, int clientHeight) {
    int width = clientWidth / 40 * 40;
    int height = width / 4 * 3;
    if (clientHeight < height) {
        height = clientHeight / 30 * 30;
        width = height / 3 * 4;
    }
    const int left = (clientWidth - width) / 2;
    const int top = (clientHeight - height) / 2;
    return {{left, top, left + width, top + height}};
}

TPoint TPictureLayout::ToPicture(int clientX, int clientY) const {
    if (Width() <= 0 || Height() <= 0) return {clientX, clientY};
    return {(clientX - PictureRect.Left) * kPictureWidth / Width(),
            (clientY - PictureRect.Top) * kPictureHeight / Height()};
}

int TPictureLayout::Margins(int clientWidth, int clientHeight, TRect (&rects)[4]) const {
    int count = 0;
    auto add = [&](TRect rect) {
        if (!rect.IsEmpty()) rects[count++] = rect;
    };
    if (PictureRect.Top > 0) {
        add({0, 0, clientWidth, PictureRect.Top});
        add({0, PictureRect.Bottom, clientWidth, clientHeight});
    }
    if (PictureRect.Left > 0) {
        add({0, PictureRect.Top, PictureRect.Left, PictureRect.Bottom});
        add({PictureRect.Right, PictureRect.Top, clientWidth, PictureRect.Bottom});
    }
    return count;
}

void TBandResampler::Resize(const TPictureLayout& layout) {
    Scaled_.SetSize(layout.Width(), layout.Height());
    Band_.SetSize(2 * layout.Width(), 2 * layout.Height() / 3);
}

const TBitmap32& TBandResampler::Resample(const TBitmap32& source) {
    const int width = Scaled_.Width();
    const int bandHeight = Band_.Height();
    const int rows = TPictureLayout::kPictureHeight / 3;
    for (int i = 0; i < 3; ++i) {
        Band_.Draw({0, 0, 2 * width, bandHeight}, {0, rows * i, TPictureLayout::kPictureWidth, rows * (i + 1)}, source);
        Reduce2(MakeBitmapInfo(Scaled_), 0, Scaled_.Height() / 3 * i, MakeBitmapInfo(Band_), 0, 0, 2 * width,
                bandHeight);
    }
    return Scaled_;
}

}  // namespace vandor
