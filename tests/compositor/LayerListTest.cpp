#include "compositor/LayerList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "LayerTestSupport.h"

namespace vandor {
namespace {

using testing::FakePictures;
using testing::SolidBitmap;

TEST(LayerItem, AnchorsPlaceTheRectangleLikeAKeypad) {
    TLayerItem layer(SolidBitmap(101, 40, 0xFF000000));
    layer.SetPosition(50, 100, 0);  // anchor 5 by default
    EXPECT_EQ(layer.DstRect(), (TRect{0, 80, 101, 120}));
    const std::vector<std::pair<int, TRect>> expected = {
        {7, {50, 100, 151, 140}}, {8, {0, 100, 101, 140}}, {9, {-51, 100, 50, 140}},
        {4, {50, 80, 151, 120}},  {6, {-51, 80, 50, 120}}, {1, {50, 60, 151, 100}},
        {2, {0, 60, 101, 100}},   {3, {-51, 60, 50, 100}}, {0, {50, 100, 151, 140}},
    };
    for (const auto& [anchor, rect] : expected) {
        layer.Position.SetAnchor(anchor);
        EXPECT_EQ(layer.DstRect(), rect) << "anchor " << anchor;
    }
    // Truncation towards zero for odd sizes around a negative anchor point.
    layer.Position.SetAnchor(5);
    layer.SetPosition(-10, -10, 0);
    EXPECT_EQ(layer.DstRect().Left, -60);
}

TEST(LayerItem, HitTestFollowsAlphaThresholdAndStretch) {
    auto bitmap = SolidBitmap(10, 10, 0xFF000000);
    bitmap->FillRect({0, 0, 5, 10}, 0x0F000000);   // left half alpha 15
    bitmap->FillRect({5, 0, 10, 10}, 0x10000000);  // right half alpha 16
    TLayerItem layer(std::move(bitmap));
    layer.Position.SetAnchor(7);
    layer.SetPosition(100, 100, 0);
    EXPECT_FALSE(layer.HitTest(102, 105));
    EXPECT_TRUE(layer.HitTest(107, 105));
    EXPECT_FALSE(layer.HitTest(110, 105));  // right edge is exclusive
    layer.HitAlpha = 0;
    EXPECT_TRUE(layer.HitTest(100, 100));
    layer.HitAlpha = 256;
    EXPECT_FALSE(layer.HitTest(107, 105));

    // Displayed at twice the size, the point maps back into the source.
    layer.HitAlpha = 16;
    layer.SetSize(20, 20);
    EXPECT_FALSE(layer.HitTest(109, 100));
    EXPECT_TRUE(layer.HitTest(110, 100));
    layer.SetVisible(false);
    EXPECT_FALSE(layer.HitTest(110, 100));

    TLayerItem empty;
    empty.HitAlpha = 0;
    EXPECT_FALSE(empty.HitTest(0, 0));
}

TEST(LayerList, DrawsByDepthThenYThenXAndOnlyWhenChanged) {
    TLayerList list(4, 1);
    list.AddBitmap(SolidBitmap(4, 1, 0xFF000000), 0, 0, 100, 7);  // background, furthest back
    // Equal depth: the larger Y is in front; at equal Y, the larger X.
    TLayerItem& blue = list.AddBitmap(SolidBitmap(2, 1, 0xFF0000FF), 1, 0, 5, 7);
    TLayerItem& green = list.AddBitmap(SolidBitmap(2, 1, 0xFF00FF00), 2, 0, 5, 7);
    EXPECT_TRUE(list.Render(20));
    EXPECT_EQ(list.Surface.Bits()[1], 0xFF0000FFu);
    EXPECT_EQ(list.Surface.Bits()[2], 0xFF00FF00u);  // X 2 drawn over X 1
    EXPECT_FALSE(list.Render(20));                   // nothing changed: nothing drawn

    green.SetPosition(2, 0, 6);  // now behind the blue one
    EXPECT_TRUE(list.Render(20));
    EXPECT_EQ(list.Surface.Bits()[2], 0xFF0000FFu);

    // Hiding layers redraws once without them.
    green.SetVisible(false);
    blue.SetVisible(false);
    EXPECT_TRUE(list.Render(20));
    EXPECT_EQ(list.Surface.Bits()[1], 0xFF000000u);
    EXPECT_EQ(list.Surface.Bits()[2], 0xFF000000u);
    EXPECT_FALSE(list.Render(20));
}

TEST(LayerList, MouseRoutingGivesEnterLeaveAndClickInOrder) {
    TLayerList list(800, 600);
    std::vector<std::string> events;
    auto watch = [&](TLayerItem& layer, const std::string& name) {
        layer.OnMouseEnter = [&events, name](TLayerItem&) { events.push_back("enter " + name); };
        layer.OnMouseLeave = [&events, name](TLayerItem&) { events.push_back("leave " + name); };
        layer.OnClick = [&events, name](TLayerItem&) { events.push_back("click " + name); };
    };
    TLayerItem& a = list.AddBitmap(SolidBitmap(100, 100, 0xFFFFFFFF), 0, 0, 0, 7);
    TLayerItem& b = list.AddBitmap(SolidBitmap(100, 100, 0xFFFFFFFF), 100, 0, 0, 7);
    watch(a, "A");
    watch(b, "B");
    list.OnItemEnter = [&](TLayerItem& l) { events.push_back(&l == &a ? "list-enter A" : "list-enter B"); };
    list.OnItemLeave = [&](TLayerItem& l) { events.push_back(&l == &a ? "list-leave A" : "list-leave B"); };

    list.MouseMove(50, 50);
    list.MouseMove(150, 50);
    list.MouseMove(160, 60);  // within B: nothing
    EXPECT_EQ(events, (std::vector<std::string>{"enter A", "list-enter A", "leave A", "list-leave A", "enter B",
                                                "list-enter B"}));

    // Press on B, drag off and back, release: no click.
    events.clear();
    list.MouseDown(TMouseButton::mbLeft, 0, 150, 50);
    list.MouseMove(500, 500);
    list.MouseMove(150, 50);
    list.MouseUp(TMouseButton::mbLeft, 0, 150, 50);
    EXPECT_EQ(events, (std::vector<std::string>{"leave B", "list-leave B", "enter B", "list-enter B"}));

    // A plain press and release clicks; a right press does not arm a left click.
    events.clear();
    list.MouseDown(TMouseButton::mbRight, 0, 150, 50);
    list.MouseUp(TMouseButton::mbLeft, 0, 150, 50);
    list.MouseDown(TMouseButton::mbLeft, 0, 150, 50);
    list.MouseUp(TMouseButton::mbLeft, 0, 150, 50);
    EXPECT_EQ(events, (std::vector<std::string>{"click B"}));

    // Deleting the hovered layer: the list's leave first, then the layer's own.
    events.clear();
    list.Remove(b);
    EXPECT_EQ(events, (std::vector<std::string>{"list-leave B", "leave B"}));
}

TEST(LayerList, ClickHandlerMayDeleteItsOwnLayer) {
    TLayerList list(100, 100);
    TLayerItem& button = list.AddBitmap(SolidBitmap(10, 10, 0xFFFFFFFF), 0, 0, 0, 7);
    int clicks = 0;
    button.OnClick = [&](TLayerItem& self) {
        ++clicks;
        list.Remove(self);
    };
    list.MouseDown(TMouseButton::mbLeft, 0, 5, 5);
    list.MouseUp(TMouseButton::mbLeft, 0, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list.Count(), 0);
}

TEST(LayerList, PictureLayersShareAndHandBackCachedPictures) {
    FakePictures pictures;
    TBitmap32& picture = pictures.Make("Stand.png", 30, 60);
    TLayerList list(800, 600);
    TLayerItem* first = list.AddImage(pictures, "STAND.png", 100, 100, 0, 5);
    TLayerItem* second = list.AddImage(pictures, "stand.png", 200, 100, 0, 5);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->Bitmap(), second->Bitmap());
    EXPECT_EQ(first->Name(), "stand.png");
    EXPECT_EQ(list.IndexOfName("Stand.PNG"), 0);
    EXPECT_EQ(pictures.References[&picture], 2);
    list.Remove(*first);
    EXPECT_EQ(pictures.References[&picture], 1);

