#include "i18n/ScriptTexts.h"

#include <gtest/gtest.h>

#include "i18n/Catalogue.h"

namespace vandor {
namespace {

const std::vector<std::string> kScript = {
    "*start",
    "■bg01■",
    "■voice01■「おはよう」",
    "今日は晴れ。",
    "",
    "■face02■ひとりごと。",
    "■クリック待■",
    "続き。",
    "■クリック待/500■",
    "まだ続き。",
    "",
    "どうする？",
    "■選択/a.txt/*a■行く",
    "■選択/b.txt/*b/フラグ1/行けない■行かない",
    "",
};

TEST(ScriptTexts, PagesEndAtClickWaitsLabelsAndChoicesAndKeepCommandsOut) {
    const TScriptTexts texts = CollectScriptTexts(kScript);
    ASSERT_EQ(texts.Pages.size(), 4u);
    EXPECT_EQ(texts.Pages[0].Original, "「おはよう」\n今日は晴れ。");
    EXPECT_EQ(texts.Pages[0].Lines, (std::vector<int>{2, 3}));
    EXPECT_EQ(texts.Pages[1].Original, "ひとりごと。");
    // A timed wait is no click wait: the page goes on.
    EXPECT_EQ(texts.Pages[2].Original, "続き。\nまだ続き。");
    EXPECT_EQ(texts.Pages[3].Original, "どうする？");
    ASSERT_EQ(texts.Choices.size(), 3u);
    EXPECT_EQ(texts.Choices[0].Original, "行く");
    EXPECT_EQ(texts.Choices[1].Original, "行かない");
    EXPECT_EQ(texts.Choices[2].Original, "行けない");
    EXPECT_TRUE(texts.Choices[2].Alternative);
}

TEST(ScriptTexts, TranslationKeepsLinesAndCommandsInPlace) {
    const TCatalogue catalogue = TCatalogue::FromText(R"(
msgctxt "s.txt"
msgid "「おはよう」\n今日は晴れ。"
msgstr "\"Morning!\"\nIt's sunny today.\nNot a cloud in the sky."

msgctxt "s.txt"
msgid "続き。\nまだ続き。"
msgstr "And on it went."

msgctxt "s.txt"
msgid "行かない"
msgstr "Stay"

msgctxt "s.txt"
msgid "行けない"
msgstr "Can't go"

msgctxt "other.txt"
msgid "ひとりごと。"
msgstr "Talking to myself."

msgctxt "s.txt"
msgid "どうする？"
msgstr "■ジャンプ/*a■What now?"
)",
                                                      "en.po");
    const std::vector<std::string> translated = TranslateScript(kScript, "s.txt", catalogue);
    ASSERT_EQ(translated.size(), kScript.size());
    EXPECT_EQ(translated[2], "■voice01■\"Morning!\"");
    EXPECT_EQ(translated[3], "It's sunny today.\nNot a cloud in the sky.");
    EXPECT_EQ(translated[5], "■face02■ひとりごと。");  // translated only for another script
    EXPECT_EQ(translated[7], "And on it went.");
    EXPECT_EQ(translated[9], kEmptyTextLine);
    // A translation cannot smuggle in a command.
    EXPECT_EQ(translated[11], "ジャンプ/*aWhat now?");
    EXPECT_EQ(translated[12], "■選択/a.txt/*a■行く");
    EXPECT_EQ(translated[13], "■選択/b.txt/*b/フラグ1/Can't go■Stay");
    // Everything else is untouched.
    for (int line : {0, 1, 4, 6, 8, 10, 14}) EXPECT_EQ(translated[line], kScript[line]) << line;
}

}  // namespace
}  // namespace vandor
