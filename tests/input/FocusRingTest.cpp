// The focus among choices and buttons: nothing at first, the first target on the first
// step whichever way, round in both directions, cleared by a new set of targets.

#include "input/FocusRing.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

namespace vandor {
namespace {

const int kIds[4] = {};

std::vector<TFocusTarget> Targets(int count, int top = 100) {
    std::vector<TFocusTarget> targets;
    for (int i = 0; i < count; ++i) targets.push_back({&kIds[i], MakeRect(200, top + 60 * i, 400, 26)});
    return targets;
}

TEST(FocusRingTest, FirstStepFocusesTheFirstTargetAndStepsGoRound) {
    for (const int first : {1, -1}) {
        TFocusRing ring;
        ring.SetTargets(Targets(3));
        EXPECT_FALSE(ring.HasFocus());
        EXPECT_THROW(ring.FocusPoint(), std::logic_error);
        ring.Step(first);
        EXPECT_EQ(ring.Focused(), 0) << "the first step, whichever way, focuses the first target";
        EXPECT_EQ(ring.FocusPoint(), (TPoint{400, 113})) << "the middle of the target";
    }
    TFocusRing ring;
    ring.SetTargets(Targets(3));
    ring.Step(1);
    ring.Step(-1);
    EXPECT_EQ(ring.Focused(), 2) << "back from the first is the last";
    ring.Step(1);
    EXPECT_EQ(ring.Focused(), 0) << "on from the last is the first";
    ring.Step(1);
    ring.Step(1);
    EXPECT_EQ(ring.Focused(), 2);
    EXPECT_EQ(ring.FocusPoint(), (TPoint{400, 233}));

    TFocusRing empty;
    empty.Step(1);
    EXPECT_FALSE(empty.HasFocus()) << "nothing to focus";
}

TEST(FocusRingTest, OtherTargetsClearTheFocusAndMovedOnesKeepIt) {
    TFocusRing ring;
    ring.SetTargets(Targets(3));
    ring.Step(1);
    ring.Step(1);
    ring.SetTargets(Targets(3, 50));
    EXPECT_EQ(ring.Focused(), 1) << "the same targets, moved, keep the focus";
    EXPECT_EQ(ring.FocusPoint(), (TPoint{400, 123})) << "and the focus follows them";

    ring.SetTargets(Targets(2));
    EXPECT_FALSE(ring.HasFocus()) << "a target less is another set: nothing focused when it appears";
    ring.Step(1);
    ring.Step(1);
    auto reordered = Targets(2);
    std::swap(reordered[0], reordered[1]);
    ring.SetTargets(reordered);
    EXPECT_EQ(ring.Focused(), 0) << "buttons that passed one another keep the focus on its target";
    EXPECT_EQ(ring.FocusPoint(), (TPoint{400, 173}));
    ring.Step(1);
    EXPECT_EQ(ring.FocusPoint(), (TPoint{400, 113})) << "and steps go in the new order";
    ring.SetTargets({});
    EXPECT_FALSE(ring.HasFocus());
}

TEST(FocusRingTest, ButtonsGoInReadingOrderByTopThenLeft) {
    const int ids[4] = {};
    std::vector<TFocusTarget> buttons = {{&ids[0], MakeRect(500, 300, 50, 20)},
                                         {&ids[1], MakeRect(100, 300, 50, 20)},
                                         {&ids[2], MakeRect(700, 120, 50, 20)},
                                         {&ids[3], MakeRect(300, 300, 50, 80)}};
    SortByTopThenLeft(buttons);
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_EQ(buttons[0].Id, &ids[2]) << "the highest first, however far right";
    EXPECT_EQ(buttons[1].Id, &ids[1]) << "on one top edge, left to right";
    EXPECT_EQ(buttons[2].Id, &ids[3]);
    EXPECT_EQ(buttons[3].Id, &ids[0]);
}

}  // namespace
}  // namespace vandor
