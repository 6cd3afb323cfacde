#include "shell/MainWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "GameProgram.h"
#include "MainWindowFixture.h"
#include "TempFolder.h"
#include "battle/QTDGame.h"
#include "campaign/GameDat.h"
#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/HeadlessWindowHost.h"
#include "platform/headless/SimulatedClock.h"
#include "resources/ArchiveWriter.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "sound/SoundPlayer.h"
#include "util/DebugLog.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::MainWindowTest;
using test::ReadTextFile;
using test::TTempFolder;
using test::WriteTextFile;

TEST_F(MainWindowTest, DebugFoldersStartTheGameAndShutdownWritesSettingsAndLog) {
    WriteScript("first.txt", "[文章枠/なし]\n最初の行。\n");
    TggTDMain& main = Start();
    EXPECT_EQ(main.Title(), "ヴァンドルの星砦タクティクス");
    EXPECT_EQ(host.Title(), "ヴァンドルの星砦タクティクス");
    EXPECT_TRUE(main.Locations().DebugMode);
    EXPECT_FALSE(main.Menu().At("mmCombine").Visible());
    EXPECT_FALSE(main.Menu().At("mmSave").Enabled());
    EXPECT_EQ(host.Position().X, 192);
    EXPECT_EQ(host.Position().Y, 114);

    // Frames come every 20 ms of the clock, and the first one presents the picture.
    Frames(1);
    const uint32_t before = clock.Now();
    Frames(50);
    EXPECT_EQ(clock.Now() - before, 1000u);
    EXPECT_EQ(main.Engine().ScriptName, "first.txt");
    EXPECT_NE(host.ClientPicture().PixelPtr(40, 500)[0], 0xFF000000u) << "the text was presented";

    host.ClickMenu("mmCSSlow");
    host.ClickMenu("mmCAA");
    Stop();
    const TIniFile ini(ThisConfig());
    EXPECT_EQ(ini.ReadInteger("Text", "Speed", 0), 50);
    EXPECT_EQ(ini.ReadInteger("Text", "AA", 1), 0);
    EXPECT_EQ(ini.ReadString("Path", "Last"), exe);
    const std::vector<std::string> lines = DebugLogLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_NE(lines.front().find("デバッグモード"), std::string::npos);
    EXPECT_EQ(lines[lines.size() - 2], "--------------------");
    EXPECT_NE(lines.back().find(" システム終了."), std::string::npos);
}

TEST_F(MainWindowTest, ArchivesWithoutDebugFoldersWriteNoLogUnlessAnErrorHappens) {
    WriteArchive(exe + "dat.gdp", "[文章枠/なし]\n本編。\n");
    TggTDMain& main = Start();
    ASSERT_EQ(main.Archives().size(), 1u);
    EXPECT_FALSE(main.Locations().DebugMode);
    Frames(5);
    EXPECT_EQ(main.Engine().ScriptName, "first.txt");
    Stop();
    EXPECT_TRUE(DebugLogLines().empty());
    EXPECT_EQ(TIniFile(ThisConfig()).ReadString("Ver", "Data"), "1.2.3.4");

    // An unhandled error switches the log on and writes it at once; normal play recorded
    // nothing before it.
    TggTDMain& again = Start();
    again.AppEventsException("何かが壊れた");
    const std::vector<std::string> lines = DebugLogLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], TDebugLog::TimePrefix(clock.Now()) + "何かが壊れた");
}

TEST_F(MainWindowTest, WithoutASoundDeviceTheGameSaysSoOnceAndRunsSilent) {
    WriteScript("first.txt", "[文章枠/なし]\nテキスト。\n");
    device.SetAvailable(false);
    TggTDMain& main = Start();
    Frames(5);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].Caption, "Error");
    EXPECT_EQ(host.MessageBoxes()[0].Buttons, TMessageButtons::OK);
    EXPECT_EQ(main.Engine().ScriptName, "first.txt");
}

