#include "shell/QuickMenu.h"

#include <iterator>

#include "i18n/GameText.h"
#include "shell/MessageTexts.h"

namespace vandor {
namespace {

constexpr const auto& kCaptions = message_text::kQuickMenuCaptions;
static_assert(std::size(kCaptions) == TQuickMenu::kButtons);
constexpr int kFontHeight = -12;
constexpr int kPaddingX = 6;
constexpr int kGap = 3;
constexpr int kEdge = 6;
constexpr TColor32 kBackground = 0xA0000000;
constexpr TColor32 kHoverBackground = 0xE0385C8C;
constexpr TColor32 kBorder = 0x80FFFFFF;
constexpr TColor32 kTextColour = 0xFFE8E8E8;
constexpr TColor32 kOnColour = 0xFFFFD040;

}  // namespace

bool TQuickMenu::Update(bool visible, const TRect& window, bool autoOn, bool skipOn) {
    // Called every frame: the captions are looked up again only when the row shows, moves
    // or lights up anew, or the player switched the language while it shows.
    if (!visible && !Visible_) return false;
    if (visible && Visible_ && window == Window_ && autoOn == AutoOn_ && skipOn == SkipOn_ &&
        GameTextCatalogue() == Language_) {
        return false;
    }
    Visible_ = visible;
    AutoOn_ = autoOn;
    SkipOn_ = skipOn;
    if (visible) {
        LayOut(window);
    } else {
        Hovered_.reset();
        Language_.reset();
    }
    return true;
}

// Right-aligned in the window's bottom right corner, each button as wide as its caption.
void TQuickMenu::LayOut(const TRect& window) {
    Window_ = window;
    Language_ = GameTextCatalogue();
    Button_.Font.Height = kFontHeight;
    int right = window.Right - kEdge;
    const int top = window.Bottom - kEdge / 2 - kButtonHeight;
    for (std::size_t i = std::size(kCaptions); i-- > 0;) {
        Captions_[i] = GameText(kCaptions[i]);
        const int width = Button_.TextWidth(Captions_[i]) + 2 * kPaddingX;
        Rects_[i] = {right - width, top, right, top + kButtonHeight};
        right -= width + kGap;
    }
}

bool TQuickMenu::PointAt(TPoint point) {
    const std::optional<TQuickAction> hovered = ButtonAt(point);
    if (hovered == Hovered_) return false;
    Hovered_ = hovered;
    return true;
}

std::optional<TQuickAction> TQuickMenu::ButtonAt(TPoint point) const {
    if (!Visible_) return std::nullopt;
    for (std::size_t i = 0; i < Rects_.size(); ++i) {
        if (Rects_[i].Contains(point)) return static_cast<TQuickAction>(i);
    }
    return std::nullopt;
}

void TQuickMenu::DrawOn(TBitmap32& picture) {
    if (!Visible_) return;
    for (std::size_t i = 0; i < Rects_.size(); ++i) {
        const auto action = static_cast<TQuickAction>(i);
        const TRect& rect = Rects_[i];
        const bool on = (action == TQuickAction::Auto && AutoOn_) || (action == TQuickAction::Skip && SkipOn_);
        Button_.SetSize(rect.Width(), rect.Height());
        Button_.Clear(Hovered_ == action ? kHoverBackground : kBackground);
        Button_.FrameRect(Button_.BoundsRect(), kBorder);
        const TSize extent = Button_.TextExtent(Captions_[i]);
        Button_.DrawText(kPaddingX, (rect.Height() - extent.Height) / 2, Captions_[i], 0, on ? kOnColour : kTextColour);
        Button_.SetDrawMode(TDrawMode::dmBlend);
        picture.DrawAt(rect.Left, rect.Top, Button_);
    }
}

}  // namespace vandor
