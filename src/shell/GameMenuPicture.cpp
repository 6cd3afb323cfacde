// How the in-picture menu looks: the picture behind at half brightness, a dark panel
// in the middle with one row per item, and the focused row in a bright bar with a white
// frame, which stands out whatever the scene behind it shows.

#include <algorithm>

#include "compositor/Bitmap32.h"
#include "shell/GameMenu.h"
#include "shell/MenuModel.h"

namespace vandor {
namespace {

// The panel is as wide as its longest caption needs (slot captions carry a date and the
// campaign's state), within these bounds.
constexpr int kMinPanelWidth = 400;
constexpr int kMaxPanelWidth = 780;
constexpr int kSubmenuMarkRoom = 32;
constexpr int kTitleHeight = 34;
constexpr int kRowHeight = 28;
constexpr int kSeparatorHeight = 10;
constexpr int kMargin = 8;
constexpr int kTextLeft = 36;
constexpr TColor32 kPanel = 0xFF1C2230;
constexpr TColor32 kPanelFrame = 0xFFB8C4DC;
constexpr TColor32 kFocusBar = 0xFF3A62C8;
constexpr TColor32 kFocusFrame = 0xFFFFFFFF;
constexpr TColor32 kText = 0xFFFFFFFF;
constexpr TColor32 kDisabledText = 0xFF7A8090;
constexpr TColor32 kSeparator = 0xFF59627A;
constexpr const char* kFontName = "ＭＳ Ｐゴシック";
constexpr int kFontHeight = 20;

int RowHeight(const TMenuItem& item) { return item.IsSeparator() ? kSeparatorHeight : kRowHeight; }

void Dim(TBitmap32& target) {
    TColor32* pixel = target.Bits();
    const std::size_t count = static_cast<std::size_t>(target.Width()) * static_cast<std::size_t>(target.Height());
    for (std::size_t i = 0; i < count; ++i) pixel[i] = 0xFF000000 | ((pixel[i] >> 1) & 0x7F7F7F);
}

// A small triangle pointing right: the item opens a submenu.
void DrawSubmenuMark(TBitmap32& target, const TRect& row, TColor32 colour) {
    const int x = row.Right - 18;
    const int middle = row.Top + row.Height() / 2;
    for (int k = 0; k < 6; ++k) target.DrawLine(x + k, middle - 5 + k, x + k, middle + 6 - k, colour, false);
}

}  // namespace

int TGameMenu::PanelWidth() const {
    const uint64_t state = Revision_ * 1000003u + Model_.Revision();
    if (WidthFor_ == state && PanelWidth_ > 0) return PanelWidth_;
    TBitmap32 measure;
    measure.Font.Name = kFontName;
    measure.Font.Height = kFontHeight;
    int widest = Level() ? measure.TextWidth(PlainMenuCaption(Level()->Caption())) : 0;
    for (const TMenuItem* item : Rows())
        widest = std::max(widest, measure.TextWidth(PlainMenuCaption(item->Caption())));
    PanelWidth_ = std::clamp(2 * kMargin + kTextLeft + widest + kSubmenuMarkRoom, kMinPanelWidth, kMaxPanelWidth);
    WidthFor_ = state;
    return PanelWidth_;
}

TRect TGameMenu::PanelRect() const {
    int height = 2 * kMargin + (Level() ? kTitleHeight : 0);
    for (const TMenuItem* item : Rows()) height += RowHeight(*item);
    height = std::min(height, kPictureHeight);
    const int width = PanelWidth();
    const int left = (kPictureWidth - width) / 2;
    const int top = (kPictureHeight - height) / 2;
    return {left, top, left + width, top + height};
}

TRect TGameMenu::RowRect(int row) const {
    const auto rows = Rows();
    const TRect panel = PanelRect();
    int top = panel.Top + kMargin + (Level() ? kTitleHeight : 0);
    for (int k = 0; k < row && k < static_cast<int>(rows.size()); ++k)
        top += RowHeight(*rows[static_cast<std::size_t>(k)]);
    const int height =
        row >= 0 && row < static_cast<int>(rows.size()) ? RowHeight(*rows[static_cast<std::size_t>(row)]) : 0;
    return {panel.Left + kMargin, top, panel.Right - kMargin, top + height};
}

void TGameMenu::Draw(TBitmap32& target) const {
    Dim(target);
    const TRect panel = PanelRect();
    target.FillRect(panel, kPanel);
    target.FrameRect(panel, kPanelFrame);
    target.Font.Name = kFontName;
    target.Font.Height = kFontHeight;
    if (const TMenuItem* level = Level()) {
        target.DrawText(panel.Left + kMargin + 8, panel.Top + kMargin + 6, PlainMenuCaption(level->Caption()), 0,
                        kText);
        const int line = panel.Top + kMargin + kTitleHeight - 4;
        target.DrawLine(panel.Left + kMargin, line, panel.Right - kMargin, line, kPanelFrame, false);
    }
    const auto rows = Rows();
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const TMenuItem& item = *rows[static_cast<std::size_t>(row)];
        const TRect rect = RowRect(row);
        if (item.IsSeparator()) {
            const int middle = rect.Top + rect.Height() / 2;
            target.DrawLine(rect.Left + 8, middle, rect.Right - 8, middle, kSeparator, false);
            continue;
        }
        if (row == Focused_) {
            target.FillRect(rect, kFocusBar);
            target.FrameRect(rect, kFocusFrame);
            target.FrameRect({rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1}, kFocusFrame);
        }
        const TColor32 colour = item.Enabled() ? kText : kDisabledText;
        const int textTop = rect.Top + (rect.Height() - kFontHeight) / 2;
        if (item.Checked()) target.DrawText(rect.Left + 10, textTop, "●", 0, colour);
        target.DrawText(rect.Left + kTextLeft, textTop, PlainMenuCaption(item.Caption()), 0, colour);
        if (!item.Items().empty()) DrawSubmenuMark(target, rect, colour);
    }
}

}  // namespace vandor