TEST_F(MainWindowTest, DamagedScriptsAreLoggedAndPlayGoesOn) {
    const std::string_view first = "[文章枠/なし]\n[ジャンプ/second.txt]\n";
    const TBytes garbage(64, 0x5A);
    const TBytes bytes = BuildArchive({MakeArchiveEntry("first.txt", TBytes(first.begin(), first.end())),
                                       TArchiveEntry{"second.txt", garbage}, TArchiveEntry{"third.txt", garbage}},
                                      {1, 0, 0, 0});
    WriteTextFile(exe + "dat.gdp", std::string(bytes.begin(), bytes.end()));
    TggTDMain& main = Start();
    const uint64_t before = main.FrameCount();
    Frames(10);
    EXPECT_EQ(main.FrameCount(), before + 10) << "frames go on after the failed jump";
    const std::vector<std::string> lines = DebugLogLines();
    ASSERT_FALSE(lines.empty()) << "the error switched the log on and wrote it";
    EXPECT_NE(lines.back().find("second.txt"), std::string::npos) << lines.back();
    Stop();

    // The same damage in the very first script only leaves an empty stage.
    const std::string_view fine = "本編。\n";
    const TBytes other = BuildArchive(
        {TArchiveEntry{"first.txt", garbage}, MakeArchiveEntry("title.txt", TBytes(fine.begin(), fine.end()))},
        {1, 0, 0, 0});
    WriteTextFile(exe + "dat.gdp", std::string(other.begin(), other.end()));
    TggTDMain& again = Start();
    Frames(3);
    EXPECT_EQ(again.Engine().LineCount(), 0);
}

TEST_F(MainWindowTest, UnreadableArchiveEndsTheProgramWithALogLine) {
    WriteTextFile(exe + "dat.gdp", "not an archive at all");
    TggTDMain& main = Start();
    EXPECT_TRUE(main.Terminating());
    EXPECT_TRUE(host.Closed());
    bool found = false;
    for (const std::string& line : DebugLogLines()) {
        found |= line == "ゲームデータ " + exe + "dat.gdp にアクセスできなかったため、終了します";
    }
    EXPECT_TRUE(found);
}

TEST_F(MainWindowTest, MouseIsConvertedToPictureCoordinatesAndButtonsUseTheLastMove) {
    WriteScript("first.txt", "[文章枠/なし]\nテキスト。\n");
    TggTDMain& main = Start();
    host.SetClientSize({1024, 600});
    EXPECT_EQ(main.Layout().PictureRect, (TRect{112, 0, 912, 600}));
    host.MoveMouse(112 + 400, 300);
    EXPECT_EQ(main.MouseX(), 400);
    EXPECT_EQ(main.MouseY(), 300);
    host.MoveMouse(10, 599);  // in the black band: passed on as it is
    EXPECT_EQ(main.MouseX(), -102);
    EXPECT_EQ(main.MouseY(), 599);

    host.SetClientSize({1000, 750});
    host.MoveMouse(500, 375);
    EXPECT_EQ(main.MouseX(), 400);
    EXPECT_EQ(main.MouseY(), 300);

    // While the application is in the background the pointer is not followed.
    host.SetActive(false);
    host.MoveMouse(0, 0);
    EXPECT_EQ(main.MouseX(), 400);
}

TEST_F(MainWindowTest, ScaledPresentationMatchesTheLayout) {
    WriteScript("first.txt", "[白転/0]\n");
    TggTDMain& main = Start();
    Frames(3);
    host.SetClientSize({1024, 600});
    EXPECT_EQ(host.ClientPicture().PixelPtr(111, 300)[0], 0xFF000000u) << "left band";
    EXPECT_EQ(host.ClientPicture().PixelPtr(112, 300)[0], 0xFFFFFFFFu);
    EXPECT_EQ(host.ClientPicture().PixelPtr(912, 300)[0], 0xFF000000u) << "right band";

    host.SetClientSize({1000, 800});  // band resampler: 1000 x 750 with bands of 25 rows
    EXPECT_EQ(main.Layout().PictureRect, (TRect{0, 25, 1000, 775}));
    EXPECT_EQ(host.ClientPicture().PixelPtr(500, 24)[0], 0xFF000000u);
    EXPECT_EQ(host.ClientPicture().PixelPtr(500, 25)[0], 0xFFFFFFFFu);
    EXPECT_EQ(host.ClientPicture().PixelPtr(999, 400)[0], 0xFFFFFFFFu);
}

