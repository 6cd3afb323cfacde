// The controller and the new keys in the story: each must become the pointer move, click,
// wheel notch or key the mouse and the keyboard give, and nothing else.

#include "input/StoryControls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vandor {
namespace {

// Writes down what the controls did, one word each.
class TRecordedActions final : public IPointerActions {
public:
    void PointAt(const TFocusTarget& target) override {
        const TPoint middle{target.Bounds.Left + target.Bounds.Width() / 2,
                            target.Bounds.Top + target.Bounds.Height() / 2};
        Done.push_back("move " + std::to_string(middle.X) + " " + std::to_string(middle.Y));
    }
    void Click(TMouseButton button) override { Done.push_back(button == TMouseButton::mbLeft ? "left" : "right"); }
    void Wheel(int notch) override { Done.push_back("wheel " + std::to_string(notch)); }
    void HoldKey(int key, bool held) override { Done.push_back((held ? "hold " : "let go ") + std::to_string(key)); }
    void TypeKey(int key, int character) override {
        Done.push_back("type " + std::to_string(key) + " " + std::to_string(character));
    }
    std::vector<std::string> Take() { return std::exchange(Done, {}); }

    std::vector<std::string> Done;
};

using TDone = std::vector<std::string>;

const int kIds[3] = {};

void ShowTwoChoices(TStoryControls& controls) {
    controls.Focus().SetTargets({{&kIds[0], MakeRect(216, 271, 300, 26)}, {&kIds[1], MakeRect(216, 337, 300, 26)}});
}

void Press(TStoryControls& controls, TPadButton button) {
    controls.PadButton(button, true);
    controls.PadButton(button, false);
}

TEST(StoryControlsTest, TheDPadAndTheKeysMoveThePointerOntoTheFocusedChoice) {
    TRecordedActions actions;
    TStoryControls controls(actions);
    ShowTwoChoices(controls);
    Press(controls, TPadButton::DpUp);
    EXPECT_EQ(actions.Take(), (TDone{"move 366 284"})) << "the first press focuses the first choice";
    Press(controls, TPadButton::DpRight);
    EXPECT_EQ(actions.Take(), (TDone{"move 366 350"}));
    Press(controls, TPadButton::DpDown);
    EXPECT_EQ(actions.Take(), (TDone{"move 366 284"})) << "round to the first";
    Press(controls, TPadButton::DpLeft);
    EXPECT_EQ(actions.Take(), (TDone{"move 366 350"})) << "left goes back, round to the last";

    EXPECT_TRUE(controls.KeyDown(vkTab, 0));
    EXPECT_TRUE(controls.KeyDown(vkTab, ssShift));
    EXPECT_TRUE(controls.KeyDown(vkDown, 0));
    EXPECT_TRUE(controls.KeyDown(vkUp, 0));
    EXPECT_EQ(actions.Take(), (TDone{"move 366 284", "move 366 350", "move 366 284", "move 366 350"}));

    // a and Enter click where the focus is, even when the mouse moved the pointer away.
    Press(controls, TPadButton::A);
    EXPECT_TRUE(controls.Enter());
    EXPECT_EQ(actions.Take(), (TDone{"move 366 350", "left", "move 366 350", "left"}));
}

TEST(StoryControlsTest, WithoutChoicesUpAndDownAreTheBacklogKeysAndAClicksWhereThePointerIs) {
    TRecordedActions actions;
    TStoryControls controls(actions);
    EXPECT_FALSE(controls.KeyDown(vkUp, 0)) << "the Up key keeps its own meaning";
    EXPECT_FALSE(controls.KeyDown(vkTab, 0));
    EXPECT_FALSE(controls.Enter()) << "Enter turns the page as before";
    EXPECT_TRUE(actions.Take().empty());

    controls.PadButton(TPadButton::DpDown, true);
    controls.PadButton(TPadButton::DpLeft, true);
    EXPECT_EQ(actions.Take(), (TDone{"hold 40"})) << "down is the Down key held; left means nothing here";
    // Choices appear while the button is held: its release still lets the key go.
    ShowTwoChoices(controls);
    controls.PadButton(TPadButton::DpDown, false);
    EXPECT_EQ(actions.Take(), (TDone{"let go 40"}));

    controls.Focus().SetTargets({});
    Press(controls, TPadButton::A);
    EXPECT_EQ(actions.Take(), (TDone{"left"})) << "nothing focused: a click where the pointer is";
}

TEST(StoryControlsTest, EachOtherButtonIsTheMouseOrKeyItStandsFor) {
    TRecordedActions actions;
    TStoryControls controls(actions);
    for (const TPadButton button : {TPadButton::B, TPadButton::X, TPadButton::Y, TPadButton::LeftShoulder,
                                    TPadButton::RightShoulder, TPadButton::Back, TPadButton::LeftStick}) {
        Press(controls, button);
    }
    EXPECT_TRUE(controls.KeyDown(vkBack, 0));
    EXPECT_FALSE(controls.KeyDown('Q', 0));
    EXPECT_EQ(actions.Take(), (TDone{"right", "type 32 32", "wheel -1", "wheel -1", "wheel 1", "right"}));

    // The right trigger is Ctrl: held from half way, let go below a quarter.
    controls.PadAxis(TPadAxis::RightTrigger, 10000);
    controls.PadAxis(TPadAxis::LeftTrigger, 32767);
    EXPECT_TRUE(actions.Take().empty());
    controls.PadAxis(TPadAxis::RightTrigger, 20000);
    controls.PadAxis(TPadAxis::RightTrigger, 32767);
    controls.PadAxis(TPadAxis::RightTrigger, 9000);
    EXPECT_EQ(actions.Take(), (TDone{"hold 17"})) << "once, and held on above the lower threshold";
    controls.PadAxis(TPadAxis::RightTrigger, 0);
    EXPECT_EQ(actions.Take(), (TDone{"let go 17"}));

    // Opening the game menu or losing the controller lets go of what it held.
    controls.PadAxis(TPadAxis::RightTrigger, 32767);
    controls.PadButton(TPadButton::DpUp, true);
    actions.Take();
    controls.ReleaseHeld();
    EXPECT_EQ(actions.Take(), (TDone{"let go 38", "let go 17"}));
    controls.ReleaseHeld();
    controls.PadButton(TPadButton::DpUp, false);
    EXPECT_TRUE(actions.Take().empty()) << "nothing is let go twice";
}

}  // namespace
}  // namespace vandor
