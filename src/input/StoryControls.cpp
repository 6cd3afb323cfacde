#include "input/StoryControls.h"

namespace vandor {

void TStoryControls::PadButton(TPadButton button, bool down) {
    switch (button) {
        case TPadButton::DpUp:
        case TPadButton::DpDown:
        case TPadButton::DpLeft:
        case TPadButton::DpRight: Direction(button, down); return;
        default: break;
    }
    if (!down) return;
    switch (button) {
        case TPadButton::A: ClickFocused(); break;
        case TPadButton::B: Actions_.Click(TMouseButton::mbRight); break;
        case TPadButton::X: Actions_.TypeKey(vkSpace, vkSpace); break;
        case TPadButton::Y:
        case TPadButton::LeftShoulder: Actions_.Wheel(-1); break;
        case TPadButton::RightShoulder: Actions_.Wheel(1); break;
        default: break;
    }
}

// With targets every direction moves the focus (down and right forwards); without,
// up and down are held as the Up and Down keys are. A release always lets go of what
// its press held, even when targets appeared in between.
void TStoryControls::Direction(TPadButton button, bool down) {
    const bool vertical = button == TPadButton::DpUp || button == TPadButton::DpDown;
    bool& held = button == TPadButton::DpUp ? UpHeld_ : DownHeld_;
    if (!down) {
        if (vertical && held) {
            held = false;
            Actions_.HoldKey(button == TPadButton::DpUp ? vkUp : vkDown, false);
        }
        return;
    }
    if (!Focus_.Targets().empty()) {
        StepFocus(button == TPadButton::DpDown || button == TPadButton::DpRight ? 1 : -1);
    } else if (vertical && !held) {
        held = true;
        Actions_.HoldKey(button == TPadButton::DpUp ? vkUp : vkDown, true);
    }
}

void TStoryControls::PadAxis(TPadAxis axis, int value) {
    if (axis != TPadAxis::RightTrigger) return;
    const bool held = TriggerHeld_ ? value >= kTriggerUp : value >= kTriggerDown;
    if (held == TriggerHeld_) return;
    TriggerHeld_ = held;
    Actions_.HoldKey(vkControl, held);
}

bool TStoryControls::KeyDown(int key, TShiftState shift) {
    if (key == vkBack) {
        Actions_.Click(TMouseButton::mbRight);
        return true;
    }
    if (Focus_.Targets().empty()) return false;
    switch (key) {
        case vkTab: StepFocus((shift & ssShift) ? -1 : 1); return true;
        case vkDown:
        case vkRight: StepFocus(1); return true;
        case vkUp:
        case vkLeft: StepFocus(-1); return true;
        default: return false;
    }
}

bool TStoryControls::Enter() {
    if (!Focus_.HasFocus()) return false;
    ClickFocused();
    return true;
}

void TStoryControls::ReleaseHeld() {
    if (UpHeld_) Actions_.HoldKey(vkUp, false);
    if (DownHeld_) Actions_.HoldKey(vkDown, false);
    if (TriggerHeld_) Actions_.HoldKey(vkControl, false);
    UpHeld_ = DownHeld_ = TriggerHeld_ = false;
}

void TStoryControls::StepFocus(int direction) {
    Focus_.Step(direction);
    if (Focus_.HasFocus()) Actions_.PointAt(Focus_.Targets()[static_cast<std::size_t>(Focus_.Focused())]);
}

// The pointer goes back onto the focused target first: the mouse may have moved it away.
void TStoryControls::ClickFocused() {
    if (Focus_.HasFocus()) Actions_.PointAt(Focus_.Targets()[static_cast<std::size_t>(Focus_.Focused())]);
    Actions_.Click(TMouseButton::mbLeft);
}

}  // namespace vandor
