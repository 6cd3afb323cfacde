#include "compositor/LayerButton.h"

#include <gtest/gtest.h>

#include "LayerTestSupport.h"
#include "compositor/LayerList.h"

namespace vandor {
namespace {

using testing::FakePictures;

class LayerButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        pictures.Make("start.png", 120, 90);
        auto made = std::make_unique<TLayerButton>(pictures, "start.png");
        button = &list.Add(std::move(made));
        button->SetPosition(100, 100, 0);
        button->OnClick = [this](TLayerItem&) { ++clicks; };
    }
    FakePictures pictures;
    TLayerList list{800, 600};
    TLayerButton* button = nullptr;
    int clicks = 0;
};

TEST_F(LayerButtonTest, FramesFollowHoverAndPress) {
    EXPECT_EQ(button->Width(), 120);
    EXPECT_EQ(button->Height(), 30);
    EXPECT_EQ(button->DstRect(), (TRect{100, 100, 220, 130}));  // anchored top-left
    EXPECT_EQ(button->SrcRect, (TRect{0, 0, 120, 30}));
    list.MouseMove(110, 110);
    EXPECT_EQ(button->SrcRect, (TRect{0, 30, 120, 60}));
    list.MouseDown(TMouseButton::mbLeft, 0, 110, 110);
    EXPECT_EQ(button->SrcRect, (TRect{0, 60, 120, 90}));
    list.MouseUp(TMouseButton::mbLeft, 0, 110, 110);
    EXPECT_EQ(button->SrcRect, (TRect{0, 30, 120, 60}));
    EXPECT_EQ(clicks, 1);
}

TEST_F(LayerButtonTest, DraggingOffNeitherClicksNorChangesTheFrame) {
    list.MouseMove(110, 110);
    list.MouseDown(TMouseButton::mbLeft, 0, 110, 110);
    list.MouseMove(500, 500);
    EXPECT_EQ(button->SrcRect.Top, 0);
    EXPECT_FALSE(button->Pressed);
    button->MouseUp(TMouseButton::mbLeft, 0, 500, 500);  // released elsewhere
    EXPECT_EQ(button->SrcRect.Top, 0);
    EXPECT_EQ(clicks, 0);
}

TEST_F(LayerButtonTest, DisabledButtonKeepsItsFrameButStillClicks) {
    button->Enabled = false;
    list.MouseMove(110, 110);
    list.MouseDown(TMouseButton::mbLeft, 0, 110, 110);
    EXPECT_EQ(button->SrcRect.Top, 0);
    list.MouseUp(TMouseButton::mbLeft, 0, 110, 110);
    EXPECT_EQ(button->SrcRect.Top, 30);  // the release still shows the hover frame
    EXPECT_EQ(clicks, 1);
}

TEST(LayerButton, MissingPictureIsAnErrorTheCallerCanHandle) {
    FakePictures pictures;
    EXPECT_THROW(TLayerButton(pictures, "missing.png"), std::runtime_error);
}

}  // namespace
}  // namespace vandor
