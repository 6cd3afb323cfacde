// The left stick as a d-pad (story, campaign, game menu) and as a free pointer (battle),
// and the controller's names as SDL spells them.

#include <gtest/gtest.h>

#include "input/PadNames.h"
#include "input/StickDirections.h"
#include "input/StickPointer.h"

namespace vandor {
namespace {

using TChanges = std::vector<TStickDirections::TChange>;

TEST(SticksTest, TheStickPressesADirectionOnceAndReleasesItNearTheMiddle) {
    TStickDirections stick;
    EXPECT_EQ(stick.Axis(TPadAxis::LeftY, -10000), TChanges{}) << "not far enough";
    EXPECT_EQ(stick.Axis(TPadAxis::LeftY, -20000), (TChanges{{TPadButton::DpUp, true}}));
    EXPECT_EQ(stick.Axis(TPadAxis::LeftY, -32768), TChanges{});
    EXPECT_EQ(stick.Axis(TPadAxis::LeftY, -10000), TChanges{}) << "held between the thresholds";
    EXPECT_EQ(stick.Axis(TPadAxis::LeftY, -20000), TChanges{}) << "no second press after a wobble";
    EXPECT_EQ(stick.Axis(TPadAxis::LeftY, 0), (TChanges{{TPadButton::DpUp, false}}));
    EXPECT_EQ(stick.Axis(TPadAxis::LeftX, 30000), (TChanges{{TPadButton::DpRight, true}}));
    EXPECT_EQ(stick.Axis(TPadAxis::LeftX, -30000), (TChanges{{TPadButton::DpRight, false}, {TPadButton::DpLeft, true}}))
        << "straight across: the release comes first";
    EXPECT_EQ(stick.Axis(TPadAxis::RightX, 30000), TChanges{}) << "the right stick is no d-pad";
    EXPECT_EQ(stick.Axis(TPadAxis::LeftY, 30000), (TChanges{{TPadButton::DpDown, true}}));
    EXPECT_EQ(stick.ReleaseAll(), (TChanges{{TPadButton::DpLeft, false}, {TPadButton::DpDown, false}}));
    EXPECT_EQ(stick.ReleaseAll(), TChanges{});
}

TEST(SticksTest, ThePointerGoesFasterTheFurtherTheStickIsPushedAndStaysOnThePicture) {
    TStickPointer stick;
    const TSize picture{800, 600};
    stick.Axis(TPadAxis::LeftX, 7000);
    EXPECT_FALSE(stick.Pushed()) << "inside the dead zone";
    EXPECT_EQ(stick.Step({400, 300}, picture), (TPoint{400, 300}));
    stick.Axis(TPadAxis::LeftX, 32767);
    stick.Axis(TPadAxis::LeftY, -32768);
    EXPECT_TRUE(stick.Pushed());
    EXPECT_EQ(stick.Step({400, 300}, picture), (TPoint{412, 288})) << "top speed both ways";
    stick.Axis(TPadAxis::LeftY, 0);
    stick.Axis(TPadAxis::LeftX, 8001);
    EXPECT_EQ(stick.Step({400, 300}, picture), (TPoint{401, 300})) << "just out of the dead zone it still moves";
    stick.Axis(TPadAxis::LeftX, 20384);
    EXPECT_EQ(stick.Step({400, 300}, picture), (TPoint{406, 300})) << "half way, half speed";
    stick.Axis(TPadAxis::LeftX, 32767);
    EXPECT_EQ(stick.Step({795, 300}, picture), (TPoint{799, 300})) << "kept on the picture";
    stick.Axis(TPadAxis::RightX, -32768);
    stick.Release();
    EXPECT_FALSE(stick.Pushed());
}

TEST(SticksTest, NamesAreSdlsAndEveryOneReadsBack) {
    for (int i = 0; i < kPadButtonCount; ++i) {
        const auto button = static_cast<TPadButton>(i);
        EXPECT_EQ(PadButtonFromName(PadButtonName(button)), button);
    }
    for (int i = 0; i < kPadAxisCount; ++i) {
        const auto axis = static_cast<TPadAxis>(i);
        EXPECT_EQ(PadAxisFromName(PadAxisName(axis)), axis);
    }
    EXPECT_EQ(PadButtonFromName("leftshoulder"), TPadButton::LeftShoulder);
    EXPECT_EQ(PadButtonFromName("dpdown"), TPadButton::DpDown);
    EXPECT_EQ(PadAxisFromName("righttrigger"), TPadAxis::RightTrigger);
    EXPECT_FALSE(PadButtonFromName("A")) << "SDL's names are lower case";
    EXPECT_FALSE(PadButtonFromName("lefttrigger")) << "an axis is no button";
    EXPECT_FALSE(PadAxisFromName(""));
}

}  // namespace
}  // namespace vandor
