// Redrawing only what changed: the layer list's redraw inside the changed rectangle
// must leave exactly the picture a redraw of everything gives.

#include <gtest/gtest.h>

#include <random>

#include "ChangedAreaCheck.h"
#include "LayerTestSupport.h"
#include "compositor/LayerList.h"

namespace vandor {
namespace {

using testing::CheckedFrame;
using testing::SolidBitmap;

std::unique_ptr<TBitmap32> NoiseBitmap(int width, int height, std::mt19937& random, uint32_t alphaMask) {
    auto bitmap = std::make_unique<TBitmap32>(width, height);
    for (int i = 0; i < width * height; ++i) bitmap->Bits()[i] = random() & (0x00FFFFFFu | alphaMask);
    bitmap->SetDrawMode(TDrawMode::dmBlend);
    return bitmap;
}

class ChangedArea : public ::testing::Test {
protected:
    ChangedArea() {
        TLayerItem& back = list.AddBitmap(NoiseBitmap(200, 150, random, 0xFF000000u), 0, 0, 100, kAnchorTopLeft);
        back.Bitmap()->SetDrawMode(TDrawMode::dmOpaque);
        text = &list.AddBitmap(NoiseBitmap(160, 30, random, 0), 20, 110, 10, kAnchorTopLeft);
        sprite = &list.AddBitmap(NoiseBitmap(30, 40, random, 0xFFFFFFFFu), 60, 60, 20, 5);
        sprite->SetSize(45, 50);  // stretched, blended
        fader = &list.AddBitmap(SolidBitmap(50, 50, 0xC0FF8000u), 150, 20, 30, kAnchorTopLeft);
        fader->Bitmap()->SetDrawMode(TDrawMode::dmBlend);
        list.Render(0);
        list.Dirty.Clear();
    }

    // One frame; the picture must equal the whole redraw, and the rectangle the list
    // reports must hold every pixel that changed.
    TRect Frame(int ms) { return CheckedFrame(list, ms, frames++); }

