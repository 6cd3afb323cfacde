#include "shell/BattlePad.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>

#include "battle/QTDGame.h"

namespace vandor {
namespace {

constexpr int kBuildTypes = kTowerTypes - 1;  // build buttons 1..8
constexpr int kPopUpButtons = 3;
constexpr int kTileWidth = 32;
constexpr int kTileHeight = 17;
constexpr int kMiddleLift = 8;  // the middle of a tile lies this far above its bottom corner
constexpr int kGlideStep = 8;   // pixels between the pointer's stops on its way back to the cursor
constexpr TColor32 kCursorRim = 0xFFFFFFFF;
constexpr TColor32 kCursorShade = 0xA0000000;  // inside the rim, so that it shows on light ground too

int FloorDiv(int a, int b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// A white diamond outline with a dark band inside it, the shape of a ground tile.
std::unique_ptr<TBitmap32> CursorPicture() {
    auto picture = std::make_unique<TBitmap32>(kTileWidth, kTileHeight);
    picture->SetDrawMode(TDrawMode::dmBlend);
    for (int y = 0; y < kTileHeight - 1; ++y) {
        const int half = y < 8 ? 2 * y + 2 : 2 * (15 - y) + 2;
        const int left = kTileWidth / 2 - half;
        const int right = kTileWidth / 2 + half - 1;
        for (int x = left; x <= right; ++x) {
            const int fromEdge = std::min(x - left, right - x);
            if (fromEdge < 4) *picture->PixelPtr(x, y) = fromEdge < 2 ? kCursorRim : kCursorShade;
        }
    }
    return picture;
}

enum class TPadAction { Up, Right, Down, Left, PreviousBuild, NextBuild, Click, Back, Start, Fast, Pause };

struct TButtonAction {
    std::string_view Button;  // SDL's name
    TPadAction Action;
};

constexpr std::array<TButtonAction, 11> kButtonActions{{
    {"dpup", TPadAction::Up},
    {"dpright", TPadAction::Right},
    {"dpdown", TPadAction::Down},
    {"dpleft", TPadAction::Left},
    {"leftshoulder", TPadAction::PreviousBuild},
    {"rightshoulder", TPadAction::NextBuild},
    {"a", TPadAction::Click},
    {"b", TPadAction::Back},
    {"x", TPadAction::Start},
    {"y", TPadAction::Fast},
    {"back", TPadAction::Pause},
}};

std::optional<TPadAction> ActionOf(std::string_view button) {
    for (const TButtonAction& entry : kButtonActions) {
        if (entry.Button == button) return entry.Action;
    }
    return std::nullopt;
}

TPoint Middle(const TLayerItem& layer) {
    const TRect& rect = layer.DstRect();
    return {(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
}

}  // namespace

TBattlePad::TBattlePad(TQTDGame& battle, TPadPointer pointer) : Battle_(battle), Pointer_(std::move(pointer)) {}

bool TBattlePad::IsBattleButton(std::string_view name) { return ActionOf(name).has_value(); }

TPoint TBattlePad::CellMiddle(TPoint cell) {
    const TProjection point = TQTDGame::ProjectCell(cell.X, cell.Y);
    return {point.X, point.Y - kMiddleLift};
}

// A tile is a diamond, twice as wide as high: in the axes along its edges the point
// falls into exactly one cell.
TPoint TBattlePad::CellUnder(int x, int y) {
    const TPoint origin = CellMiddle({0, 0});
    const int across = x - origin.X;
    const int down = 2 * (y - origin.Y);
    return {FloorDiv(across + down + kTileWidth / 2, kTileWidth), FloorDiv(across - down + kTileWidth / 2, kTileWidth)};
}

void TBattlePad::Reset() {
    Cursor_ = {0, 0};
    PopUpFocus_ = -1;
    if (CursorLayer_) ShowCursor();
}

void TBattlePad::PointerMoved(int x, int y) {
    const TPoint cell = CellUnder(x, y);
    if (!TQTDGame::InBuildArea(cell.X, cell.Y) || cell == Cursor_) return;
    Cursor_ = cell;
    PopUpFocus_ = -1;
    if (CursorLayer_) ShowCursor();
}

void TBattlePad::Press(std::string_view name) {
    const std::optional<TPadAction> action = ActionOf(name);
    if (!action) return;
    ShowCursor();
    const bool popUpOpen = PopUpOpen();
    switch (*action) {
        case TPadAction::Up: popUpOpen ? FocusPopUpButton(-1) : MoveCursor(0, 1); break;
        case TPadAction::Down: popUpOpen ? FocusPopUpButton(1) : MoveCursor(0, -1); break;
        case TPadAction::Right: MoveCursor(1, 0); break;
        case TPadAction::Left: MoveCursor(-1, 0); break;
        case TPadAction::PreviousBuild: SelectBuildButton(-1); break;
        case TPadAction::NextBuild: SelectBuildButton(1); break;
        case TPadAction::Click: ClickAtFocus(); break;
        case TPadAction::Back: Back(); break;
        case TPadAction::Start: ClickButton(Battle_.StartButton); break;
        case TPadAction::Fast: ClickButton(Battle_.FastButton); break;
        case TPadAction::Pause: ClickButton(Battle_.PauseButton); break;
    }
}

// The cursor stays within the building area: beyond it no tower stands.
void TBattlePad::MoveCursor(int dx, int dy) {
    const int reach = TQTDGame::kBuildArea;
    Cursor_ = {std::clamp(Cursor_.X + dx, -reach, reach), std::clamp(Cursor_.Y + dy, -reach, reach)};
    PopUpFocus_ = -1;
    ShowCursor();
    PointAtCursor();
}

// The pop-up's menu is the one the battle shows for PopUpCell; its buttons are
// focused top to bottom, the first press on the first, wrapping at either end.
void TBattlePad::FocusPopUpButton(int direction) {
    if (Battle_.PopUpCell != FocusCell_) PopUpFocus_ = -1;
    FocusCell_ = Battle_.PopUpCell;
    int focus = PopUpFocus_;
    for (int step = 0; step < kPopUpButtons; ++step) {
        focus = focus < 0 ? 0 : (focus + direction + kPopUpButtons) % kPopUpButtons;
        if (Clickable(Battle_.PopUpButtons[static_cast<std::size_t>(focus)])) {
            PopUpFocus_ = focus;
            PointAtFocus();
            return;
        }
    }
}

bool TBattlePad::PopUpOpen() const { return Battle_.PopUpCell.X != TQTDGame::kNoCell && Battle_.PopUpFrame->Visible(); }

// The build buttons shown are those the money buys; the one after (or before) the
// type being placed is pressed, and without one the first (or last).
void TBattlePad::SelectBuildButton(int direction) {
    const int from = Battle_.PlacementMode ? Battle_.BuildType : direction > 0 ? 0 : kBuildTypes + 1;
    for (int step = 1; step <= kBuildTypes; ++step) {
        const int type = ((from - 1 + direction * step) % kBuildTypes + kBuildTypes) % kBuildTypes + 1;
        const TLayerItem* button = Battle_.BuildButtons[static_cast<std::size_t>(type)];
        if (Clickable(button)) {
            ClickButton(button);
            return;
        }
    }
}

void TBattlePad::ClickButton(const TLayerItem* button) {
    if (!Clickable(button)) return;
    const TPoint middle = Middle(*button);
    Pointer_.MoveTo(middle);
    Click(TMouseButton::mbLeft);
    GlideToCursor(middle);
}

// Back from a button the pointer crosses what lies between, as a hand moves a mouse:
// the battle then sees the cursor's cell entered afresh and shows the ghost of a tower
// just chosen there. Jumping back would leave it unseen after a button whose tag the
// hover ignores, as the cell would count as hovered still.
void TBattlePad::GlideToCursor(TPoint from) {
    const TPoint to = CellMiddle(Cursor_);
    const int steps = std::max(std::abs(to.X - from.X), std::abs(to.Y - from.Y)) / kGlideStep;
    for (int i = 1; i < steps; ++i) {
        Pointer_.MoveTo({from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps});
    }
    Pointer_.MoveTo(to);
}

void TBattlePad::ClickAtFocus() {
    PointAtFocus();
    Click(TMouseButton::mbLeft);
}

// While a caption holds the battle a click is what clears it, with either button.
void TBattlePad::Back() {
    PopUpFocus_ = -1;
    if (Battle_.RefusesPresses()) {
        Click(TMouseButton::mbRight);
    } else if (Battle_.PlacementMode || Battle_.Selected.X != TQTDGame::kNoCell) {
        Battle_.CancelSelection();
    }
    PointAtCursor();
}

void TBattlePad::Click(TMouseButton button) {
    Pointer_.Press(button);
    Pointer_.Release(button);
}

// On the focused pop-up button while its menu is still the one open, else on the cursor.
void TBattlePad::PointAtFocus() {
    if (!PopUpOpen() || Battle_.PopUpCell != FocusCell_) PopUpFocus_ = -1;
    const TLayerItem* button = PopUpFocus_ < 0 ? nullptr : Battle_.PopUpButtons[static_cast<std::size_t>(PopUpFocus_)];
    if (!Clickable(button)) {
        PopUpFocus_ = -1;
        PointAtCursor();
        return;
    }
    Pointer_.MoveTo(Middle(*button));
}

void TBattlePad::PointAtCursor() { Pointer_.MoveTo(CellMiddle(Cursor_)); }

// Drawn in front of the battle's own hover cursor, which stays where the pointer last
// found a free cell while the cursor may lie on a marked one.
void TBattlePad::ShowCursor() {
    if (!CursorLayer_) {
        CursorLayer_ = &Battle_.Layers.AddBitmap(CursorPicture(), 0, 0, kCursorZ, kAnchorBottomCentre);
        CursorLayer_->HitAlpha = kHitNever;
        CursorLayer_->Tag = -1;
    }
    const TPoint middle = CellMiddle(Cursor_);
    CursorLayer_->SetPosition(middle.X, middle.Y + kMiddleLift + 1, kCursorZ);
}

bool TBattlePad::Clickable(const TLayerItem* button) const {
    if (!button || !button->Visible()) return false;
    const TPoint middle = Middle(*button);
    return Battle_.Layers.ItemAt(middle.X, middle.Y) == button;
}

}  // namespace vandor