    EXPECT_EQ(list.AddImage(pictures, "missing.png", 0, 0, 0, 5), nullptr);
    EXPECT_EQ(list.Count(), 1);
    list.Clear();
    EXPECT_EQ(pictures.References[&picture], 0);
}

TEST(LayerList, ALayerWithoutPictureDrawsAsNothingAndRedrawsOnlyWhenItChanges) {
    FakePictures pictures;
    TLayerList list(10, 10);
    list.AddBitmap(SolidBitmap(10, 10, 0xFF000000), 0, 0, 10, 7);
    // Made from a picture file that does not exist, as a missing banner or portrait is.
    TLayerItem& missing = list.Add(std::make_unique<TLayerItem>(pictures, "banner.png"));
    ASSERT_EQ(missing.Bitmap(), nullptr);
    EXPECT_TRUE(list.Render(20));
    EXPECT_FALSE(missing.Changed);
    EXPECT_FALSE(list.Render(20));
    EXPECT_FALSE(list.Render(20));

    missing.SetPosition(5, 5, 0);
    EXPECT_TRUE(list.Render(20));
    EXPECT_FALSE(list.Render(20));
    missing.SetVisible(false);
    EXPECT_TRUE(list.Render(20));
    EXPECT_FALSE(list.Render(20));
    missing.SetVisible(true);
    EXPECT_TRUE(list.Render(20));
    EXPECT_FALSE(list.Render(20));
    for (int i = 0; i < 100; ++i) ASSERT_EQ(list.Surface.Bits()[i], 0xFF000000u) << i;
}

TEST(LayerList, AFillBlendsExactlyAsASurfaceOfItsColourAtEveryAlpha) {
    // A background whose pixels all differ, so that every blend input is met.
    auto background = [] {
        auto bitmap = std::make_unique<TBitmap32>(40, 30);
        for (int i = 0; i < 40 * 30; ++i) bitmap->Bits()[i] = 0xFF000000u | static_cast<uint32_t>(i * 2654435761u);
        return bitmap;
    };
    for (const TColor32 colour : {0xCC000000u, 0xFFFFFFFFu, 0x80FF4020u, 0x01020304u}) {
        TLayerList filled(40, 30);
        TLayerList painted(40, 30);
        filled.AddBitmap(background(), 0, 0, 100, kAnchorTopLeft);
        painted.AddBitmap(background(), 0, 0, 100, kAnchorTopLeft);
        TLayerItem& fill = filled.AddFill(colour, 23, 17, 20, 15, 5, 5);
        auto surface = SolidBitmap(23, 17, colour);
        surface->SetDrawMode(TDrawMode::dmBlend);
        TLayerItem& plain = painted.AddBitmap(std::move(surface), 20, 15, 5, 5);
        ASSERT_EQ(fill.Width(), 23);
        ASSERT_EQ(fill.Height(), 17);
        ASSERT_EQ(fill.Bitmap()->Width() * fill.Bitmap()->Height(), 1);
        for (int alpha = 0; alpha <= 255; ++alpha) {
            fill.Position.SetAlpha(alpha);
            plain.Position.SetAlpha(alpha);
            filled.Render(20);
            painted.Render(20);
            ASSERT_TRUE(std::equal(filled.Surface.Bits(), filled.Surface.Bits() + 40 * 30, painted.Surface.Bits()))
                << std::hex << colour << std::dec << " at alpha " << alpha;
        }
    }
}

}  // namespace
}  // namespace vandor
