#include <gtest/gtest.h>

#include "TestFiles.h"
#include "resources/ArchiveWriter.h"
#include "resources/ScriptCache.h"
#include "resources/ScriptText.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

using Lines = std::vector<std::string>;

TEST(ScriptTextTest, CommentsAndBracketsFollowTheScriptRules) {
    EXPECT_EQ(NormalizeScript("// heading\r\nA line // with slashes\r\n[cmd arg] // note\r\n■x■//gone"),
              (Lines{"A line // with slashes", "■cmd arg■ ", "■x■"}));
    EXPECT_EQ(NormalizeScript("[a][b]"), (Lines{"■a■", "■b■"}));
    EXPECT_EQ(NormalizeScript("[a][b][c]"), (Lines{"■a■", "■b■", "■c■"}));
    EXPECT_EQ(NormalizeScript("■■■"), (Lines{"■", "■■"}));
    EXPECT_EQ(NormalizeScript("[[x]] and [[[y]]]"), (Lines{"[[x]] and [[■y]]■"}));
    EXPECT_EQ(NormalizeScript("\x1B"), (Lines{"[["}));
    EXPECT_EQ(NormalizeScript("a\tb"), (Lines{"a　　b"}));
    EXPECT_EQ(NormalizeScript("// only a comment"), Lines{});
    EXPECT_EQ(NormalizeScript(""), Lines{});
    // A comment after a command loses at most 1024 characters from the "//" on.
    std::string longComment = "[a]//";
    for (int i = 0; i < 1100; ++i) longComment += "あ";
    std::string expected = "■a■";
    for (int i = 0; i < 78; ++i) expected += "あ";
    EXPECT_EQ(NormalizeScript(longComment), Lines{expected});
}

TEST(ScriptTextTest, LineBreaksAndNul) {
    EXPECT_EQ(NormalizeScript("a\r\nb\rc\nd\r\n\r\ne\n"), (Lines{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(NormalizeScript(std::string_view("a\nb\0c\nd", 7)), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("\n\n"), (Lines{"", ""}));
}

TEST(ScriptTextTest, NumberedLinesPointBackToTheFile) {
    const TNumberedScript script = NormalizeScriptNumbered("// heading\r\n*label\r\n[a][b]text\n\r\n[c]// note");
    EXPECT_EQ(script.Lines, (Lines{"*label", "■a■", "■b■text", "", "■c■"}));
    EXPECT_EQ(script.SourceLines, (std::vector<int>{2, 3, 3, 4, 5}));
}

TEST(ScriptTextTest, DecodesEveryScriptEncoding) {
    const std::string utf8 = "[背景 森]\r\nこんにちは～";
    const Lines expected{"■背景 森■", "こんにちは～"};
    EXPECT_EQ(NormalizeScript(utf8), expected);
    EXPECT_EQ(NormalizeScript("\xEF\xBB\xBF" + utf8), expected);
    EXPECT_EQ(NormalizeScript(Utf8ToCp932(utf8)), expected);
    std::string little = "\xFF\xFE", big = "\xFE\xFF";
    for (char16_t unit : Utf8ToUtf16(utf8)) {
        little += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        big += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
    }
    EXPECT_EQ(NormalizeScript(little), expected);
    EXPECT_EQ(NormalizeScript(big), expected);
}

TEST(ScriptCacheTest, LoadsThroughTheFileLookupAndSharesTheLines) {
    test::TTempFolder dir;
    test::WriteFile(
        dir / "dat.gdp",
        BuildArchive({MakeArchiveEntry("first.txt", test::Bytes(Utf8ToCp932("[a][b]\r\n本文\r\n")))}, {1, 0, 0, 0}));
    TggDPFile archive(dir / "dat.gdp");
    TDebugLog log{""};
    log.Enabled = true;
    TFileCache files(&log);
    files.AddArchive(&archive);
    TScriptCache scripts(files, TScriptCache::kNormalLimit);

    const TScriptLines* first = scripts.GetScript("FIRST.txt");
    EXPECT_EQ(first, nullptr);  // the archive is searched by the hash of the name as given
    first = scripts.GetScript("first.txt");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(*first, (Lines{"■a■", "■b■", "本文"}));
    EXPECT_EQ(scripts.GetScript("First.txt"), first);  // the cache key ignores case
    EXPECT_EQ(scripts.Item(0).Size, 3 * 256 + 512);
    EXPECT_EQ(files.Item(0).RefCount, 0);
    scripts.Release(first);
    scripts.Release(first);
    EXPECT_EQ(scripts.GetScript("missing.txt"), nullptr);
    EXPECT_EQ(log.Lines().size(), 2u);
}

}  // namespace
}  // namespace vandor
