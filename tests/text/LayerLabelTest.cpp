#include "text/LayerLabel.h"

#include <gtest/gtest.h>

#include "compositor/LayerList.h"

namespace vandor {
namespace {

class LayerLabelTest : public ::testing::Test {
protected:
    TLayerLabel& MakeLabel(bool enabled) {
        auto made = std::make_unique<TLayerLabel>(renderer);
        made->Enabled = enabled;
        made->Bitmap()->Font.Name = "ＭＳ ゴシック";
        made->Bitmap()->Font.Height = 22;
        made->SetCaption("森へ向かう");
        TLayerLabel& label = list.Add(std::move(made));
        label.SetPosition(100, 100, 0);
        return label;
    }
    TRTextRender renderer;
    TLayerList list{800, 600};
};

TEST_F(LayerLabelTest, SizeAndThreeFramesFollowTheCaption) {
    TLayerLabel& label = MakeLabel(true);
    TBitmap32 bold;
    bold.Font = {"ＭＳ ゴシック", 22, 0xFFFFFFFF, true};
    const int width = bold.TextWidth("森へ向かう") + 8;
    EXPECT_EQ(label.Width(), width);
    EXPECT_EQ(label.Height(), 26);
    EXPECT_EQ(label.Bitmap()->Width(), width);
    EXPECT_EQ(label.Bitmap()->Height(), 78);
    // The hover and pressed rows lie on the translucent band; the normal row is clear
    // outside the text.
    EXPECT_EQ(*label.Bitmap()->PixelPtr(width - 1, 27), 0x22FFFFFFu);
    EXPECT_EQ(*label.Bitmap()->PixelPtr(width - 1, 0), 0u);

    list.MouseMove(105, 105);
    EXPECT_EQ(label.SrcRect, (TRect{0, 26, width, 52}));
    list.MouseDown(TMouseButton::mbRight, 0, 105, 105);  // any button shows the pressed frame
    EXPECT_EQ(label.SrcRect, (TRect{0, 52, width, 78}));
    list.MouseUp(TMouseButton::mbRight, 0, 105, 105);  // release: normal, though still over it
    EXPECT_EQ(label.SrcRect, (TRect{0, 0, width, 26}));
}

TEST_F(LayerLabelTest, DisabledLabelHasOneFrameThatNeverChanges) {
    TLayerLabel& label = MakeLabel(false);
    EXPECT_EQ(label.Bitmap()->Height(), 26);
    list.MouseMove(105, 105);
    list.MouseDown(TMouseButton::mbLeft, 0, 105, 105);
    EXPECT_EQ(label.SrcRect.Top, 0);
    int clicks = 0;
    label.OnClick = [&](TLayerItem&) { ++clicks; };
    list.MouseUp(TMouseButton::mbLeft, 0, 105, 105);
    EXPECT_EQ(label.SrcRect.Top, 0);
    EXPECT_EQ(clicks, 1);  // still clickable: its owner decides what a disabled choice does
}

}  // namespace
}  // namespace vandor
