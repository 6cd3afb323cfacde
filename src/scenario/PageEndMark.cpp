#include "scenario/PageEndMark.h"

#include <algorithm>

#include "scenario/ScriptFields.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

// The gap between the last character and the mark.
constexpr int kGapAfterText = 4;

}  // namespace

TPageEndMark::~TPageEndMark() = default;

void TPageEndMark::Set(IPictureSource& pictures, const TFields& fields) {
    TFields given = fields;
    PadFields(given, 6);
    if (given[2].empty()) {
        if (Layer_) Layers_.Remove(*Layer_);
        Layer_ = nullptr;
        return;
    }
    TLayerItem* layer =
        Layers_.AddImage(pictures, AsciiLower(WithExtension(given[2], ".png")), 0, 0, kDepth, kAnchorTopLeft);
    if (!layer) return;
    if (Layer_) Layers_.Remove(*Layer_);
    Layer_ = layer;
    Layer_->HitAlpha = kHitNever;
    const TBitmap32& picture = *Layer_->Bitmap();
    const int squareFrames = picture.Height() > 0 ? picture.Width() / picture.Height() : 1;
    Frames_ = std::clamp(ToNumber(given[3], squareFrames), 1, std::max(picture.Width(), 1));
    FrameMs_ = std::max(ToNumber(given[4], kDefaultFrameMs), 1);
    Place_ = given[5] == "右下" ? TPageEndMarkPlace::BottomRight : TPageEndMarkPlace::AfterText;
    Age_ = 0;
    Layer_->SetSize(picture.Width() / Frames_, picture.Height());
    ShowFrame(0);
    Layer_->SetVisible(false);
}

void TPageEndMark::Step(int elapsed, bool shown, TPoint textEnd, const TRect& window, int lineHeight) {
    if (!Layer_) return;
    if (!shown) {
        Age_ = 0;
        Layer_->SetVisible(false);
        return;
    }
    const int width = Layer_->Width();
    const int height = Layer_->Height();
    TPoint at;
    if (Place_ == TPageEndMarkPlace::BottomRight) {
        at = {window.Right - width, window.Bottom - height};
    } else {
        // Beside the last character, centred on its line, and never past the window's
        // right edge: a full last line puts the mark at the edge, over the margin.
        at = {std::min(textEnd.X + kGapAfterText, window.Right - width), textEnd.Y + (lineHeight - height) / 2};
    }
    Layer_->SetPosition(at.X, at.Y, kDepth);
    if (Layer_->Visible()) Age_ += std::max(elapsed, 0);
    ShowFrame(Age_ / FrameMs_ % Frames_);
    Layer_->SetVisible(true);
}

void TPageEndMark::ShowFrame(int frame) {
    const int width = Layer_->Width();
    const TRect source = MakeRect(frame * width, 0, width, Layer_->Height());
    if (Layer_->SrcRect == source) return;
    Layer_->SrcRect = source;
    Layer_->Invalidate();
}

}  // namespace vandor
