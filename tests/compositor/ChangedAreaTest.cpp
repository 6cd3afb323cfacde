// Redrawing only what changed: the layer list's redraw inside the changed rectangle
// must leave exactly the picture a redraw of everything gives.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "LayerTestSupport.h"
#include "compositor/LayerList.h"

namespace vandor {
namespace {

using testing::SolidBitmap;

std::unique_ptr<TBitmap32> NoiseBitmap(int width, int height, std::mt19937& random, uint32_t alphaMask) {
    auto bitmap = std::make_unique<TBitmap32>(width, height);
    for (int i = 0; i < width * height; ++i) bitmap->Bits()[i] = random() & (0x00FFFFFFu | alphaMask);
    bitmap->SetDrawMode(TDrawMode::dmBlend);
    return bitmap;
}

// Every layer drawn anew, back to front, onto a fresh surface.
TBitmap32 WholeRedraw(TLayerList& list) {
    TBitmap32 picture(list.Surface.Width(), list.Surface.Height());
    for (int i = 0; i < list.Count(); ++i) list.Items(i).Draw(picture);
    return picture;
}

bool SamePixels(const TBitmap32& a, const TBitmap32& b) {
    return std::equal(a.Bits(), a.Bits() + a.Width() * a.Height(), b.Bits());
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
    void Frame(int ms) {
        const TBitmap32 before = list.Surface;
        list.Render(ms);
        const TRect dirty = list.Dirty.Within(list.Surface.BoundsRect());
        list.Dirty.Clear();
        ASSERT_TRUE(SamePixels(list.Surface, WholeRedraw(list))) << "frame " << frames;
        for (int y = 0; y < before.Height(); ++y) {
            for (int x = 0; x < before.Width(); ++x) {
                if (*before.PixelPtr(x, y) != *list.Surface.PixelPtr(x, y)) {
                    ASSERT_TRUE(dirty.Contains({x, y})) << x << "," << y << " changed outside, frame " << frames;
                }
            }
        }
        ++frames;
    }

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
        // A character appears in the text layer's own picture.
        text->Bitmap()->FillRect(MakeRect(8 * i, 8, 7, 14), 0xFFFFFFFFu);
        text->Invalidate();
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

}  // namespace
}  // namespace vandor
