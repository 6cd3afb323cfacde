#include "text/LayerMessage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "util/Encoding.h"

namespace vandor {
namespace {

class LayerMessageTest : public ::testing::Test {
protected:
    void SetUp() override {
        message.SetBitmapSize(300, 140);
        message.Surface().Font.Name = "ＭＳ ゴシック";
        message.Surface().Font.Height = 22;
        message.Clear();
    }
    int Advance(const std::string& character) { return message.Advance(character); }
    void Write(const std::string& text) {
        for (std::size_t pos = 0; pos < text.size();) {
            const std::size_t start = pos;
            NextCodePoint(text, pos);
            message.AddChar(std::string_view(text).substr(start, pos - start));
        }
    }
    // As the engine writes a script line: each character knows the text after it.
    void WriteLine(const std::string& text) {
        for (std::size_t pos = 0; pos < text.size();) {
            const std::size_t start = pos;
            NextCodePoint(text, pos);
            message.AddChar(std::string_view(text).substr(start, pos - start), std::string_view(text).substr(pos));
        }
    }
    std::vector<std::string> PageLines() {
        std::vector<std::string> lines;
        for (int i = 0; i < store.Count(); ++i) {
            if (store.Item(i).Page == store.PageCount() - 1) lines.push_back(store.Item(i).Text);
        }
        return lines;
    }
    const TNGTListItem& LastLine() { return store.Item(store.Count() - 1); }

    TNGText store{4096};
    TRTextRender renderer;
    TLayerMessage message{store, renderer};
};

TEST_F(LayerMessageTest, HangingPunctuationStaysOnTheFullLineOthersMoveDown) {
    for (const char* next : {"。", "「", "あ"}) {
        message.Clear();
        // As many characters as fit before the limit.
        std::string line;
        const int advance = Advance("あ");
        ASSERT_GT(advance, 0);
        for (int x = message.MarginLeft; x + advance <= message.Limit(); x += advance) line += "あ";
        Write(line);
        const int before = store.Count();
        Write(next);
        if (std::string(next) == "。") {
            // It may not start a line: it hangs past the limit, and the line breaks after it.
            EXPECT_EQ(store.Item(before - 1).Text, line + "。");
            EXPECT_EQ(store.Count(), before + 1);
            Write("い");
            EXPECT_EQ(LastLine().Text, "い");
            EXPECT_EQ(LastLine().Y, message.LineHeight);
        } else {
            EXPECT_EQ(store.Item(before - 1).Text, line) << next;
            EXPECT_EQ(LastLine().Text, next);
            EXPECT_EQ(LastLine().X, message.MarginLeft);
        }
    }
}

TEST_F(LayerMessageTest, BracketsIndentContinuationLinesUntilTheyClose) {
    Write("「");
    const int indent = message.X;
    EXPECT_EQ(indent, message.MarginLeft + Advance("「"));
    std::string longText;
    for (int i = 0; i < 30; ++i) longText += "あ";
    Write(longText);
    ASSERT_GE(store.Count(), 2);
    EXPECT_EQ(store.Item(1).X, indent);
    Write("」");
    message.NewLine();
    EXPECT_EQ(message.X, message.MarginLeft);

    // Two kinds open: the larger indent wins.
    message.Clear();
    Write("「あ『");
    const int inner = message.X;
    Write(longText);
    EXPECT_EQ(LastLine().X, inner);
}

// A closing bracket that ends a full line (it hangs past the limit, and the line breaks
// after it) closes its indent before the break: the next line starts at the margin.
TEST_F(LayerMessageTest, ABracketClosedAtTheEndOfAFullLineLeavesNoIndent) {
    Write("「");
    const int advance = Advance("あ");
    for (int x = message.X; x + advance <= message.Limit(); x += advance) Write("あ");
    const int lines = store.Count();
    Write("」");
    ASSERT_EQ(store.Count(), lines + 1) << "the full line broke after the bracket";
    EXPECT_EQ(message.X, message.MarginLeft);
    Write("い");
    EXPECT_EQ(LastLine().X, message.MarginLeft);
}

TEST_F(LayerMessageTest, TextBelowTheWindowIsDroppedAndBreaksAreNotDoubled) {
    message.NewLine();  // nothing written yet: no new line
    EXPECT_EQ(store.Count(), 1);
    Write("一");
    message.NewLine();
    message.NewLine();
    EXPECT_EQ(store.Count(), 2);
    message.Clear();
    message.Clear();
    EXPECT_EQ(store.PageCount(), 2);

    // 140 pixels hold lines at 16, 44, 72, 100; the fifth (y 128) is dropped whole.
    for (int i = 0; i < 5; ++i) {
        Write("行");
        message.NewLine();
    }
    int written = 0;
    for (int i = 0; i < store.Count(); ++i) {
        if (store.Item(i).Page == store.PageCount() - 1 && !store.Item(i).Text.empty()) ++written;
    }
    EXPECT_EQ(written, 4);

    // A character that wraps onto a line below the window is dropped too, not drawn cut off.
    message.SetBitmapSize(300, 60);
    message.Clear();
    std::string many;
    for (int i = 0; i < 40; ++i) many += "あ";
    Write(many);
    std::string recorded;
    for (int i = 0; i < store.Count(); ++i) {
        if (store.Item(i).Page == store.PageCount() - 1) recorded += store.Item(i).Text;
    }
    EXPECT_LT(CodePointCount(recorded), 40u);
    EXPECT_EQ(message.Y, message.MarginTop + message.LineHeight);
    for (int y = 44; y < 60; ++y) {
        for (int x = 0; x < 300; ++x) ASSERT_EQ(*message.Surface().PixelPtr(x, y) >> 24, 0u) << x << "," << y;
    }
}

TEST_F(LayerMessageTest, ShadowOffsetFollowsAntiAliasing) {
    message.Surface().Font.Height = 40;
    message.ShadowColor = 0xFFFF0000;
    message.TextColor = 0xFF0000FF;
    for (bool antiAlias : {false, true}) {
        message.AntiAlias = antiAlias;
        message.Clear();
        Write("■");
        // The lowest row that holds any red (shadow) lies below the lowest blue (text) row
        // by the shadow offset.
        const TBitmap32& surface = message.Surface();
        int lowestShadow = -1;
        int lowestText = -1;
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) {
                const TColor32 p = *surface.PixelPtr(x, y);
                if ((p >> 24) < 128) continue;
                if ((p & 0xFF) > 200) lowestText = y;
                if (((p >> 16) & 0xFF) > 200) lowestShadow = y;
            }
        }
        ASSERT_GE(lowestText, 0);
        EXPECT_EQ(lowestShadow - lowestText, antiAlias ? 2 : 1) << "anti-alias " << antiAlias;
    }
}

}  // namespace
}  // namespace vandor

