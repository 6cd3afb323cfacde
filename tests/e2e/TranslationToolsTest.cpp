// The translator's tools on the real program: "--extract-text" writes the template of
// every page and choice the game can reach and nothing else, gettext's own tools accept
// and merge it, and "--lint --lang" tells what a translation lacks or where it overflows.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "GameProgram.h"
#include "TempFolder.h"
#include "i18n/Catalogue.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::ReadTextFile;
using test::TTempFolder;
using test::WriteTextFile;

class TranslationToolsTest : public ::testing::Test {
protected:
    TranslationToolsTest() {
        fs::create_directories(game);
        fs::copy_file(VANDOR_PATH, game + "vandor");
        WriteTextFile(game + "scenario/first.txt",
                      "[待/0]「おはよう」\n今日は晴れ。\n\n同じ文。\n\nどうする？\n"
                      "[選択/second.txt]進む\n[選択/*end]やめる\n\n*end\n同じ文。\n\n"
                      "[フォント/ＭＳ Ｐゴシック/44/50]\n大きな字。\n\n");
        WriteTextFile(game + "scenario/second.txt", "二つ目の頁。\n\n");
        // Never reached from first.txt: not for translators.
        WriteTextFile(game + "scenario/unused.txt", "誰も来ない頁。\n\n");
    }
    int Run(const std::string& arguments) {
        return test::RunGame(game, temp / "docs/", arguments, temp / "stdout.txt", temp / "stderr.txt");
    }
    static int Shell(const std::string& command) {
        return std::system(("{ " + command + "; } >/dev/null 2>&1").c_str());
    }

    TTempFolder temp;
    const std::string game = temp / "game/";
};

TEST_F(TranslationToolsTest, TheTemplateHoldsEveryReachableTextOnceAndGettextAcceptsIt) {
    const std::string pot = temp / "game.pot";
    ASSERT_EQ(Run("--extract-text '" + pot + "'"), 0) << ReadTextFile(temp / "stderr.txt");
    const TCatalogue read = TCatalogue::FromFile(pot);
    using TState = TCatalogue::TEntryState;
    for (const auto& [context, text] :
         std::vector<std::pair<std::string, std::string>>{{"first.txt", "「おはよう」\n今日は晴れ。"},
                                                          {"first.txt", "同じ文。"},
                                                          {"first.txt", "どうする？"},
                                                          {"first.txt", "進む"},
                                                          {"first.txt", "やめる"},
                                                          {"second.txt", "二つ目の頁。"}}) {
        EXPECT_EQ(read.State(context, text), TState::Untranslated) << context << " " << text;
    }
    EXPECT_EQ(read.State("unused.txt", "誰も来ない頁。"), TState::Missing);
    const std::string text = ReadTextFile(pot);
    EXPECT_NE(text.find("#: first.txt:4 first.txt:11"), std::string::npos) << "one entry for the same text";
    EXPECT_EQ(text.find("待"), std::string::npos) << "commands stay out";
    // The game's own names and its menus' captions come along, without context.
    EXPECT_EQ(read.State("", "リゼット"), TState::Untranslated);
    EXPECT_EQ(read.State("", "ロード(&L)"), TState::Untranslated);
    // So do the battle panels' words and number formats, the formats marked for gettext's checks.
    EXPECT_EQ(read.State("", "現在 戦闘準備中"), TState::Untranslated);
    EXPECT_NE(text.find("#, c-format\nmsgid \"第%d要害戦 全%d波\""), std::string::npos) << text;

    if (Shell("command -v msgfmt && command -v msgmerge") != 0) {
        GTEST_SKIP() << "gettext tools missing";
    }
    EXPECT_EQ(Shell("msgfmt --check -o /dev/null '" + pot + "'"), 0);

    // A translation made from an older template keeps its work through msgmerge.
    const std::string po = temp / "en.po";
    WriteTextFile(po,
                  "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                  "msgctxt \"first.txt\"\nmsgid \"どうする？\"\nmsgstr \"What now?\"\n");
    ASSERT_EQ(Shell("msgmerge --quiet --update --backup=off '" + po + "' '" + pot + "'"), 0);
    const TCatalogue merged = TCatalogue::FromFile(po);
    EXPECT_EQ(merged.Translate("first.txt", "どうする？"), "What now?");
    EXPECT_EQ(merged.State("second.txt", "二つ目の頁。"), TState::Untranslated);
}

TEST_F(TranslationToolsTest, TheLintTellsMissingFuzzyAndOverflowingTextsOfALanguage) {
    std::string longPage;
    for (int i = 0; i < 30; ++i) longPage += "far too many words for one small window ";
    WriteTextFile(game + "lang/en.po",
                  "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n"
                  "\"X-Font: No Such Font Family\\n\"\n\n"
                  "msgctxt \"first.txt\"\nmsgid \"同じ文。\"\nmsgstr \"" +
                      longPage +
                      "\"\n\n"
                      "#, fuzzy\nmsgctxt \"first.txt\"\nmsgid \"どうする？\"\nmsgstr \"Now?\"\n\n"
                      "msgctxt \"first.txt\"\nmsgid \"進む\"\nmsgstr \"" +
                      longPage +
                      "\"\n\n"
                      "msgctxt \"first.txt\"\nmsgid \"大きな字。\"\n"
                      "msgstr \"Large letters, fine in the usual size, too many in this one.\"\n\n"
                      "msgid \"敵 のこり%d体\"\nmsgstr \"%s%n enemies left\"\n\n"
                      "msgid \"次回攻撃 第%d波\"\nmsgstr \"Next attack: wave %d\"\n");
    EXPECT_EQ(Run("--lint"), 0) << "no language: the translation is not checked";
    EXPECT_EQ(Run("--lint --lang en"), 1);
    const std::string out = ReadTextFile(temp / "stdout.txt");
    EXPECT_NE(out.find("first.txt:4: error: in en this page overflows the message window"), std::string::npos) << out;
    EXPECT_NE(out.find("first.txt:7: error: in en this choice is wider than its frame"), std::string::npos);
    // The font the page starts in counts.
    EXPECT_NE(out.find("first.txt:14: error: in en this page overflows"), std::string::npos);
    EXPECT_NE(out.find("first.txt:6: warning: this page's translation in en is fuzzy"), std::string::npos);
    EXPECT_NE(out.find("second.txt:1: warning: this page has no entry in en"), std::string::npos);
    EXPECT_NE(out.find("\"No Such Font Family\" is not installed"), std::string::npos);
    EXPECT_EQ(out.find("unused.txt"), std::string::npos);
    // A number format whose translation would be given arguments it does not expect.
    EXPECT_NE(out.find("error: the translation of \"敵 のこり%d体\" does not keep its conversions"), std::string::npos);
    EXPECT_EQ(out.find("\"次回攻撃 第%d波\" does not keep"), std::string::npos);
    EXPECT_EQ(out.find("no translation for \"次回攻撃 第%d波\""), std::string::npos);
    EXPECT_NE(out.find("no translation for \"現在 敵第%d波と戦闘中\""), std::string::npos);
}

}  // namespace
}  // namespace vandor
