// The pointer over the field: the cell it hovers (the cursor, the range marker and
// the ghost of the tower being placed), the clicks that select and deselect, the
// release that builds, and placement mode with the markers of the cells that cannot
// take a tower.

#include "battle/QTDGame.h"

namespace vandor {
namespace {

constexpr int kHoverCursorZ = 300;
constexpr int kBuildingZ = -48;
constexpr int kRangeMarkerZ = 200;
constexpr int kRangeMarkerLift = 8;  // the middle of a cell lies this far above its bottom corner
constexpr int kSeeThrough = 96;      // buildings while placing a tower
constexpr int kBuildingHit = 64;     // buildings otherwise
constexpr TColor32 kRangeColour = 0xFFFFFF66;
constexpr TColor32 kRangeRim = 0x999999;     // its blue becomes the rim's alpha
constexpr TColor32 kRangeInside = 0x333333;  // and the inside's
constexpr TColor32 kRangeOutside = 0xFF000000;

bool OddTag(const TLayerItem& layer) { return layer.Tag % 2 != 0; }

}  // namespace

void TQTDGame::ListenToCell(TLayerItem& layer, bool releases) {
    layer.OnClick = [this](TLayerItem& sender) { CellClicked(sender); };
    if (!releases) return;
    layer.OnMouseUp = [this](TLayerItem& sender, TMouseButton button, TShiftState shift, int, int) {
        CellReleased(sender, button, shift);
    };
}

TQTDGame::TCell* TQTDGame::SelectedCell() {
    return InDrawnField(Selected.X, Selected.Y) ? &Cell(Selected.X, Selected.Y) : nullptr;
}

// Every layer the pointer enters comes here; the even tags are cells (anything else
// decodes to a cell outside the building area).
void TQTDGame::OnCellHover(TLayerItem& layer) {
    if (OddTag(layer)) return;
    const TPoint at = CellOfTag(layer.Tag);
    if (at == Hovered) return;
    Marks.Info = true;
    Hovered = at;
    if (!InBuildArea(at.X, at.Y)) return;
    const TProjection point = ProjectCell(at.X, at.Y);
    HoverCursor->SetPosition(point.X, point.Y + 1, kHoverCursorZ);
    if (PlacementMode && Ghost) {
        PlaceAt(*Ghost, point, kBuildingZ);
        ShowRangeMarker(Range(1, BuildType), point);
        return;
    }
    if (PopUpFrame->Visible()) return;  // the selected tower's range stays
    const TCell& cell = Cell(at.X, at.Y);
    if (cell.Building && cell.Type >= 0 && cell.Level > 0) {
        ShowRangeMarker(Range(cell.Level, cell.Type), point);
    } else {
        RangeMarker->SetVisible(false);
    }
}

void TQTDGame::ShowRangeMarker(int range, const TProjection& cell) {
    SetRangeMarker(range);
    RangeMarker->SetPosition(cell.X, cell.Y - kRangeMarkerLift, cell.Z + kRangeMarkerZ);
    RangeMarker->SetVisible(true);
}

// The release that builds a tower comes first (CellReleased), then as a click on the
// same tile, which must not select the new tower.
void TQTDGame::CellClicked(TLayerItem& layer) {
    if (OddTag(layer)) return;
    if (ClickConsumed) {
        ClickConsumed = false;
        return;
    }
    const TPoint at = CellOfTag(layer.Tag);
    if (!InDrawnField(at.X, at.Y)) return;
    if (Cell(at.X, at.Y).Building) {
        Selected = at;
        Marks.Info = Marks.PopUp = true;
    } else if (Selected.X != kNoCell) {
        Selected = {kNoCell, 0};
        Marks.Info = Marks.PopUp = true;
    }
}

void TQTDGame::CellReleased(TLayerItem& layer, TMouseButton button, TShiftState shift) {
    if (button == TMouseButton::mbRight) {
        CancelSelection();
    } else if (button == TMouseButton::mbLeft && Ghost && !OddTag(layer)) {
        const TPoint at = CellOfTag(layer.Tag);
        if (CanBuildOn(at.X, at.Y)) {
            // Only a press on this very tile makes the release a click too: a tower
            // dragged here from its button must not swallow the next click.
            ClickConsumed = layer.Pressed;
            const int type = BuildType;
            Build(at.X, at.Y, type);
            SetPlacementMode(false);
            if (shift & ssShift) EnterPlacement(type);
        }
    }
    LastShift = shift;
}

void TQTDGame::CancelSelection() {
    Selected = {kNoCell, 0};
    Marks.Info = Marks.PopUp = true;
    CancelPlacement();
    ClickConsumed = false;
}

// The markers in front of every other cell make a release elsewhere impossible with
// the game's pictures; a ground picture whose marker leaves part of a tile open must
// not build on the base or on another tower.
bool TQTDGame::CanBuildOn(int x, int y) const {
    if (!InBuildArea(x, y) || InBaseSquare(x, y)) return false;
    const TCell& cell = Cell(x, y);
    return !cell.Building && !cell.Marker->Visible();
}

// ---------------------------------------------------------------- placement

void TQTDGame::EnterPlacement(int type) {
    if (!Prep || type < 1 || type >= kTowerTypes || Money() < Cost(1, type)) return;
    RemoveGhost();
    if (type != BuildType) Marks.Info = true;
    Marks.PopUp = true;
    Selected = {kNoCell, 0};
    BuildType = type;
    SetPlacementMode(true);
    Ghost = &MakeGhost(type);  // it appears at its cell with the next hover
}

void TQTDGame::CancelPlacement() {
    SetPlacementMode(false);
    if (!Ghost) return;
    RemoveGhost();
    BuildType = -1;
    Marks.Info = true;
}

void TQTDGame::RemoveGhost() {
    if (!Ghost) return;
    Layers.Remove(*Ghost);
    Ghost = nullptr;
}

TLayerItem& TQTDGame::MakeGhost(int type) {
    TLayerItem& ghost = AddPicture(TowerPicture(type), kAnchorBottomCentre, kHitNever);
    ListenToCell(ghost, false);  // for when it has become the tower
    return ghost;
}

// Placement shows a marker on every cell that cannot take a tower: outside the
// building area, taken, in the base square, or one that would cut the enemies off
// from the base ((13, 13) stands for every spawn point, since all around is open).
// Buildings turn see-through and let the pointer pass to the markers.
void TQTDGame::SetPlacementMode(bool on) {
    if (on == PlacementMode) return;
    PlacementMode = on;
    bool prepared = false;
    for (int y = -kDrawn; y <= kDrawn; ++y) {
        for (int x = -kDrawn; x <= kDrawn; ++x) {
            TCell& cell = Cell(x, y);
            if (!on) {
                cell.Marker->SetVisible(false);
                if (cell.Building) {
                    cell.Building->Position.SetAlpha(255);
                    cell.Building->HitAlpha = kBuildingHit;
                }
                continue;
            }
            bool blocked = true;
            if (!InBuildArea(x, y)) {
            } else if (cell.Building) {
                cell.Building->Position.SetAlpha(kSeeThrough);
                cell.Building->HitAlpha = kHitNever;
            } else if (!InBaseSquare(x, y)) {
                if (!prepared) Placement_.Prepare(OccupiedCells(), kDrawn, kDrawn);
                prepared = true;
                blocked = Placement_.CutsOff(x, y);
            }
            cell.Marker->SetVisible(blocked);
        }
    }
}

// A light-yellow ellipse R / 10 cells in radius on screen: alpha 0x33 inside, 0x99 on
// the rim, 0 outside, drawn once per range.
void TQTDGame::SetRangeMarker(int range) {
    if (range <= 0 || range == RangeMarker->Tag) return;
    RangeMarker->Tag = range;
    const int width = range * 32 / 10;
    const int height = range * 16 / 10;
    TBitmap32& marker = *RangeMarker->Bitmap();
    RangeScratch_.SetSize(width, height);
    marker.SetSize(width, height);
    RangeMarker->SetSize(width, height);
    RangeMarker->SrcRect = {0, 0, width, height};
    marker.FillRect(marker.BoundsRect(), kRangeColour);
    RangeScratch_.FillRect(RangeScratch_.BoundsRect(), kRangeOutside);
    RangeScratch_.DrawEllipse(RangeScratch_.BoundsRect(), kRangeRim, kRangeInside);
    TColor32* pixel = marker.Bits();
    const TColor32* shape = RangeScratch_.Bits();
    for (int i = 0; i < width * height; ++i) pixel[i] = (pixel[i] & 0xFFFFFF) | (shape[i] & 0xFF) << 24;
    RangeMarker->Invalidate();
}

}  // namespace vandor
