#pragma once
// TBattlePad: the battle played with a game controller or the keys. It has no rules of
// its own: it moves the window's pointer and presses the mouse's buttons where the
// mouse would, so that hover, hit tests and every battle rule are the mouse's and a
// replay stays exact.
//
// A cursor marks a cell of the building area; it starts on the base and the pointer
// rests on its middle. The d-pad moves it one cell a press (up y + 1, right x + 1,
// down y - 1, left x - 1), and it follows the pointer when the mouse or the stick move
// it over the field. The shoulders click the previous or next build button the mouse
// could click, `a` clicks the cursor's cell (which places the tower being placed, or
// selects what stands there), and while a tower's pop-up is open d-pad up and down
// put the pointer on its buttons, for `a` to click. `b` does what the right button
// does on the ground: it ends placement mode and closes the pop-up. x, y and back
// click the start, fast and pause buttons.

#include <functional>
#include <string_view>

#include "compositor/Input.h"
#include "util/Geometry.h"

namespace vandor {

class TLayerItem;
class TQTDGame;

// The window's pointer, as the mouse moves it and presses its buttons; picture
// coordinates.
struct TPadPointer {
    std::function<void(TPoint at)> MoveTo;
    std::function<void(TMouseButton button)> Press;
    std::function<void(TMouseButton button)> Release;
};

class TBattlePad {
public:
    static constexpr int kCursorZ = 299;  // just in front of the battle's hover cursor

    // The battle outlives the pad.
    TBattlePad(TQTDGame& battle, TPadPointer pointer);
    TBattlePad(const TBattlePad&) = delete;
    TBattlePad& operator=(const TBattlePad&) = delete;

    // Whether `name` (SDL's name of a controller button) means something in a battle.
    static bool IsBattleButton(std::string_view name);

    // A battle starts: the cursor goes back to the base.
    void Reset();
    // The mouse or the stick moved the pointer: over the building area, the cursor
    // follows the cell under it.
    void PointerMoved(int x, int y);
    // A battle button went down.
    void Press(std::string_view name);

    TPoint Cursor() const { return Cursor_; }
    // The layer that shows the cursor; none until the pad is first used.
    const TLayerItem* CursorLayer() const { return CursorLayer_; }

    // The middle of the cell's tile on screen, and the cell whose tile holds the point.
    static TPoint CellMiddle(TPoint cell);
    static TPoint CellUnder(int x, int y);

private:
    void MoveCursor(int dx, int dy);
    void FocusPopUpButton(int direction);
    bool PopUpOpen() const;
    void SelectBuildButton(int direction);
    void ClickButton(const TLayerItem* button);
    void GlideToCursor(TPoint from);
    void ClickAtFocus();
    void Back();
    void Click(TMouseButton button);
    void PointAtFocus();
    void PointAtCursor();
    void ShowCursor();
    // Whether a click at the button's middle would reach it.
    bool Clickable(const TLayerItem* button) const;

    TQTDGame& Battle_;
    TPadPointer Pointer_;
    TPoint Cursor_;
    int PopUpFocus_ = -1;  // the pop-up button the pointer rests on, -1 none
    TPoint FocusCell_;     // the cell whose pop-up that button belongs to
    TLayerItem* CursorLayer_ = nullptr;
};

}  // namespace vandor
