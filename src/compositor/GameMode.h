#pragma once
// The seam between the main window and what it shows: the window runs the frames,
// presents the back surface and hands the input to whichever mode is active, without
// knowing which one it is.

#include "compositor/DirtyRegion.h"
#include "compositor/Input.h"

namespace vandor {

class TBitmap32;

// One of the game's two modes (the story scenes or the battle) as the main window drives it.
class IGameMode {
public:
    virtual ~IGameMode() = default;
    // One frame of `elapsedMs`; true when the back surface was redrawn.
    virtual bool Update(int elapsedMs) = 0;
    virtual const TBitmap32& BackSurface() const = 0;
    // The part of the back surface redrawn since the last call; a mode that cannot
    // tell says the whole of it.
    virtual TDirtyRegion TakeChanged() {
        TDirtyRegion whole;
        whole.AddWhole();
        return whole;
    }
    // Picture coordinates (800 x 600).
    virtual void MouseMove(int x, int y) = 0;
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y) = 0;
    // A typed character (Enter 13, Space 32).
    virtual void KeyPress(int character) = 0;
};

}  // namespace vandor
