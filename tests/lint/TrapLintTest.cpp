// The traps the scripting guide warns about, each in a small game of its own.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LintGame.h"
#include "lint/EngineFiles.h"

namespace vandor {
namespace {

using test::GameLintTest;

// Each script names a title script, so that the findings are the trap's alone.
constexpr const char* kTitle = "*スタート\n";

TEST_F(GameLintTest, IndentedCommandsTrailingBlanksAndFullWidthDigitsAreFound) {
    Write("first.txt",
          "[文章枠/なし]\n"                      // 1
          "\t[待/500]\n"                         // 2: a tab before the command
          "　[待/500]\n"                         // 3: a full-width space
          "  本文は字下げしてよい\n"             // 4: text may be indented
          "[待/５００]\n"                        // 5
          "[待/－１２]\n"                        // 6
          "[ジャンプ/title.txt/*スタート/１]\n"  // 7: told by the conditions' own check
          "*終わり \n"                           // 8: a trailing blank
          "[ジャンプ/title.txt/*スタート]\n");   // 9
    Write("title.txt", kTitle);
    const std::string indented =
        ": warning: an indented command is shown as text, not run (a tab becomes two full-width spaces); "
        "start the line with \"[\"";
    EXPECT_EQ(Lint(), (std::vector<std::string>{
                          "first.txt:2" + indented,
                          "first.txt:3" + indented,
                          "first.txt:5: warning: \"５００\" is written in full-width digits and is no number: the "
                          "command takes its default; write \"500\"",
                          "first.txt:6: warning: \"－１２\" is written in full-width digits and is no number: the "
                          "command takes its default; write \"-12\"",
                          "first.txt:7: warning: \"１\" in the condition \"１\" is no campaign word and counts as 0",
                          "first.txt:8: warning: the label \"*終わり \" ends with a blank, which belongs to its name: "
                          "a jump to \"*終わり\" does not find it",
                      }));
    EXPECT_FALSE(HasErrors);
}

TEST_F(GameLintTest, AJumpWhoseConditionACommentCutsOffIsAnError) {
    Write("first.txt",
          "[ジャンプ/*先//ターン>3]\n"         // 1: cut before the condition
          "[ジャンプ/*先/./ターン>3//note]\n"  // 2: the condition stays
          "[bgm01//ループ]\n"                  // 3: no jump
          "*先\n"
          "[ジャンプ/title.txt/*スタート]\n");
    Write("title.txt", kTitle);
    WriteSound("bgm01.ogg");
    const std::string cut =
        ": warning: \"//\" inside the command starts a comment and cuts the command there; "
        "write an empty field as \"/ /\"";
    EXPECT_EQ(Lint(), (std::vector<std::string>{
                          "first.txt:1" + cut,
                          "first.txt:1: error: the jump's condition after the \"//\" is cut off with it: the jump "
                          "always happens",
                          "first.txt:2" + cut,
                          "first.txt:3" + cut,
                      }));
}

TEST_F(GameLintTest, AChoiceWithoutTargetOrCaptionIsFound) {
    Write("first.txt",
          "どうする？\n"
          "[選択/*a]行く\n"   // 2: a whole choice
          "[選択/ / ]行く\n"  // 3: no target
          "[選択/*a]\n"       // 4: no caption
          "[選択/*a\n"        // 5: no closing bracket: the rest is the command
          "\n"
          "*a\n"
          "[ジャンプ/title.txt/*スタート]\n");
    Write("title.txt", kTitle);
    EXPECT_EQ(Lint(), (std::vector<std::string>{
                          "first.txt:3: warning: a choice without a target (field 1 or 2) is not made",
                          "first.txt:4: warning: a choice without a caption after \"]\" is not made",
                          "first.txt:5: warning: a choice without a caption after \"]\" is not made",
                      }));
}

TEST_F(GameLintTest, FilesThatAreNoPictureOrSoundAreErrors) {
    Write("first.txt", "[bg01]\n[bg02]\n[se_door]\n[se_bell]\n[ジャンプ/title.txt/*スタート]\n");
    Write("title.txt", kTitle);
    WritePicture("bg01.png");
    Write("bg02.png", "GIF89a, not what the game reads");
    WriteSound("se_door.ogg");
    Write("se_bell.ogg", "RIFF....WAVE");
    const std::vector<std::string> findings = Lint();
    ASSERT_EQ(findings.size(), 2u) << ::testing::PrintToString(findings);
    EXPECT_TRUE(findings[0].starts_with("first.txt:2: error: \"bg02.png\" is no PNG or JPEG picture the game can read"))
        << findings[0];
    EXPECT_EQ(findings[1],
              "first.txt:4: error: \"se_bell.ogg\" is no Ogg Vorbis sound (mono or stereo) the game can play: nothing "
              "is heard");
}

TEST_F(GameLintTest, MissingFilesGetNearNamesAndTheSourcesSearched) {
    Write("first.txt",
          "[bg01]\n"          // 1: exists as JPEG
          "[chara0l]\n"       // 2: one character off
          "[sepia01]\n"       // 3: a picture taken for a sound
          "[se_door]\n"       // 4: nothing near
          "[cg_night.png]\n"  // 5: present
          "[ジャンプ/title.txt/*スタート]\n");
    Write("title.txt", kTitle);
    WritePicture("bg01.jpg");
    WritePicture("chara01.png");
    WritePicture("sepia01.png");
    WritePicture("cg_night.png");
    EXPECT_EQ(Lint(), (std::vector<std::string>{
                          "first.txt:1: error: \"bg01\" is no command, and no picture \"bg01.png\" exists (did you "
                          "mean \"bg01.jpg\"?)",
                          "first.txt:2: error: \"chara0l\" is no command, and no picture \"chara0l.png\" exists (did "
                          "you mean \"chara01.png\"?)",
                          "first.txt:3: error: \"sepia01\" begins with bgm, se or cv and is played as the sound "
                          "\"sepia01.ogg\", which does not exist; show the picture with its extension: "
                          "[sepia01.png]",
                          "first.txt:4: error: sound \"se_door.ogg\" does not exist",
                      }));
    EXPECT_EQ(Searched, std::vector<std::string>{Folder.Folder()});
}

TEST_F(GameLintTest, MissingPicturesAndSoundsOfCommandsGetNearNames) {
    Write("first.txt",
          "[ボタン/btn_ok.png/ /./*a/10/10]\n"      // 1: exists as JPEG
          "[選択枠/frame01.png]\n"                  // 2: one character off
          "[初期値/選択音/se_clik.ogg/se_hover]\n"  // 3: one character left out; the other exists
          "*a\n[ジャンプ/title.txt/*スタート]\n");
    Write("title.txt", kTitle);
    WritePicture("btn_ok.jpg");
    WritePicture("frame02.png");
    WriteSound("se_click.ogg");
    WriteSound("se_hover.ogg");
    EXPECT_EQ(Lint(), (std::vector<std::string>{
                          "first.txt:1: error: picture \"btn_ok.png\" does not exist (did you mean \"btn_ok.jpg\"?)",
                          "first.txt:2: error: picture \"frame01.png\" does not exist (did you mean \"frame02.png\"?)",
                          "first.txt:3: error: sound \"se_clik.ogg\" does not exist (did you mean \"se_click.ogg\"?)",
                      }));
}

TEST_F(GameLintTest, APageLongerThanTheMessageWindowIsFound) {
    const std::string longLine(40 * 3, 'a');  // wraps by width into two lines or more
    Write("first.txt",
          "一行目\n二行目\n三行目\n\n"          // 1: three lines fit the default window
          "一行目\n二行目\n三行目\n四行目\n\n"  // 5: the fourth is dropped
          "[待/100]一行目\n" +
              longLine + "\n" + longLine +
              "\n\n"                             // 10: wrapped lines count too
              "[選択/*a]選ぶ\n"                  // 13: a caption is no text of the page
              "一行目\n二行目\n[ジャンプ/*a]\n"  // 14: a jump clears the window
              "*a\n一行目\n二行目\n三行目\n\n"
              "[初期値/文章枠/frame_tall/0/400]\n"  // 22: a taller frame holds more lines
              "一行目\n二行目\n三行目\n四行目\n五行目\n\n"
              "[ジャンプ/title.txt/*スタート]\n");
    Write("title.txt", kTitle);
    WritePicture("frame_tall.png", 800, 200);
    const std::vector<std::string> findings = Lint();
    ASSERT_EQ(findings.size(), 2u) << ::testing::PrintToString(findings);
    EXPECT_EQ(findings[0],
              "first.txt:5: warning: this page runs below the message window, which shows 3 lines: its last 3 "
              "characters are dropped unseen; end the page earlier with an empty line");
    // How much of the wrapped text is dropped depends on the font's widths.
    const std::string wrapped =
        "first.txt:10: warning: this page runs below the message window, which shows 3 lines: its last ";
    EXPECT_TRUE(findings[1].starts_with(wrapped)) << findings[1];
    EXPECT_FALSE(findings[1].starts_with(wrapped + "0 ")) << findings[1];
}

class EngineFilesLintTest : public GameLintTest {
protected:
    // Every file a battle of area 2 needs, enemies 1 and 7 among them, but `left`.
    void WriteBattleFiles(const std::string& left) {
        for (const TEngineFile& file : EngineFiles()) {
            if (file.Use == TEngineFileUse::Fonts || file.Use == TEngineFileUse::BattleHeroine) continue;
            std::vector<std::string> names = EngineFileNames(file, 2);
            if (file.Use == TEngineFileUse::BattleEnemy) names = {"敵ユニット01.png", "敵ユニット07.png"};
            for (const std::string& name : names) {
                if (name == left) continue;
                if (name.ends_with(".ogg")) {
                    WriteSound(name);
                } else {
                    WritePicture(name);
                }
            }
        }
    }
};

TEST_F(EngineFilesLintTest, EachMissingFileIsToldAtTheFirstBattleThatNeedsIt) {
    Write("first.txt", "[戦闘開始/2]\n[戦闘開始/2]\n[戦闘開始/3]\n[ジャンプ/title.txt/*スタート]\n");
    Write("title.txt", kTitle);
    Write("敗北.txt", "*スタート\n");
    Write("bt02-00.txt", "WC=1\nWEC_00=1\n");
    Write("bt03-00.txt", "WC=1\nWEC_00=1\nE_00_00_ID=2\n");
    Write("st02.txt", "\n");
    Write("st03.txt", "\n");
    WriteBattleFiles("bgi戦闘.png");
    const std::vector<std::string> findings = Lint();
    ASSERT_EQ(findings.size(), 2u) << ::testing::PrintToString(findings);
    EXPECT_EQ(findings[0],
              "first.txt:1: error: the battle of area 2 needs files of the engine's own that no source has (see "
              "docs/engine-files.md): bgi戦闘.png");
    EXPECT_EQ(findings[1],
              "first.txt:3: error: the battle of area 3 needs files of the engine's own that no source has (see "
              "docs/engine-files.md): fi戦場03.png (did you mean \"fi戦場02.png\"?), btn暁の角.png (did you mean "
              "\"btn霜の角.png\"?), 敵ユニット02.png (did you mean \"敵ユニット01.png\" or \"敵ユニット07.png\"?)");
}

TEST_F(EngineFilesLintTest, ABattleNeedsTheEnginesOwnFiles) {
    Write("first.txt", "[戦闘開始/2]\n[ジャンプ/title.txt/*スタート]\n");
    Write("title.txt", kTitle);
    Write("st02.txt", "MAP_20_20=1\n");
    Write("bt02-00.txt", "WC=2\nWEC_00=2\nE_00_01_ID=7\nWEC_01=1\n");
    Write("敗北.txt", "*スタート\n");
    WriteBattleFiles("");
    EXPECT_EQ(Lint(), std::vector<std::string>{});

    WriteBattleFiles("");
    std::filesystem::remove(Folder / "敵ユニット07.png");
    std::filesystem::remove(Folder / "bgm013.ogg");
    WritePicture("bgm013.png");
    Write("frm戦場.png", "broken");
    Files.RemoveSources();
    const std::vector<std::string> findings = Lint();
    ASSERT_EQ(findings.size(), 2u) << ::testing::PrintToString(findings);
    EXPECT_EQ(findings[0].substr(0, findings[0].find('(')),
              "first.txt:1: error: \"frm戦場.png\" is no PNG or JPEG picture the game can read ");
    EXPECT_EQ(findings[1],
              "first.txt:1: error: the battle of area 2 needs files of the engine's own that no source has (see "
              "docs/engine-files.md): bgm013.ogg (did you mean \"bgm013.png\", \"bgm003.ogg\" or \"bgm012.ogg\"?), "
              "敵ユニット07.png (did you mean "
              "\"敵ユニット01.png\"?)");
}

}  // namespace
}  // namespace vandor
