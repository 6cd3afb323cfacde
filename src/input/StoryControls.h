#pragma once
// The controller and the new keys in the story scenes and campaign screens. They carry
// no rule of their own: each becomes what the mouse or an existing key would do, through
// IPointerActions, so that every rule of the scenes stays where the mouse reaches it.
//
//   d-pad, left stick, arrows, Tab, Shift+Tab   focus among choices and buttons; without
//                                              them up and down are the Up and Down keys
//   a, Enter (a focused target only)           left click on the focused target, or
//                                              where the pointer is
//   b, Backspace                               right click
//   x                                          Space: hide or show the window
//   y, leftshoulder / rightshoulder            a wheel notch up; up / down
//   righttrigger held                          Ctrl held

#include "compositor/Input.h"
#include "input/FocusRing.h"
#include "input/PadNames.h"
#include "util/Geometry.h"

namespace vandor {

// What the mouse and the keyboard do to the game, for the controls to do the same.
class IPointerActions {
public:
    virtual ~IPointerActions() = default;
    // The pointer onto the target, as near its middle as it reacts to the mouse (text
    // lets the mouse through between its letters).
    virtual void PointAt(const TFocusTarget& target) = 0;
    // Press and release where the pointer is.
    virtual void Click(TMouseButton button) = 0;
    virtual void Wheel(int notch) = 0;
    virtual void HoldKey(int key, bool held) = 0;
    // Key down, its typed character, key up.
    virtual void TypeKey(int key, int character) = 0;
};

class TStoryControls {
public:
    // Below this a trigger counts as released, from kTriggerDown on as held.
    static constexpr int kTriggerDown = 16384;
    static constexpr int kTriggerUp = 8192;

    explicit TStoryControls(IPointerActions& actions) : Actions_(actions) {}

    // The choices or buttons on screen; see TFocusRing::SetTargets.
    TFocusRing& Focus() { return Focus_; }

    void PadButton(TPadButton button, bool down);
    // The right trigger; the sticks come as d-pad buttons (TStickDirections).
    void PadAxis(TPadAxis axis, int value);
    // Arrows, Tab and Backspace; false for any other key, and for arrows without
    // targets, which then keep their own meaning.
    bool KeyDown(int key, TShiftState shift);
    // Enter: clicks the focused target; false when nothing is focused.
    bool Enter();
    // Lets go of the keys the controller holds (it went away, or the game menu opened).
    void ReleaseHeld();

private:
    void Direction(TPadButton button, bool down);
    void StepFocus(int direction);
    void ClickFocused();

    IPointerActions& Actions_;
    TFocusRing Focus_;
    bool UpHeld_ = false;
    bool DownHeld_ = false;
    bool TriggerHeld_ = false;
};

}  // namespace vandor