    std::mt19937 random{2026};
    TLayerList list{200, 150};
    TLayerItem* text = nullptr;
    TLayerItem* sprite = nullptr;
    TLayerItem* fader = nullptr;
    int frames = 0;
};

TEST_F(ChangedArea, PartialRedrawsGiveTheWholeRedrawThroughTextMovesFadesAndRemovals) {
    list.Transitions.MoveTo(*sprite, 300, 140, 90, false);
    list.Transitions.FadeTo(*fader, 200, 0, true);  // removed when done
    for (int i = 0; i < 20; ++i) {
        // A character appears in the text layer's own picture, until the layer goes.
        if (i < 12) {
            text->Bitmap()->FillRect(MakeRect(8 * i, 8, 7, 14), 0xFFFFFFFFu);
            text->Invalidate();
        }
        if (i == 5) sprite->SetVisible(false);
        if (i == 7) sprite->SetVisible(true);
        if (i == 9) list.AddBitmap(NoiseBitmap(20, 20, random, 0xFFFFFFFFu), 190, 140, 5, 5);  // half outside
        if (i == 12) list.Delete(list.IndexOf(*text));
        Frame(20);
    }
    EXPECT_EQ(list.IndexOf(*fader), -1);
}

TEST_F(ChangedArea, OnlyTheChangedLayerIsRedrawnUnlessALayerDrawsOutsideItsRectangle) {
    text->Invalidate();
    list.Render(20);
    EXPECT_EQ(list.Dirty.Within(list.Surface.BoundsRect()), text->DstRect());
    list.Dirty.Clear();

    const TRect before = sprite->DstRect();
    sprite->SetPosition(100, 70, 20);
    list.Render(20);
    EXPECT_EQ(list.Dirty.Within(list.Surface.BoundsRect()),
              (TRect{before.Left, before.Top, sprite->DstRect().Right, sprite->DstRect().Bottom}));
    list.Dirty.Clear();

    EXPECT_FALSE(list.Render(20)) << "nothing changed";
    EXPECT_TRUE(list.Dirty.Empty());

    class TTrail : public TLayerItem {
    public:
        bool DrawsWithinRect() const override { return false; }
    };
    const TRect everything = list.Surface.BoundsRect();
    const TLayerItem* trail = &list.Add(std::make_unique<TTrail>());
    text->Invalidate();
    list.Render(20);
    EXPECT_EQ(list.Dirty.Within(everything), everything);
    list.Dirty.Clear();

    list.Delete(list.IndexOf(*trail));
    list.Render(20);
    list.Dirty.Clear();
    text->Invalidate();
    list.Render(20);
    EXPECT_EQ(list.Dirty.Within(everything), text->DstRect()) << "gone, it no longer asks for everything";
    list.Dirty.Clear();

    list.Changed = true;  // set from outside: everything
    list.Render(20);
    EXPECT_EQ(list.Dirty.Within(everything), everything);
}

TEST_F(ChangedArea, APartRedrawsOnlyWhereItShowsUntilTheLayerItselfChanges) {
    // A character cell in the text layer: only its cell on the surface.
    text->Bitmap()->FillRect(MakeRect(10, 5, 7, 14), 0xFFFFFFFFu);
    text->Invalidate(MakeRect(10, 5, 7, 14));
    EXPECT_EQ(Frame(20), MakeRect(30, 115, 7, 14));

    // Two parts in one frame, one reaching past the picture: their bounds, cut to the layer.
    text->Bitmap()->FillRect(MakeRect(40, 2, 5, 5), 0xFF00FF00u);
    text->Invalidate(MakeRect(40, 2, 5, 5));
    text->Bitmap()->FillRect(MakeRect(150, 20, 10, 10), 0xFF0000FFu);
    text->Invalidate(MakeRect(150, 20, 30, 30));
    EXPECT_EQ(Frame(20), (TRect{60, 112, 180, 140}));

    // A whole invalidation wins whichever comes first.
    text->Bitmap()->FillRect(MakeRect(60, 2, 5, 5), 0xFF00FF00u);
    text->Invalidate(MakeRect(60, 2, 5, 5));
    text->Invalidate();
    EXPECT_EQ(Frame(20), text->DstRect());
    text->Invalidate();
    text->Invalidate(MakeRect(0, 0, 2, 2));
    EXPECT_EQ(Frame(20), text->DstRect());

    // Moved, faded, hidden and shown, stretched: the part cannot place the change.
    const TRect before = text->DstRect();
    text->Invalidate(MakeRect(0, 0, 2, 2));
    text->SetPosition(24, 112, 10);
    EXPECT_EQ(Frame(20), (TRect{before.Left, before.Top, text->DstRect().Right, text->DstRect().Bottom}));
    text->Invalidate(MakeRect(0, 0, 2, 2));
    text->Position.SetAlpha(128);
    EXPECT_EQ(Frame(20), text->DstRect());
    text->SetVisible(false);
    text->Invalidate(MakeRect(0, 0, 2, 2));
    EXPECT_EQ(Frame(20), text->DstRect()) << "hidden: where it was";
    text->Invalidate(MakeRect(0, 0, 2, 2));
    text->SetVisible(true);
    EXPECT_EQ(Frame(20), text->DstRect());
    sprite->Bitmap()->FillRect(MakeRect(0, 0, 4, 4), 0xFFFFFFFFu);
    sprite->Invalidate(MakeRect(0, 0, 4, 4));
    EXPECT_EQ(Frame(20), sprite->DstRect());

    // A layer showing a window of its picture at its own size: the part is shifted by
    // where that window starts.
    TLayerItem& window = list.AddBitmap(NoiseBitmap(60, 60, random, 0xFFFFFFFFu), 100, 10, 15, kAnchorTopLeft);
    window.SrcRect = MakeRect(20, 20, 40, 40);
    window.SetSize(40, 40);
    Frame(20);
    window.Bitmap()->FillRect(MakeRect(25, 30, 6, 3), 0xFF123456u);
    window.Invalidate(MakeRect(25, 30, 6, 3));
    EXPECT_EQ(Frame(20), MakeRect(105, 20, 6, 3));
    window.Bitmap()->FillRect(MakeRect(0, 0, 10, 10), 0xFF654321u);
    window.Invalidate(MakeRect(0, 0, 10, 10));
    EXPECT_EQ(Frame(20), TRect{}) << "outside the window nothing shows";
}

}  // namespace
}  // namespace vandor
