// The notice over the presented picture: whole for a moment, then fading, then gone,
// and never drawn into the picture it lies over.

#include "shell/ScreenNotice.h"

#include <gtest/gtest.h>

#include <memory>

#include "i18n/Catalogue.h"
#include "i18n/GameText.h"

namespace vandor {
namespace {

int DifferingPixels(const TBitmap32& a, const TBitmap32& b) {
    int count = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) count += *a.PixelPtr(x, y) != *b.PixelPtr(x, y);
    }
    return count;
}

TEST(ScreenNotice, ShowsWholeThenFadesAndLeavesThePictureAlone) {
    TBitmap32 picture(800, 600);
    picture.Clear(0xFF336699);
    const TBitmap32 original = picture;
    TScreenNotice notice;
    EXPECT_FALSE(notice.Step(20)) << "no notice, nothing to present again";

    notice.Show("クイックセーブしました");
    ASSERT_TRUE(notice.Visible());
    EXPECT_EQ(notice.Opacity(), 255);
    const TBitmap32 whole = notice.Over(picture);
    EXPECT_EQ(DifferingPixels(picture, original), 0) << "the notice is drawn over a copy";
    EXPECT_GT(DifferingPixels(whole, original), 0);
    // Only a corner of the picture is covered.
    EXPECT_EQ(*whole.PixelPtr(799, 599), 0xFF336699u);
    EXPECT_EQ(*whole.PixelPtr(400, 300), 0xFF336699u);

    EXPECT_TRUE(notice.Step(TScreenNotice::kShownMs));
    EXPECT_EQ(notice.Opacity(), 255);
    EXPECT_TRUE(notice.Step(TScreenNotice::kFadeMs / 2));
    const int half = notice.Opacity();
    EXPECT_GT(half, 0);
    EXPECT_LT(half, 255);
    const TBitmap32 fading = notice.Over(picture);
    // A fading pixel lies between the picture and the whole notice.
    int between = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const TColor32 now = *fading.PixelPtr(x, y) & 0xFF;
            const TColor32 full = *whole.PixelPtr(x, y) & 0xFF;
            if (full != 0x99) between += now != full && now != 0x99;
        }
    }
    EXPECT_GT(between, 0);

    EXPECT_TRUE(notice.Step(TScreenNotice::kFadeMs)) << "the frame it goes is presented once more";
    EXPECT_FALSE(notice.Visible());
    EXPECT_EQ(notice.Opacity(), 0);
    EXPECT_FALSE(notice.Step(20));
    EXPECT_EQ(DifferingPixels(notice.Over(picture), original), 0);

    // A new notice starts whole again, replacing one that fades.
    notice.Show("一");
    notice.Step(TScreenNotice::kShownMs + 100);
    notice.Show("二");
    EXPECT_EQ(notice.Text(), "二");
    EXPECT_EQ(notice.Opacity(), 255);
}

TEST(ScreenNotice, ShowsItsWordsInTheChosenLanguage) {
    SetGameTextCatalogue(std::make_shared<TCatalogue>(
        TCatalogue::FromText("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                             "msgid \"クイックセーブしました\"\nmsgstr \"Quick saved\"\n",
                             "en.po")));
    TScreenNotice notice;
    notice.Show("クイックセーブしました");
    EXPECT_EQ(notice.Text(), "Quick saved");
    notice.Show("未訳の知らせ");
    EXPECT_EQ(notice.Text(), "未訳の知らせ");
    SetGameTextCatalogue(nullptr);
}

}  // namespace
}  // namespace vandor