TEST_F(MainWindowTest, InactiveWindowKeepsAnimatingFromTheTimer) {
    WriteScript("first.txt", "[文章枠/なし]\nテキスト。\n");
    TggTDMain& main = Start();
    Frames(1);
    host.PressKey(vkControl);
    EXPECT_TRUE(main.CtrlHeld());
    EXPECT_TRUE(main.Engine().Skip);
    host.SetActive(false);
    EXPECT_FALSE(main.CtrlHeld()) << "switching away stops skipping";
    EXPECT_FALSE(main.Engine().Skip);
    EXPECT_TRUE(host.TimerEnabled());
    const uint32_t before = clock.Now();
    Frames(50);
    EXPECT_EQ(clock.Now() - before, 1000u) << "the same pace in the background";
    host.SetActive(true);
    EXPECT_FALSE(host.TimerEnabled());
}

TEST_F(MainWindowTest, IdleCallsCanWaitUntilTheNextFrameIsDue) {
    WriteScript("first.txt", "[文章枠/なし]\nテキスト。\n");
    TggTDMain& main = Start();
    ASSERT_TRUE(host.Events().IdleDelay);
    Frames(1);
    const int delay = host.Events().IdleDelay();
    EXPECT_GT(delay, 0);
    EXPECT_LT(delay, 20);
    clock.Advance(static_cast<uint32_t>(delay - 1));
    EXPECT_EQ(host.Events().IdleDelay(), 1);
    clock.Advance(1);
    EXPECT_EQ(host.Events().IdleDelay(), 0);
    const uint64_t frames = main.FrameCount();
    EXPECT_TRUE(host.Events().OnIdle());
    EXPECT_EQ(main.FrameCount(), frames + 1) << "the frame was due when the wait ended";
    EXPECT_GT(host.Events().IdleDelay(), 0);
}

TEST_F(MainWindowTest, TextSpeedAndVolumeMenusFollowTheSettings) {
    WriteTextFile(ThisConfig(), "[Text]\nSpeed=25\n[Sound]\nVolume0=65\nVolume2=40\n");
    WriteScript("first.txt", "テキスト。\n");
    TggTDMain& main = Start();
    TMenuModel& menu = main.Menu();
    EXPECT_TRUE(menu.At("mmCSNormal").Checked()) << "25 shows as normal";
    EXPECT_EQ(main.Engine().TextSpeed, 25);
    host.ClickMenu("mmCSNormal");
    EXPECT_EQ(main.Engine().TextSpeed, 30);
    host.ClickMenu("mmCSPage");
    EXPECT_EQ(main.Engine().TextSpeed, -1);
    EXPECT_TRUE(menu.At("mmCSPage").Checked());
    EXPECT_FALSE(menu.At("mmCSNormal").Checked());

    EXPECT_TRUE(menu.At("mmV0_6").Checked()) << "65 shows as 60";
    EXPECT_EQ(menu.At("mmV0_10").Caption(), "100％(&0)");
    EXPECT_EQ(menu.At("mmV0_0").Caption(), "ミュート(&M)");
    TSoundPlayer& sound = main.Sound();
    EXPECT_EQ(sound.Channel(16).GetVolume(), 40) << "interface sounds follow channel 2";
    host.ClickMenu("mmV0_6");
    EXPECT_EQ(sound.Channel(0).GetVolume(), 60);

    host.ClickMenu("mmV1_3");
    for (int channel : {1, 2, 3, 16, 21}) EXPECT_EQ(sound.Channel(channel).GetVolume(), 30) << channel;
    EXPECT_EQ(sound.Channel(4).GetVolume(), 60);
    host.ClickMenu("mmV4_8");  // the third voice entry: channel 6
    EXPECT_EQ(sound.Channel(6).GetVolume(), 80);

    host.ClickMenu("mmV13_0");
    for (int channel = 0; channel < SoundChannel::Count; ++channel) {
        EXPECT_EQ(sound.Channel(channel).GetMasterVolume(), 0);
    }
    EXPECT_EQ(sound.Channel(6).GetVolume(), 80) << "muting keeps the channels' own volumes";
    EXPECT_TRUE(menu.At("mmV13_0").Checked());
    host.ClickMenu("mmV13_10");
    EXPECT_EQ(sound.Channel(21).GetMasterVolume(), 100);

    Stop();
    const TIniFile ini(ThisConfig());
    EXPECT_EQ(ini.ReadInteger("Sound", "Volume", 0), 100);
    EXPECT_EQ(ini.ReadInteger("Sound", "Volume6", 0), 80);
    EXPECT_EQ(ini.ReadInteger("Sound", "Volume2", 0), 30);
    EXPECT_EQ(ini.ReadInteger("Text", "Speed", 0), -1);
}

