#include "compositor/Transitions.h"

#include <gtest/gtest.h>

#include "LayerTestSupport.h"
#include "compositor/LayerList.h"

namespace vandor {
namespace {

using testing::SolidBitmap;

TEST(Transitions, EasedTimeMatchesWorkedValues) {
    EXPECT_EQ(TTransitionItem::EasedTime(450, 900, 5), 224);
    EXPECT_EQ(TTransitionItem::EasedTime(500, 1000, 150), 751);
    EXPECT_EQ(TTransitionItem::EasedTime(300, 1000, 100), 300);
    // A degenerate curve (zero denominator) runs linearly instead of dividing by zero.
    EXPECT_EQ(TTransitionItem::EasedTime(1, 2, 50), 1);
    EXPECT_EQ(TTransitionItem::EasedTime(0, 1, 0), 0);
}

TEST(Transitions, LinearMoveAndEasedValue) {
    TLayerList list(800, 600);
    TLayerItem& layer = list.AddBitmap(SolidBitmap(10, 10, 0xFFFFFFFF), 0, 0, 0, 7);
    list.Transitions.MoveTo(layer, 1000, 100, 0, false);
    std::vector<int> xs;
    for (int i = 0; i < 4; ++i) {
        list.Render(250);
        xs.push_back(layer.Position.X);
    }
    EXPECT_EQ(xs, (std::vector<int>{25, 50, 75, 100}));
    EXPECT_FALSE(list.Transitions.Busy());

    TTransitionItem& eased = list.Transitions.MoveTo(layer, 900, 200, 0, false);
    eased.Easing = 5;
    list.Render(450);
    EXPECT_EQ(layer.Position.X, 124);  // 100 + 24
    EXPECT_EQ(layer.Width(), 10);      // size held
}

TEST(Transitions, ZeroDurationJumpsAndRemovalWaitsForTheWholeStep) {
    TLayerList list(800, 600);
    TLayerItem& fading = list.AddBitmap(SolidBitmap(10, 10, 0xFFFFFFFF), 0, 0, 0, 7);
    TLayerItem& other = list.AddBitmap(SolidBitmap(10, 10, 0xFFFFFFFF), 0, 0, 0, 7);
    list.Transitions.FadeTo(fading, 0, 0, true);
    list.Transitions.MoveTo(other, 0, 40, 50, false);
    list.Render(20);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(other.Position.X, 40);
    EXPECT_EQ(other.Position.Y, 50);

    // A large step ends everything shorter at once.
    TTransitionItem& item = list.Transitions.Add(other, false);
    item.SetTarget(5000, 1, 2, 3, 4, 5, 6);
    list.Transitions.DepthFadeTo(other, 19000, 20000, 255, false);
    list.Transitions.Step(20000);
    EXPECT_FALSE(list.Transitions.Busy());
    EXPECT_EQ(other.Position.Z, 20000);  // the later transition wins
}

TEST(Transitions, CancelDropsOnlyTheFirstAndDeletingALayerForgetsAll) {
    TLayerList list(800, 600);
    TLayerItem& a = list.AddBitmap(SolidBitmap(10, 10, 0xFFFFFFFF), 0, 0, 0, 7);
    TLayerItem& b = list.AddBitmap(SolidBitmap(10, 10, 0xFFFFFFFF), 0, 0, 0, 7);
    list.Transitions.MoveTo(a, 1000, 100, 0, false);
    list.Transitions.FadeTo(a, 1000, 0, false);
    list.Transitions.Cancel(a);
    EXPECT_EQ(list.Transitions.Count(), 1u);
    list.Render(500);
    EXPECT_EQ(a.Position.X, 0);
    EXPECT_EQ(a.Position.Alpha, 127);

    // b fades out and removes itself while a slower move of b is still running: the
    // move must go with it instead of touching a freed layer.
    list.Transitions.FadeTo(b, 100, 0, true);
    list.Transitions.MoveTo(b, 1000, 300, 0, false);
    list.Render(100);
    EXPECT_EQ(list.IndexOf(b), -1);
    EXPECT_EQ(list.Transitions.Count(), 1u);  // a's fade only
    list.Render(1000);
    EXPECT_FALSE(list.Transitions.Busy());
}

}  // namespace
}  // namespace vandor
