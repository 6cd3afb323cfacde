#include "FieldView.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

#include "battle/BattleFile.h"
#include "battle/QTDGame.h"
#include "util/Format.h"

namespace vandor::plan {
namespace {

using TCell = std::pair<int, int>;

// A rectangle of the screen, right and bottom edges excluded.
struct TArea {
    int Left, Top, Right, Bottom;
    bool Contains(TPoint point) const {
        return point.X >= Left && point.X < Right && point.Y >= Top && point.Y < Bottom;
    }
};

// The pictures that stand on a cell, all anchored at its bottom corner: an obstacle
// is a 32 x 32 chip; a tower stands on the middle of its tile and takes clicks on a
// body about 24 pixels wide that rises at most 40 above that middle; the base is
// 48 x 46 and its walls 32 x 32.
TArea PictureArea(int width, int height, TPoint anchor) {
    return {anchor.X - width / 2, anchor.Y - height, anchor.X + width / 2, anchor.Y};
}
TArea ObstacleArea(TPoint anchor) { return PictureArea(32, 32, anchor); }
TArea TowerArea(TPoint anchor) { return PictureArea(24, 48, anchor); }
TArea BaseSquareArea(int x, int y) {
    return x == 0 && y == 0 ? PictureArea(48, 46, CellAnchor(x, y)) : PictureArea(32, 32, CellAnchor(x, y));
}

// The three pop-up buttons, 142 x 24 each, one below the other from 8 pixels above
// the tower's anchor, 24 pixels right of it.
TArea PopUpArea(TPoint anchor) { return {anchor.X + 24, anchor.Y - 8, anchor.X + 24 + 142, anchor.Y - 8 + 3 * 25}; }

constexpr int kBuildingHit = 64;  // the least alpha of a building's pixel that takes a click

TPoint Offset(TPoint anchor, int dx, int dy) { return {anchor.X + dx, anchor.Y + dy}; }

}  // namespace

TPoint CellAnchor(int x, int y) {
    const TProjection point = TQTDGame::ProjectCell(x, y);
    return {point.X, point.Y};
}

TPoint RaisePoint(int x, int y) { return Offset(CellAnchor(x, y), 64, 4); }

TFieldView::TFieldView(std::string_view map, TBitmap32 chips) : Chips_(std::move(chips)) {
    if (map.empty()) return;
    TBattleFile cells;
    cells.Parse(map);
    for (int y = -TQTDGame::kDrawn; y <= TQTDGame::kDrawn; ++y) {
        for (int x = -TQTDGame::kDrawn; x <= TQTDGame::kDrawn; ++x) {
            const int chip = cells.ReadInt(Format("MAP_%d_%d", x + TQTDGame::kGrid, y + TQTDGame::kGrid), -1);
            // The base and its walls keep their cells.
            if (chip >= 0 && !TQTDGame::InBaseSquare(x, y)) Obstacles_[{x, y}] = chip;
        }
    }
}

bool TFieldView::UnderPopUp(TPoint point) const {
    return PopUp_ && PopUpArea(CellAnchor(PopUp_->first, PopUp_->second)).Contains(point);
}

bool TFieldView::Covered(TPoint point, TCell own, TClick click) const {
    if (UnderPopUp(point)) return true;
    const auto covers = [&](const TCell& cell, const TArea& area) {
        if (cell == own || (click == TClick::Place && TQTDGame::InBuildArea(cell.first, cell.second))) return false;
        return area.Contains(point);
    };
    for (const auto& [cell, chip] : Obstacles_) {
        if (covers(cell, ObstacleArea(CellAnchor(cell.first, cell.second))) && ObstacleTakes(point, cell, chip)) {
            return true;
        }
    }
    for (const TCell& cell : Towers_) {
        if (covers(cell, TowerArea(CellAnchor(cell.first, cell.second)))) return true;
    }
    // The base and its walls take a right click as the tiles do.
    if (click == TClick::Deselect) return false;
    for (int y = -1; y <= 1; ++y) {
        for (int x = -1; x <= 1; ++x) {
            if (covers({x, y}, BaseSquareArea(x, y))) return true;
        }
    }
    return false;
}

// The battle's obstacles take clicks where their chip's alpha reaches 64.
bool TFieldView::ObstacleTakes(TPoint point, TCell cell, int chip) const {
    if (Chips_.Empty()) return true;
    const TArea area = ObstacleArea(CellAnchor(cell.first, cell.second));
    const int x = 32 * (chip % 16) + point.X - area.Left;
    const int y = 32 * (chip / 16) + point.Y - area.Top;
    if (x < 0 || y < 0 || x >= Chips_.Width() || y >= Chips_.Height()) return false;
    return static_cast<int>(*Chips_.PixelPtr(x, y) >> 24) >= kBuildingHit;
}

// The middle of the tile comes first: it is where a player clicks, and what plans
// written before this choice clicked.
TPoint TFieldView::TowerPoint(int x, int y) const {
    const TPoint anchor = CellAnchor(x, y);
    for (const TPoint point : {Offset(anchor, 0, -8), Offset(anchor, 0, -20), Offset(anchor, 0, -30),
                               Offset(anchor, -6, -8), Offset(anchor, 6, -8)}) {
        if (!Covered(point, {x, y}, TClick::Select)) return point;
    }
    return Offset(anchor, 0, -8);
}

// The middle of the tile first, then the rest of its diamond row by row.
TPoint TFieldView::PlacingPoint(int x, int y) const {
    const TPoint anchor = CellAnchor(x, y);
    const TPoint middle = Offset(anchor, 0, -8);
    if (!Covered(middle, {x, y}, TClick::Place)) return middle;
    for (int dy = -6; dy <= 6; dy += 2) {
        const int reach = 2 * (7 - std::abs(dy));  // within the diamond, off its rim
        for (int dx = -reach; dx <= reach; dx += 2) {
            const TPoint point = Offset(middle, dx, dy);
            if (!Covered(point, {x, y}, TClick::Place)) return point;
        }
    }
    return middle;
}

// The base square first, where nothing of the map stands, then ring by ring outwards
// the free tiles.
TPoint TFieldView::DeselectPoint() const {
    for (int ring = 0; ring <= TQTDGame::kDrawn; ++ring) {
        for (int y = -ring; y <= ring; ++y) {
            for (int x = -ring; x <= ring; ++x) {
                if (std::max(std::abs(x), std::abs(y)) != ring) continue;
                const bool base = TQTDGame::InBaseSquare(x, y);
                if (!base && (IsObstacle(x, y) || Towers_.contains({x, y}))) continue;
                const TPoint point = Offset(CellAnchor(x, y), 0, -8);
                if (!Covered(point, {x, y}, TClick::Deselect)) return point;
            }
        }
    }
    return Offset(CellAnchor(0, 0), 0, -8);
}

}  // namespace vandor::plan