TEST_F(MainWindowTest, MenusHaveTheirItemsAndSlotsShowStoredCaptions) {
    WriteTextFile(ThisConfig(), "[Save]\nItem03=2026/12/01 10:00:00 5ターン(&R)\n");
    WriteScript("first.txt", "テキスト。\n");
    TggTDMain& main = Start();
    TMenuModel& menu = main.Menu();
    const auto& saveItems = menu.At("mmSave").Items();
    ASSERT_EQ(saveItems.size(), 18u) << "the sixteen slots, a line and the quick save";
    EXPECT_EQ(saveItems.back()->Name(), "mmQuickSave");
    EXPECT_EQ(saveItems.front()->Name(), "mmSF0_15");
    EXPECT_EQ(saveItems.front()->Caption(), "データなし(&1)");
    EXPECT_EQ(saveItems[15]->Caption(), "データなし(&Q)");
    EXPECT_FALSE(menu.At("mmSF1_0").Enabled()) << "an empty slot cannot be loaded";
    EXPECT_TRUE(menu.At("mmSF1_3").Enabled());
    EXPECT_EQ(menu.At("mmSF1_3").Caption(), "2026/12/01 10:00:00 5ターン(&R)");
    EXPECT_EQ(menu.At("mmVolume").Items().size(), 14u);
    EXPECT_EQ(menu.At("mmVChar11").Caption(), "声 その他(&T)");
    EXPECT_EQ(menu.At("mmVMaster").Items().size(), 11u);
    EXPECT_FALSE(menu.At("mmEnq").Visible());

    host.ClickMenu("mmAbout");
    ASSERT_FALSE(host.MessageBoxes().empty());
    const TShownMessageBox& about = host.MessageBoxes().back();
    EXPECT_NE(about.Text.find("Ver. "), std::string::npos);
    EXPECT_NE(about.Text.find(exe + "scenario/"), std::string::npos) << about.Text;
}

