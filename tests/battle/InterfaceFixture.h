#pragma once
// A battle with the pictures its interface shows, so that the pointer finds the layers
// it would find on screen: diamond ground tiles with a marker frame, the base and its
// walls, towers that stay within their own tile, buttons of three frames, the panels'
// frames, the gauge and the heroines' portraits. The mouse goes through the battle's
// own MouseMove, MouseDown and MouseUp, as the shell sends it.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "BattleFixture.h"
#include "util/Format.h"

namespace vandor::test {

// The pointer's pictures, and the panels' frames, the gauge, the heroines' portraits
// and the captions the interface shows.
inline void WriteInterfacePictures(const TTempFolder& folder) {
    ASSERT_TRUE(SaveBattlePointerPictures(folder / ""));
    SavePicture(folder / "frm戦場.png", 200, 130);
    SavePicture(folder / "frm耐久ゲージ.png", 200, 14);
    for (int h = 1; h <= 10; ++h) SavePicture(folder / Format("マスター%.2d.png", h), 160, 180);
    for (const char* caption : {"ci攻撃0.png", "ci殲滅.png", "fi戦場01.png"}) SavePicture(folder / caption, 800, 100);
}

inline constexpr const char* kProportional = "ＭＳ Ｐゴシック";
inline constexpr const char* kFixed = "ＭＳ ゴシック";
inline constexpr TColor32 kWhite = 0xFFFFFFFF;
inline constexpr TColor32 kGrey = 0xCCCCCCCC;
inline constexpr TColor32 kPaleGreen = 0xFFCCFFCC;

// Whether the text stands at (x, y) of the panel in the font and colour: the panel's
// pixels under it equal those of the same text stamped alone on a clear surface.
inline bool ShowsText(const TBitmap32& panel, int x, int y, const std::string& text, TColor32 colour,
                      const char* font = kProportional, int height = 13) {
    TBitmap32 expected(panel.Width(), panel.Height());
    expected.Font.Name = font;
    expected.Font.Height = height;
    expected.DrawText(x, y, text, 0, colour);
    const TSize size = expected.TextExtent(text);
    bool inked = false;
    for (int row = y; row < std::min(y + size.Height, panel.Height()); ++row) {
        for (int column = x; column < std::min(x + size.Width, panel.Width()); ++column) {
            if (*panel.PixelPtr(column, row) != *expected.PixelPtr(column, row)) return false;
            inked = inked || *expected.PixelPtr(column, row) != 0;
        }
    }
    return inked;
}

// Whether nothing is drawn in the rectangle of the panel.
inline bool Blank(const TBitmap32& panel, const TRect& rect) {
    for (int row = rect.Top; row < rect.Bottom; ++row) {
        for (int column = rect.Left; column < rect.Right; ++column) {
            if (*panel.PixelPtr(column, row) != 0) return false;
        }
    }
    return true;
}

class BattleScreenTest : public BattleTest {
protected:
    BattleScreenTest() : BattleTest(&WriteInterfacePictures) {}

    // The middle of the cell's tile on screen.
    static TPoint CellPoint(int x, int y) {
        const TProjection point = TQTDGame::ProjectCell(x, y);
        return {point.X, point.Y - 8};
    }
    static TPoint Middle(const TLayerItem& layer) {
        const TRect& r = layer.DstRect();
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void Press(TMouseButton button = TMouseButton::mbLeft, TShiftState shift = 0) {
        Game.MouseDown(button, shift, Pointer_.X, Pointer_.Y);
    }
    void Release(TMouseButton button = TMouseButton::mbLeft, TShiftState shift = 0) {
        Game.MouseUp(button, shift, Pointer_.X, Pointer_.Y);
    }
    // Moves there, presses and releases; then a frame, which redraws what the click marked.
    void Click(TPoint at, TMouseButton button = TMouseButton::mbLeft, TShiftState shift = 0) {
        MoveTo(at);
        Press(button, shift);
        Release(button, shift);
        Frames(1);
    }
    void MoveTo(TPoint at) {
        Pointer_ = at;
        Game.MouseMove(at.X, at.Y);
    }
    void ClickCell(int x, int y, TMouseButton button = TMouseButton::mbLeft, TShiftState shift = 0) {
        Click(CellPoint(x, y), button, shift);
    }
    void ClickButton(const TLayerItem* button) { Click(Middle(*button)); }
    // Its build button, then the tile.
    void PlaceTower(int type, int x, int y) {
        ClickButton(Game.BuildButtons[static_cast<std::size_t>(type)]);
        ClickCell(x, y);
    }

private:
    TPoint Pointer_;
};

}  // namespace vandor::test
