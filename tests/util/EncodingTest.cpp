#include "util/Encoding.h"

#include <gtest/gtest.h>

namespace vandor {
namespace {

TEST(Encoding, CodePointsWalkMultiByteTextAndSurviveMalformedBytes) {
    const std::string text = "a「選択」\xF0\x9F\x98\x80";
    EXPECT_EQ(CodePointCount(text), 6u);
    std::size_t pos = 1;
    EXPECT_EQ(NextCodePoint(text, pos), U'「');
    EXPECT_EQ(pos, 4u);
    EXPECT_EQ(CodePointPrefixBytes(text, 2), 4u);
    EXPECT_EQ(CodePointPrefixBytes(text, 99), text.size());

    // Truncated, overlong and surrogate sequences each give U+FFFD and move on by one byte.
    for (std::string bad : {std::string("\xE3\x81"), std::string("\xC0\xAF"), std::string("\xED\xA0\x80")}) {
        std::size_t p = 0;
        EXPECT_EQ(NextCodePoint(bad, p), 0xFFFDu);
        EXPECT_EQ(p, 1u);
        EXPECT_FALSE(IsValidUtf8(bad));
    }
    EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD"));
}

TEST(Encoding, Utf16RoundTripIncludingSurrogatePairs) {
    const std::string text = "地面.png\xF0\x9F\x98\x80";
    const std::u16string units = Utf8ToUtf16(text);
    ASSERT_EQ(units.size(), 8u);
    EXPECT_EQ(units[0], 0x5730);
    EXPECT_EQ(units[6], 0xD83D);
    EXPECT_EQ(Utf16ToUtf8(units), text);
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

TEST(Encoding, Cp932UsesTheWindowsTable) {
    // 0x8160 is the wave dash as Windows has it (U+FF5E), 0x5C a backslash, not a yen sign.
    EXPECT_EQ(Cp932ToUtf8("\x81\x60\x5C"), "～\\");
    EXPECT_EQ(Utf8ToCp932("システム起動."), "\x83\x56\x83\x58\x83\x65\x83\x80\x8B\x4E\x93\xAE.");
    EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932("「ＭＳ ゴシック」①")), "「ＭＳ ゴシック」①");
    // Characters CP932 lacks become one "?" each, malformed UTF-8 too; bytes that do not decode become U+FFFD.
    EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80"
                          "b\xFF"),
              "a?b?");
    EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");
}

TEST(Encoding, DecodeTextFollowsTheByteOrderMarkThenGuesses) {
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF[背景]"), "[背景]");
    EXPECT_EQ(DecodeText(std::string("\xFF\xFE\xCC\x80\x0A\x00", 6)), "背\n");
    EXPECT_EQ(DecodeText(std::string("\xFE\xFF\x80\xCC\x00\x0A", 6)), "背\n");
    EXPECT_EQ(DecodeText("[背景]"), "[背景]");          // valid UTF-8 without a mark
    EXPECT_EQ(DecodeText("\x94\x77\x8C\x69"), "背景");  // otherwise CP932
    EXPECT_EQ(DecodeText(""), "");
    EXPECT_EQ(DecodeText(std::string("\xFF\xFE\x41", 3)), "");  // odd trailing byte is dropped
}

TEST(Encoding, AsciiLowerChangesOnlyAsciiLetters) {
    EXPECT_EQ(AsciiLower("BGM003.OGG"), "bgm003.ogg");
    EXPECT_EQ(AsciiLower("ＡＢＣ.PNG"), "ＡＢＣ.png");
}

}  // namespace
}  // namespace vandor
