#include "text/LayerBackLog.h"

#include <gtest/gtest.h>

namespace vandor {
namespace {

class LayerBackLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        backlog.SetBitmapSize(800, 600);
        backlog.Bitmap()->Font.Name = "ＭＳ Ｐ明朝";
    }
    // Pages of `lines` lines, 28 pixels apart, font height 22.
    void AddPages(int pages, int lines) {
        for (int p = 0; p < pages; ++p) {
            store.AddPage(32, 0, 22);
            for (int l = 0; l < lines; ++l) {
                if (l > 0) store.AddLine(32, l * 28, 22);
                store.Append("頁" + std::to_string(p));
            }
        }
    }
    bool RowHasText(int y) const {
        const TBitmap32& s = *backlog.Bitmap();
        for (int x = 0; x < s.Width(); ++x) {
            if (*s.PixelPtr(x, y) != backlog.Background) return true;
        }
        return false;
    }

    TNGText store{4096};
    TRTextRender renderer;
    TLayerBackLog backlog{store, renderer};
};

TEST_F(LayerBackLogTest, EmptyHistoryShowsOnlyTheDarkBackground) {
    EXPECT_FALSE(backlog.Visible());
    backlog.Rebuild();
    EXPECT_EQ(backlog.TotalHeight, 600);
    for (int y = 0; y < 600; y += 37) EXPECT_FALSE(RowHasText(y));
    EXPECT_EQ(*backlog.Bitmap()->PixelPtr(400, 300), 0xCC000000u);
}

TEST_F(LayerBackLogTest, ShortHistoryCannotScroll) {
    AddPages(2, 3);
    backlog.Rebuild();
    EXPECT_EQ(backlog.LastTopPage, 0);
    EXPECT_EQ(backlog.CurrentPage, 0);
    backlog.Scroll(-1);
    backlog.Scroll(+1);
    EXPECT_EQ(backlog.CurrentPage, 0);
    EXPECT_TRUE(RowHasText(8 + 10));
}

TEST_F(LayerBackLogTest, LongHistoryOpensAtItsEndAndScrollsByPages) {
    AddPages(10, 3);  // each page 3 lines: 2 * 28 + 22 + 20 = 98 pixels
    backlog.Rebuild();
    EXPECT_EQ(backlog.PageCount, 10);
    EXPECT_EQ(backlog.TotalHeight, 9 * 98 + 56 + 22 + 16);
    // The first page from which the rest fits: TotalHeight - Offset - 8 <= 600.
    EXPECT_EQ(backlog.LastTopPage, 4);
    EXPECT_EQ(backlog.CurrentPage, 4);
    backlog.Scroll(-1);
    EXPECT_EQ(backlog.CurrentPage, 3);
    backlog.Scroll(5);  // not a page step: nothing
    EXPECT_EQ(backlog.CurrentPage, 3);
    for (int i = 0; i < 10; ++i) backlog.Scroll(-1);
    EXPECT_EQ(backlog.CurrentPage, 0);
    backlog.Scroll(+1);
    EXPECT_EQ(backlog.CurrentPage, 1);

    // From page 0, lines are drawn while top + height + 8 < 600: six pages of 98 reach
    // 588, whose first line would end at 618 and is left out with everything after it.
    backlog.Scroll(-1);
    EXPECT_TRUE(RowHasText(5 * 98 + 56 + 8 + 10));
    EXPECT_FALSE(RowHasText(6 * 98 + 8 + 2));
}

}  // namespace
}  // namespace vandor
