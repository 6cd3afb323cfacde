#pragma once
// The quick menu: a row of small buttons on the message window (backlog, auto, skip,
// quick save, quick load, the game menu) for players who would rather click than
// remember keys. Like the notices it is drawn over the picture as it is presented,
// never into the stage: scripts, screenshots and the saved picture do not see it,
// and while it is hidden the picture goes out untouched.

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "compositor/Bitmap32.h"
#include "util/Geometry.h"

namespace vandor {

class TCatalogue;

enum class TQuickAction { BackLog, Auto, Skip, QuickSave, QuickLoad, GameMenu };

class TQuickMenu {
public:
    static constexpr int kButtons = 6;
    static constexpr int kButtonHeight = 18;

    // Shows the row along the bottom right of `window` (the message window on the
    // stage), or hides it; `autoOn` and `skipOn` light their buttons. True when the
    // presented picture must be made again.
    bool Update(bool visible, const TRect& window, bool autoOn, bool skipOn);
    // The pointer moved to `point` (picture coordinates); true when the hover changed.
    bool PointAt(TPoint point);
    bool Visible() const { return Visible_; }
    // The button under `point`, while the row is shown.
    std::optional<TQuickAction> ButtonAt(TPoint point) const;
    TRect ButtonRect(TQuickAction action) const { return Rects_[Index(action)]; }
    std::optional<TQuickAction> Hovered() const { return Hovered_; }
    void DrawOn(TBitmap32& picture);

private:
    static std::size_t Index(TQuickAction action) { return static_cast<std::size_t>(action); }
    void LayOut(const TRect& window);

    bool Visible_ = false;
    TRect Window_;
    bool AutoOn_ = false;
    bool SkipOn_ = false;
    std::optional<TQuickAction> Hovered_;
    // The captions laid out, and the catalogue they came from: held, so that the
    // catalogue of another language cannot take its place unnoticed at its address.
    std::array<std::string, kButtons> Captions_;
    std::shared_ptr<const TCatalogue> Language_;
    std::array<TRect, kButtons> Rects_{};
    TBitmap32 Button_;
};

}  // namespace vandor
