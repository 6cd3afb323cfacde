#include "text/NGText.h"

#include <gtest/gtest.h>

namespace vandor {
namespace {

TEST(NGText, APageVoiceReachesEveryLineOfThatPageOnly) {
    TNGText store(4096);
    store.AddPage(32, 0, 22);
    store.Append("声なし");
    store.AddPage(32, 0, 22);
    store.SetPageVoice("cv001.ogg", 5);
    // The page's empty first line gives way to the next; the voice stays with the page.
    store.AddLine(32, 28, 22);
    store.Append("一行目");
    store.AddLine(32, 56, 22);
    store.Append("二行目");
    store.AddPage(32, 0, 22);
    store.Append("次の頁");
    ASSERT_EQ(store.Count(), 4);
    EXPECT_EQ(store.Item(0).Voice, "");
    for (int i : {1, 2}) {
        EXPECT_EQ(store.Item(i).Voice, "cv001.ogg") << i;
        EXPECT_EQ(store.Item(i).VoiceChannel, 5) << i;
    }
    EXPECT_EQ(store.Item(3).Voice, "");
    EXPECT_EQ(store.Item(3).VoiceChannel, -1);
}

TEST(NGText, PagesStackWithAGapAndEmptyLinesAreReplaced) {
    TNGText store(4096);
    store.Append("ignored");  // nothing to append to yet
    EXPECT_EQ(store.Count(), 0);

    for (int page = 0; page < 3; ++page) {
        store.AddPage(32, 0, 22);
        store.Append("一行目");
        store.AddLine(32, 28, 22);
        store.Append("二行目");
    }
    ASSERT_EQ(store.Count(), 6);
    EXPECT_EQ(store.PageCount(), 3);
    EXPECT_EQ(store.Item(2).Offset, 0 + 28 + 22 + 20);
    EXPECT_EQ(store.Item(3).Offset, store.Item(2).Offset);
    EXPECT_EQ(store.Item(4).Offset, 140);
    EXPECT_EQ(store.Item(5).Page, 2);

    // A page started twice with nothing written leaves one empty line, not two.
    store.AddPage(32, 0, 22);
    store.AddPage(40, 0, 24);
    EXPECT_EQ(store.Count(), 7);
    EXPECT_EQ(store.Item(6).X, 40);
    EXPECT_EQ(store.Item(6).Page, 4);
    EXPECT_EQ(store.Item(6).Offset, 140 + 28 + 22 + 20);
}

TEST(NGText, AFullStoreDropsItsOldestPageAndRenumbers) {
    TNGText store(5);  // raised to the smallest capacity, 20
    EXPECT_EQ(store.Capacity(), 20);
    for (int page = 0; page < 5; ++page) {
        store.AddPage(32, 0, 20);
        for (int line = 0; line < 4; ++line) {
            if (line > 0) store.AddLine(32, line * 28, 20);
            store.Append("x");
        }
    }
    ASSERT_EQ(store.Count(), 20);
    const int32_t secondPageOffset = store.Item(4).Offset;
    store.AddPage(32, 0, 20);  // the 21st line
    EXPECT_EQ(store.Count(), 17);
    EXPECT_EQ(store.PageCount(), 5);
    EXPECT_EQ(store.Item(0).Page, 0);
    EXPECT_EQ(store.Item(0).Offset, 0);
    EXPECT_EQ(store.Item(4).Offset, secondPageOffset);
    EXPECT_EQ(store.Item(16).Page, 4);
    EXPECT_EQ(store.Item(16).Offset, 4 * secondPageOffset);

    store.Clear();
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.PageCount(), 0);
}

}  // namespace
}  // namespace vandor