namespace vandor {
namespace {

TEST_F(LayerMessageTest, LatinTextBreaksAtSpacesAndSplitsOnlyWordsLongerThanALine) {
    message.Surface().Font.Name = "ＭＳ Ｐ明朝";
    message.SetBitmapSize(300, 400);
    message.Clear();
    const std::string text =
        "Nobody had crossed the northern pass since the snows came, and yet the lanterns "
        "of the fortress were burning. \"Someone is waiting,\" she said.";
    WriteLine(text);
    const std::vector<std::string> lines = PageLines();
    ASSERT_GE(lines.size(), 4u);

    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        ASSERT_FALSE(line.empty());
        EXPECT_NE(line.front(), ' ') << line;
        EXPECT_NE(line.back(), ' ') << line;
        int width = message.MarginLeft;
        for (std::size_t pos = 0; pos < line.size();) {
            const std::size_t start = pos;
            NextCodePoint(line, pos);
            width += Advance(line.substr(start, pos - start));
        }
        // Only closing punctuation may hang past the limit.
        if (width > message.Limit()) {
            EXPECT_NE(std::string(",.\"").find(line.back()), std::string::npos) << line;
        }
        // Greedy: the next line's first word would not have fitted here.
        if (i + 1 < lines.size()) {
            const std::string next = lines[i + 1].substr(0, lines[i + 1].find(' '));
            int nextWidth = Advance(" ");
            for (char c : next) nextWidth += Advance(std::string(1, c));
            EXPECT_GT(width + nextWidth, message.Limit()) << line << " | " << next;
        }
        joined += (i ? " " : "") + line;
    }
    EXPECT_EQ(joined, text);

    // A word longer than a line breaks where it must, and the text goes on after it.
    message.Clear();
    WriteLine("A Pneumonoultramicroscopicsilicovolcanoconiosis case");
    const std::vector<std::string> split = PageLines();
    ASSERT_GE(split.size(), 2u);
    EXPECT_EQ(split[0].substr(0, 2), "A ");
    EXPECT_GT(split[0].size(), 10u) << "the long word starts on the first line";
    EXPECT_EQ(split.back().substr(split.back().size() - 4), "case");
}

TEST_F(LayerMessageTest, MixedTextKeepsLatinWordsWholeAndJapaneseBreaksAnywhere) {
    const int advance = Advance("あ");
    std::string line;
    for (int x = message.MarginLeft; x + 3 * advance <= message.Limit(); x += advance) line += "あ";
    WriteLine(line + "はVandorです。");
    const std::vector<std::string> lines = PageLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], line + "は");
    EXPECT_EQ(lines[1], "Vandorです。");

    // Japanese alone lays out the same with or without the text that follows.
    const std::string japanese = "「こんにちは、今日はとても良い天気ですね。散歩にでも行きましょうか」と彼女は言った。";
    message.Clear();
    Write(japanese);
    const std::vector<std::string> charByChar = PageLines();
    const TBitmap32 pixels = message.Surface();
    message.Clear();
    WriteLine(japanese);
    EXPECT_EQ(PageLines(), charByChar);
    for (int y = 0; y < pixels.Height(); ++y) {
        for (int x = 0; x < pixels.Width(); ++x) ASSERT_EQ(*message.Surface().PixelPtr(x, y), *pixels.PixelPtr(x, y));
    }
}

}  // namespace
}  // namespace vandor