TEST_F(MainWindowTest, ClosingAsksAndReturnToTitleJumpsToTheTitleLabel) {
    WriteScript("first.txt", "[文章枠/なし]\n[ジャンプ/title.txt/*スタート]\n");
    WriteScript("title.txt", "前置き。\n*スタート\nタイトル画面。\n");
    TggTDMain& main = Start();
    Frames(3);
    EXPECT_EQ(main.Engine().ScriptName, "title.txt");
    host.ClickMenu("mmTitle");
    EXPECT_EQ(main.Engine().LastLabel, "*スタート");

    host.QueueAnswer(TMessageResult::Cancel);
    host.ClickMenu("mmExit");
    EXPECT_FALSE(host.Closed());
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].Text, "終了しますか");
    EXPECT_EQ(host.MessageBoxes()[0].Caption, "確認");
    host.ClickMenu("mmExit");
    EXPECT_TRUE(host.Closed());

    // A termination signal closes without asking.
    Stop();
    THeadlessWindowHost second;
    TggTDMain other(TMainWindowPlatform{second, clock, device, exe, documents, "vandor", 7, "", false, ""});
    other.CloseWithoutAsking();
    EXPECT_TRUE(second.Closed());
    EXPECT_TRUE(second.MessageBoxes().empty());
}

TEST_F(MainWindowTest, BattleCommandStartsABattleThatTheWindowThenDrives) {
    WriteScript("first.txt", "[文章枠/なし]\n[謎の命令]\n[戦闘開始/4]\n[戦闘開始/0/負け.txt]\n[クリック待]\n");
    WriteScript("title.txt", "*スタート\nタイトル。\n");
    TggTDMain& main = Start();
    TQTDGame& battle = main.Battle();
    Frames(3);
    ASSERT_TRUE(main.BattleSession().Running());
    // Area 4 had its full strength of 4: the battle is fought with 4 and the area keeps 3.
    EXPECT_EQ(battle.Strength(), 4);
    EXPECT_EQ(battle.Field, 4);
    EXPECT_EQ(main.Campaign().AreaStrength(4), 3);
    EXPECT_EQ(main.Campaign().AreaBattles(4), 1);
    EXPECT_EQ(main.DefeatScript(), "敗北.txt");
    EXPECT_EQ(main.DefeatLabel(), "*スタート");
    // While the battle runs the story waits on its line and the battle's picture is shown.
    const int line = main.Engine().Line;
    Frames(20);
    EXPECT_EQ(main.Engine().Line, line);
    EXPECT_EQ(&main.Battle().BackSurface(), &battle.Layers.Surface);

    // Shift+Ctrl+Q abandons it, and the story goes on.
    host.PressKey(vkShift);
    host.PressKey(vkControl);
    host.ReleaseKey('Q');
    host.ReleaseKey(vkControl);
    host.ReleaseKey(vkShift);
    EXPECT_FALSE(main.BattleSession().Running());
    Frames(5);
    // [戦闘開始/0/負け.txt] plays area 1 at strength 1, changes no area and keeps the
    // label empty when only the script is given.
    ASSERT_TRUE(main.BattleSession().Running());
    EXPECT_EQ(battle.Strength(), 1);
    EXPECT_EQ(battle.Field, 1);
    EXPECT_EQ(main.Campaign().AreaBattles(1), 0);
    EXPECT_EQ(main.DefeatScript(), "負け.txt");
    EXPECT_EQ(main.DefeatLabel(), "");

    // Returning to the title ends the battle.
    host.ClickMenu("mmTitle");
    EXPECT_FALSE(main.BattleSession().Running());
    Frames(2);
    EXPECT_EQ(main.Engine().ScriptName, "title.txt");

    Stop();
    // The known command took the missing-picture line of its word with it; the unknown one left it.
    const std::string log = test::ReadDebugLog(exe);
    EXPECT_EQ(log.find("\"戦闘開始.png\""), std::string::npos) << log;
    EXPECT_NE(log.find("\"謎の命令.png\""), std::string::npos) << log;
}

