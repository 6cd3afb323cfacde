#include "lint/GameLint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LintGame.h"

namespace vandor {
namespace {

using test::GameLintTest;

TEST_F(GameLintTest, ACleanGameHasNoFindings) {
    Write("first.txt", "[文章枠/なし]\n// a comment line\n[bg01]はじめ\n[se_click]\n[ジャンプ/title.txt/*スタート]\n");
    Write("title.txt",
          "*スタート\n[選択/*続き/./(ターン>=1)and(アイテム3=1)/まだ]続きから\n*続き\n[ジャンプ/*スタート]\n");
    WritePicture("bg01.png");
    WriteSound("se_click.ogg");
    EXPECT_EQ(Lint(), std::vector<std::string>{});
    EXPECT_FALSE(HasErrors);
}

TEST_F(GameLintTest, EveryKindOfFaultIsFoundAtItsLine) {
    Write("first.txt",
          "[文章枠/なし]\n"                           // 1
          "// the lines below each hold one fault\n"  // 2
          "[ジャンプ/*どこにもない]\n"                // 3
          "[ジャンプ/chapter9.txt]\n"                 // 4
          "[ボタン/btnない/./././10/10]\n"            // 5
          "[bgm_none]\n"                              // 6
          "[謎の命令/1]\n"                            // 7
          "[ジャンプ/*a/./-7 ％ 2]\n"                 // 8
          "[ジャンプ/*a/./ターン／0]\n"               // 9
          "[ジャンプ/*a/./ターソ>3]\n"                // 10
          "[選択/*a/./戦闘回数>1/まだ]まだ\n"         // 11
          "[フォント/No Such Font 12345]\n"           // 12
          "[戦闘開始/3/負け.txt]\n"                   // 13
          "[上部情報]\n"                              // 14
          "[アイテム消費]\n"                          // 15
          "*a\n");
    Write("title.txt", "*スタート\n");
    // A wall around the base leaves the enemies no way in.
    std::string map;
    for (int d = -2; d <= 2; ++d) {
        for (const auto& [x, y] : {std::pair{d, -2}, std::pair{d, 2}, std::pair{-2, d}, std::pair{2, d}}) {
            map += "MAP_" + std::to_string(x + 24) + "_" + std::to_string(y + 24) + "=1\n";
        }
    }
    Write("st03.txt", map + "MAP_24_24=x\n");
    Write("bt03-00.txt", "WC=3\nWEC_00=300\nwed_1=2\nE_00_01_HP=lots\nE_00_01_SP=20\n");

    const std::vector<std::string> expected{
        "bt03-00.txt:2: warning: wec_00 = 300 is clamped to 1..250",
        "bt03-00.txt:3: warning: the battle never reads \"wed_1\"",
        "bt03-00.txt:4: error: \"lots\" is no whole number: e_00_01_hp takes its default",
        "first.txt:3: error: label \"*どこにもない\" does not exist in first.txt",
        "first.txt:4: error: script \"chapter9.txt\" does not exist",
        "first.txt:5: error: picture \"btnない\" does not exist",
        "first.txt:6: error: sound \"bgm_none.ogg\" does not exist",
        "first.txt:7: error: \"謎の命令\" is no command, and no picture \"謎の命令.png\" exists",
        "first.txt:8: error: the condition \"-7 ％ 2\" cannot be evaluated (an operator without two operands, "
        "a \")\" that closes nothing, nothing to evaluate, or a division by zero) and never holds",
        "first.txt:9: error: the condition \"ターン／0\" cannot be evaluated (an operator without two operands, "
        "a \")\" that closes nothing, nothing to evaluate, or a division by zero) and never holds",
        "first.txt:10: warning: \"ターソ\" in the condition \"ターソ>3\" is no campaign word and counts as 0",
        "first.txt:11: error: \"戦闘回数\" needs an area number: the condition \"戦闘回数>1\" always fails",
        "first.txt:12: warning: font \"No Such Font 12345\" is not installed: the text falls back to another font",
        "first.txt:13: error: the battle of area 3 needs files of the engine's own that no source has (see "
        "docs/engine-files.md): bgi戦闘.png, 地面.png, 城.png, 城壁.png, マップチップ.png, 塔1.png, 塔2.png, 塔3.png, "
        "塔4.png, 塔5.png, 塔6.png, 塔7.png, 塔8.png, btn塔1.png, btn塔2.png, btn塔3.png, btn塔4.png, btn塔5.png, "
        "btn塔6.png, btn塔7.png, btn塔8.png, btn戦闘開始.png, btn高速モード.png, btn一時停止.png, btn汎用.png, "
        "frm戦場.png, frm耐久ゲージ.png, frmメニュー.png, 弾丸.png, ci殲滅.png, ci撃破.png, ci敗北.png, bgm003.ogg, "
        "bgm012.ogg, bgm013.ogg, bgm014.ogg, cv001-sys-029.ogg, cv001-sys-030.ogg, se-b-09.ogg, se-b-10.ogg, "
        "se-t-02.ogg, se-b-00.ogg, se-b-01.ogg, se-b-03.ogg, se-b-04.ogg, se-b-07.ogg, fi戦場03.png, btn暁の角.png, "
        "敵ユニット01.png",
        "first.txt:13: error: script \"負け.txt\" does not exist",
        "first.txt:15: error: アイテム消費 needs an item number",
        "st03.txt:0: error: the obstacles leave the enemies no way from (13, 13) to the base",
        "st03.txt:21: error: \"x\" is no whole number: the cell stays free",
        "行動.txt:0: error: the status bar allows saving, and a loaded save resumes here",
    };
    EXPECT_EQ(Lint(), expected);
    EXPECT_TRUE(HasErrors);
}

TEST_F(GameLintTest, ThePageEndMarkNeedsItsPictureAndAKnownPlace) {
    Write("first.txt",
          "[文章枠/なし]\n"
          "[初期値/クリック待ち記号/mark]\n"               // 2: found with .png added
          "[初期値/クリック待ち記号/nomark/4/100/右下]\n"  // 3
          "[初期値/クリック待ち記号/mark/4/100/左上]\n"    // 4
          "[初期値/クリック待ち記号]\n");                  // 5: removes the mark
    Write("title.txt", "*スタート\n");
    WritePicture("mark.png");
    const std::vector<std::string> expected{
        "first.txt:3: error: picture \"nomark.png\" does not exist",
        "first.txt:4: warning: クリック待ち記号 is placed 文末 or 右下; \"左上\" places it 文末",
    };
    EXPECT_EQ(Lint(), expected);
}

// "//" on a line that begins with a command starts a comment wherever it stands; inside
// a command's brackets it cuts the command short.
TEST_F(GameLintTest, ACommentThatCutsACommandShortIsFound) {
    Write("first.txt",
          "[文章枠/なし]\n"                                         // 1
          "[bg01//禁スキップ]\n"                                    // 2: the empty field meant as "//"
          "[bg01/ /禁スキップ]// an empty field, then a comment\n"  // 3
          "[bg01]// [bg01//not a command]\n"                        // 4: all of it after the command
          "// [bg01//x] a comment line\n"                           // 5
          "[待/500]「[[http://example]]」\n"                        // 6: doubled brackets are text
          "[待/500][bg01//禁スキップ]\n"                            // 7: the second command
          "彼は「[bg01//x]」と書いた。\n"                           // 8: a text line keeps its "//"
          "[ジャンプ/title.txt/*スタート]\n");
    Write("title.txt", "*スタート\n");
    WritePicture("bg01.png");
    const std::string cut =
        ": warning: \"//\" inside the command starts a comment and cuts the command there; "
        "write an empty field as \"/ /\"";
    EXPECT_EQ(Lint(), (std::vector<std::string>{"first.txt:2" + cut, "first.txt:7" + cut}));
}

TEST_F(GameLintTest, ScriptsAreFollowedThroughEveryKindOfTarget) {
    // Each script is reached one way only; each holds a missing picture to show it
    // was read.
    Write("first.txt", "[右クリック/menu.txt/*開く]\n[戻/back.txt]\n[ボタン/btn.png/./choice.txt/./0/0]\n[戦闘開始]\n");
    Write("btn.png", "x");
    Write("menu.txt", "*開く\n[m1]\n");
    Write("back.txt", "[m2]\n");
    Write("choice.txt", "[選択/./*go]行く\n*go\n[m3]\n");
    Write("敗北.txt", "*スタート\n[m4]\n");
    Write("title.txt", "[ジャンプ/unused.txt]\n");
    Write("unused.txt", "[m5]\n");
    Write("never.txt", "[m6]\n");
    const std::vector<std::string> findings = Lint();
    std::string all;
    for (const std::string& line : findings) all += line + "\n";
    for (const char* reached : {"menu.txt:2:", "back.txt:1:", "choice.txt:3:", "敗北.txt:2:", "unused.txt:1:"}) {
        EXPECT_NE(all.find(reached), std::string::npos) << reached << " in\n" << all;
    }
    EXPECT_EQ(all.find("never.txt"), std::string::npos) << all;
    // The battle of area -1 is fought as area 1, which has no map or waves here.
    EXPECT_NE(all.find("st01.txt:0: warning: area 1 has no map"), std::string::npos) << all;
    EXPECT_NE(all.find("first.txt:4: warning: area 1 has no wave table"), std::string::npos) << all;
}

// A title that continues from the newest save: both words are known, and the script
// a loaded save resumes in must exist, as with saving.
TEST_F(GameLintTest, TheContinueWordsAreKnownAndNeedTheActionPhase) {
    Write("first.txt", "[ジャンプ/title.txt]\n");
    Write("title.txt",
          "*スタート\n[ジャンプ/*続き/./(セーブあり=1)and(ターン>=0)]\n[クリック待]\n*続き\n[つづきから]\n");
    EXPECT_EQ(Lint(), std::vector<std::string>{
                          "行動.txt:0: error: the status bar allows saving, and a loaded save resumes here"});
    Write("行動.txt", "*行動フェイズ\n[クリック待]\n");
    EXPECT_EQ(Lint(), std::vector<std::string>{});
}

}  // namespace
}  // namespace vandor
