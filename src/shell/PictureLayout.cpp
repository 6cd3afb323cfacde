#include "shell/PictureLayout.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "compositor/PixelReduce.h"
#include "compositor/PixelRows.h"
#include "compositor/StretchMap.h"

namespace vandor {

TPictureLayout LayoutPicture(int clientWidth, int clientHeight, bool sharp) {
    const int scale =
        std::min(clientWidth / TPictureLayout::kPictureWidth, clientHeight / TPictureLayout::kPictureHeight);
    if (sharp && scale >= 1) {
        const int width = TPictureLayout::kPictureWidth * scale;
        const int height = TPictureLayout::kPictureHeight * scale;
        const int left = (clientWidth - width) / 2;
        const int top = (clientHeight - height) / 2;
        return {{left, top, left + width, top + height}, true};
    }
    int width = clientWidth / 40 * 40;
    int height = width / 4 * 3;
    if (clientHeight < height) {
        height = clientHeight / 30 * 30;
        width = height / 3 * 4;
    }
    const int left = (clientWidth - width) / 2;
    const int top = (clientHeight - height) / 2;
    return {{left, top, left + width, top + height}, false};
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
    const int width = std::max(layout.Width(), 0);
    const int height = std::max(layout.Height(), 0);
    Scaled_.SetSize(width, height);
    RowPair_.SetSize(2 * width, 2);
    Columns_ = StretchMap(0, TPictureLayout::kPictureWidth, 0, 2 * width, 0, 2 * width);
    Rows_.clear();
    const int sourceRows = TPictureLayout::kPictureHeight / 3;
    const int bandHeight = 2 * height / 3;
    for (int i = 0; i < 3; ++i) {
        const std::vector<int32_t> band =
            StretchMap(sourceRows * i, sourceRows * (i + 1), 0, bandHeight, 0, bandHeight);
        Rows_.insert(Rows_.end(), band.begin(), band.end());
    }
}

const TBitmap32& TBandResampler::Resample(const TBitmap32& source) {
    Resample(source, {0, 0, TPictureLayout::kPictureWidth, TPictureLayout::kPictureHeight});
    return Scaled_;
}

namespace {

// The pixels of the halved picture whose 2 x 2 block takes anything from [begin, end)
// of the source, given the source index of each twice-sized pixel (ascending).
std::pair<int, int> HalvedSpan(const std::vector<int32_t>& sources, int begin, int end) {
    const auto first = std::lower_bound(sources.begin(), sources.end(), begin);
    const auto last = std::lower_bound(first, sources.end(), end);
    // A lone last index (an odd count) makes no whole block.
    const int whole = static_cast<int>(sources.size()) / 2;
    return {static_cast<int>(first - sources.begin()) / 2,
            std::min(static_cast<int>(last - sources.begin() + 1) / 2, whole)};
}

}  // namespace

TRect TBandResampler::Resample(const TBitmap32& source, const TRect& changed) {
    const TRect part = Intersect(changed, {0, 0, TPictureLayout::kPictureWidth, TPictureLayout::kPictureHeight});
    if (part.IsEmpty() || Scaled_.Empty() || source.Width() < TPictureLayout::kPictureWidth ||
        source.Height() < TPictureLayout::kPictureHeight) {
        return {};
    }
    const auto [left, right] = HalvedSpan(Columns_, part.Left, part.Right);
    const auto [top, bottom] = HalvedSpan(Rows_, part.Top, part.Bottom);
    if (left >= right || top >= bottom) return {};
    const TRowGather gather(std::vector<int32_t>(Columns_.begin() + 2 * left, Columns_.begin() + 2 * right),
                            source.Width());
    const std::size_t count = static_cast<std::size_t>(2 * (right - left));
    PairSources_[0] = PairSources_[1] = -1;
    const TBitmapInfo scaled = MakeBitmapInfo(Scaled_);
    const TBitmapInfo pair = MakeBitmapInfo(RowPair_);
    for (int y = top; y < bottom; ++y) {
        for (int k = 0; k < 2; ++k) {
            const int row = Rows_[static_cast<std::size_t>(2 * y + k)];
            if (PairSources_[k] == row) continue;
            if (PairSources_[1 - k] == row) {
                std::memcpy(RowPair_.ScanLine(k), RowPair_.ScanLine(1 - k), count * sizeof(TColor32));
            } else {
                gather.Gather(RowPair_.ScanLine(k), source.ScanLine(row));
            }
            PairSources_[k] = row;
        }
        Reduce2(scaled, left, y, pair, 0, 0, static_cast<int>(count), 2);
    }
    return {left, top, right, bottom};
}

}  // namespace vandor