TEST_F(MainWindowTest, CampaignScreensShowOnTheStageAndShutdownAsksFirst) {
    WriteScript("first.txt", "[文章枠/なし]\n[上部情報]\n[クリック待]\n[シャットダウン]\n[クリック待]\n");
    TggTDMain& main = Start();
    Frames(4);
    EXPECT_TRUE(main.Menu().At("mmSave").Enabled());
    // The status bar's turn "  0" ends at about x 40 of its 22-pixel line.
    int lit = 0;
    for (int x = 14; x < 60; ++x)
        for (int y = 14; y < 38; ++y) lit += host.ClientPicture().PixelPtr(x, y)[0] != 0xFF000000u ? 1 : 0;
    EXPECT_GT(lit, 0) << "the status bar is on the stage";

    host.QueueAnswer(TMessageResult::Cancel);
    host.MoveMouse(400, 300);
    host.PressButton(TMouseButton::mbLeft);
    host.ReleaseButton(TMouseButton::mbLeft);
    Frames(4);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].Text, "終了しますか");
    EXPECT_FALSE(host.Closed());
}

TEST_F(MainWindowTest, CombiningRestartsInTheCombinedEditionAndBringsTheSlots) {
    // The companion beside the program, this title installed elsewhere.
    const std::string install = temp / "this/";
    WriteArchive(install + "dat.gdp", "[文章枠/なし]\n本編。\n");
    WriteTextFile(ThisConfig(), "[Path]\nLast=" + install + "\n");
    WriteArchive(exe + "plus.gdp", "[文章枠/なし]\n灰羽。\n");
    const std::string companion = UserDir("星砦の灰羽");
    WriteTextFile(companion + "Config.ini", "[Save]\nItem00=古い記録(&Q)\nItem01=二番目(&W)\n");
    WriteTextFile(companion + "save00.dat", "slot 0");
    WriteTextFile(companion + "save01.dat", "slot 1");
    const std::string combined = UserDir("ヴァンドルの星砦プラス");
    WriteTextFile(combined + "save00.dat", "newer slot 0");

    TggTDMain& main = Start();
    EXPECT_EQ(main.Title(), "星砦の灰羽 増羽");
    EXPECT_TRUE(main.Menu().At("mmCombine").Visible());
    EXPECT_TRUE(main.Menu().At("mmFileLine2").Visible());
    Frames(2);

    host.QueueAnswer(TMessageResult::Cancel);
    host.ClickMenu("mmCombine");
    EXPECT_FALSE(main.RestartPending());
    ASSERT_FALSE(host.MessageBoxes().empty());
    EXPECT_EQ(host.MessageBoxes().back().Caption, "確認");
    EXPECT_EQ(host.MessageBoxes().back().ButtonCaptions, (std::vector<std::string>{"&OK", "キャンセル(&C)"}));

    // The combined edition already used slot 0: that slot stays as it was.
    WriteTextFile(combined + "Config.ini", "[Save]\nItem00=新しい記録(&Q)\n");
    host.ClickMenu("mmCombine");
    EXPECT_TRUE(main.RestartPending());
    EXPECT_EQ(ReadTextFile(combined + "save00.dat"), "newer slot 0");
    EXPECT_EQ(ReadTextFile(combined + "save01.dat"), "slot 1");
    EXPECT_EQ(TIniFile(combined + "Config.ini").ReadString("Save", "Item01"), "二番目(&W)");
    EXPECT_TRUE(fs::exists(companion + "Config.ini"));

    Frames(3);
    EXPECT_FALSE(main.RestartPending());
    EXPECT_EQ(main.Title(), "ヴァンドルの星砦プラス（結合版）");
    EXPECT_EQ(main.Locations().SaveFolder, combined);
    EXPECT_FALSE(main.Menu().At("mmCombine").Visible());
    EXPECT_EQ(main.Archives().size(), 2u) << "dat and plus";
    EXPECT_EQ(main.Engine().ScriptName, "first.txt");
    EXPECT_EQ(main.Menu().At("mmSF1_1").Caption(), "二番目(&W)");
    Stop();

    // From now on the game starts combined.
    TggTDMain& again = Start();
    EXPECT_EQ(again.Title(), "ヴァンドルの星砦プラス（結合版）");
}

}  // namespace
}  // namespace vandor
