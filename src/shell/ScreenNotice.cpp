#include "shell/ScreenNotice.h"

#include <algorithm>

#include "i18n/GameText.h"

namespace vandor {
namespace {

constexpr int kMargin = 12;
constexpr int kPadding = 8;
constexpr TColor32 kBackground = 0xB0000000;
constexpr TColor32 kTextColour = 0xFFFFFFFF;

}  // namespace

void TScreenNotice::Show(std::string text) {
    Text_ = GameText(text);
    Age_ = 0;
    Label_.Font.Height = -18;
    const TSize extent = Label_.TextExtent(Text_);
    Label_.SetSize(extent.Width + 2 * kPadding, extent.Height + 2 * kPadding);
    Label_.Clear(kBackground);
    Label_.DrawText(kPadding, kPadding, Text_, 0, kTextColour);
    Label_.SetDrawMode(TDrawMode::dmBlend);
}

bool TScreenNotice::Step(int elapsed) {
    if (!Visible()) return false;
    Age_ += std::max(elapsed, 0);
    if (Age_ >= kShownMs + kFadeMs) Text_.clear();
    return true;
}

int TScreenNotice::Opacity() const {
    if (!Visible()) return 0;
    if (Age_ <= kShownMs) return 255;
    return std::max(0, 255 * (kShownMs + kFadeMs - Age_) / kFadeMs);
}

const TBitmap32& TScreenNotice::Over(const TBitmap32& picture) {
    Composite_ = picture;
    if (Visible()) {
        Label_.SetMasterAlpha(static_cast<uint8_t>(Opacity()));
        Composite_.DrawAt(kMargin, kMargin, Label_);
    }
    return Composite_;
}

}  // namespace vandor
