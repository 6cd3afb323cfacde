#pragma once
// What lies where on the battle's screen during a preparation, as far as a plan knows
// it: the map's obstacles, the plan's towers, the base and the open pop-up. It picks
// the screen points whose click reaches the layer meant, since a picture of a cell in
// front, or the pop-up's buttons, take a click before the tile beneath them.

#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

#include "compositor/Bitmap32.h"

namespace vandor::plan {

struct TPoint {
    int X, Y;
};

class TFieldView {
public:
    // The cells of the map (the text of its "stNN.txt") that hold an obstacle; an empty
    // text knows of none. With the chips' picture ("マップチップ.png") an obstacle takes
    // clicks where the battle's would, on its visible pixels; without it, everywhere on
    // its 32 x 32 square.
    explicit TFieldView(std::string_view map, TBitmap32 chips = {});

    bool IsObstacle(int x, int y) const { return Obstacles_.contains({x, y}); }
    void AddTower(int x, int y) { Towers_.insert({x, y}); }
    // The tower whose pop-up is open, or none.
    void OpenPopUp(int x, int y) { PopUp_ = std::make_pair(x, y); }
    void ClosePopUp() { PopUp_.reset(); }
    bool PopUpOpen() const { return PopUp_.has_value(); }
    bool UnderPopUp(TPoint point) const;

    // The point that selects the tower on (x, y).
    TPoint TowerPoint(int x, int y) const;
    // The point that places a tower on the free tile (x, y): while placing, buildings
    // in the building area let the pointer through, obstacles beyond it do not.
    TPoint PlacingPoint(int x, int y) const;
    // A point of a ground tile, the base or a wall that no other layer covers: a right
    // click there closes the pop-up (and would end placing).
    TPoint DeselectPoint() const;

private:
    enum class TClick { Select, Place, Deselect };
    // Whether the pop-up or a picture that takes this click, other than that of cell
    // `own`, covers the point; while placing only the obstacles beyond the building
    // area take clicks.
    bool Covered(TPoint point, std::pair<int, int> own, TClick click) const;
    bool ObstacleTakes(TPoint point, std::pair<int, int> cell, int chip) const;

    std::map<std::pair<int, int>, int> Obstacles_;  // their chips
    TBitmap32 Chips_;
    std::set<std::pair<int, int>> Towers_;
    std::optional<std::pair<int, int>> PopUp_;
};

// The bottom corner of the cell's tile on the screen, where the battle anchors the
// pictures of its cell.
TPoint CellAnchor(int x, int y);
// The pop-up's raise button of the tower on (x, y).
TPoint RaisePoint(int x, int y);

}  // namespace vandor::plan
