#include "campaign/CampaignCommands.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "../compositor/LayerTestSupport.h"
#include "campaign/CampaignItems.h"
#include "campaign/GameDat.h"
#include "campaign/SaveSlots.h"
#include "campaign/WorldNames.h"
#include "compositor/LayerList.h"
#include "util/DebugLog.h"

namespace vandor {
namespace {

struct BattleRequest {
    int Area;
    int32_t Strength;
};

class CampaignCommandsTest : public ::testing::Test {
protected:
    CampaignCommandsTest() {
        Log.Enabled = true;
        Commands.Hooks.StartBattle = [this](int area, int32_t strength) { Battles.push_back({area, strength}); };
        Commands.Hooks.EnableSave = [this](bool enabled) { SaveEnabled.push_back(enabled); };
        Commands.Hooks.Shutdown = [this] { ++Shutdowns; };
    }

    // The words as the engine hands them over, after a failed picture lookup logged one line.
    bool Run(const std::string& line) {
        Log.Add("ファイル \"" + line + ".png\" は存在しません.");
        TFields fields = SplitFields(line);
        return Commands.Run(fields);
    }

    void OwnAllItems() {
        for (int item = 1; item <= kItemCount; ++item) Dat.SetItem(item, true);
    }

    static int CountColour(const TBitmap32& surface, TRect rect, TColor32 colour) {
        int count = 0;
        for (int y = rect.Top; y < rect.Bottom; ++y)
            for (int x = rect.Left; x < rect.Right; ++x) count += *surface.PixelPtr(x, y) == colour ? 1 : 0;
        return count;
    }
    static int CountDrawn(const TBitmap32& surface, TRect rect) {
        return rect.Width() * rect.Height() - CountColour(surface, rect, 0);
    }

    TCryptMaps Store;
    TQTDGameDat Dat{Store};
    testing::FakePictures Pictures;  // outlives the stage, whose layers show its pictures
    TLayerList Stage{800, 600};
    std::mt19937 Random{7};
    TDebugLog Log{""};
    TCampaignCommands Commands{Dat, Stage, Random, &Log};
    std::vector<BattleRequest> Battles;
    std::vector<bool> SaveEnabled;
    int Shutdowns = 0;
};

TEST_F(CampaignCommandsTest, RecognisedWordsTakeBackTheMissingPictureLineAndOthersLeaveIt) {
    ASSERT_EQ(Stage.Count(), 2);  // the status bar and the information layer
    EXPECT_FALSE(Commands.TopBar().Visible());
    EXPECT_FALSE(Commands.InfoLayer().Visible());

    EXPECT_TRUE(Run("ヴァンドルルート"));
    EXPECT_TRUE(Dat.RouteFlag());
    EXPECT_TRUE(Log.Lines().empty());

    EXPECT_FALSE(Run("知らない命令/1"));
    ASSERT_EQ(Log.Lines().size(), 1u);
    EXPECT_NE(Log.Lines()[0].find("知らない命令"), std::string::npos);

    // Letters arrive lower-cased, so the pass flag command is matched in that form.
    EXPECT_TRUE(Run("通過3p/4"));
    EXPECT_TRUE(Dat.PassFlag(4));
    EXPECT_FALSE(Run("通過3P/5"));
    EXPECT_FALSE(Dat.PassFlag(5));

    EXPECT_TRUE(Run("シャットダウン"));
    EXPECT_EQ(Shutdowns, 1);
}

TEST_F(CampaignCommandsTest, OnlyConsumablesAreUsedUpAndTheirWordSetsTheRouteItemFlag) {
    Run("アイテム取得/20");
    EXPECT_EQ(Commands.CurrentItem, 20);
    Run("アイテム消費/20");
    EXPECT_TRUE(Dat.HasItem(20));
    EXPECT_EQ(Commands.CurrentItem, -1);
    EXPECT_FALSE(Dat.RouteItemFlag());

    Run("アイテム取得/7");
    Run("アイテム消費/7/ヴァンドル");
    EXPECT_FALSE(Dat.HasItem(7));
    EXPECT_EQ(Commands.CurrentItem, 7);
    EXPECT_TRUE(Dat.RouteItemFlag());

    Run("アイテム取得/34");
    Run("アイテム消費/34");
    EXPECT_FALSE(Dat.HasItem(34));
    EXPECT_EQ(Commands.CurrentItem, 34);

    // Numbers outside the items, or none, name no item.
    Run("アイテム取得/65");
    EXPECT_EQ(Commands.CurrentItem, -1);
    EXPECT_FALSE(Dat.HasItem(65));
    Run("アイテム取得");
    EXPECT_EQ(Commands.CurrentItem, -1);
    Run("アイテム消費");
    EXPECT_EQ(Commands.CurrentItem, -1);

    // The route word counts whatever the item was.
    Dat.SetRouteItemFlag(false);
    Run("アイテム消費/50/ヴァンドル");
    EXPECT_TRUE(Dat.RouteItemFlag());
}

TEST_F(CampaignCommandsTest, ItemThirteenJoinsTheDrawOnlyOnceUnlocked) {
    OwnAllItems();
    Dat.SetItem(13, false);
    Run("取得アイテム選定");
    EXPECT_EQ(Commands.CurrentItem, -1);  // 13 is still locked, 32 waits for turn 30
    EXPECT_FALSE(Dat.HasItem(13));

    Run("アイテム取得/13");
    EXPECT_TRUE(Dat.ItemUnlockFlag());
    Run("アイテム消費/13");
    EXPECT_FALSE(Dat.HasItem(13));
    EXPECT_TRUE(Dat.ItemUnlockFlag());
    Run("取得アイテム選定");
    EXPECT_EQ(Commands.CurrentItem, 13);
    EXPECT_TRUE(Dat.HasItem(13));

    // Everything owned: the draw finds nothing and changes nothing.
    Run("取得アイテム選定");
    EXPECT_EQ(Commands.CurrentItem, -1);
}

TEST_F(CampaignCommandsTest, ItemThirtyTwoWaitsForTurnThirtyAndTheDrawIsFairAndSeeded) {
    OwnAllItems();
    Dat.SetItem(32, false);
    Dat.SetTurn(29);
    Run("取得アイテム選定");
    EXPECT_EQ(Commands.CurrentItem, -1);
    Dat.SetTurn(30);
    Run("取得アイテム選定");
    EXPECT_EQ(Commands.CurrentItem, 32);

    // Two items missing: each fills 48 of the 96 entries, and the same seed draws the same.
    std::vector<int> counts(kItemCount + 1);
    std::vector<int> firstRun;
    for (int round = 0; round < 2; ++round) {
        Random.seed(99);
        for (int draw = 0; draw < 400; ++draw) {
            Dat.SetItem(3, false);
            Dat.SetItem(60, false);
            Run("取得アイテム選定");
            ASSERT_TRUE(Commands.CurrentItem == 3 || Commands.CurrentItem == 60) << Commands.CurrentItem;
            if (round == 0) {
                firstRun.push_back(Commands.CurrentItem);
                ++counts[static_cast<std::size_t>(Commands.CurrentItem)];
            } else {
                EXPECT_EQ(Commands.CurrentItem, firstRun[static_cast<std::size_t>(draw)]);
            }
        }
    }
    EXPECT_GT(counts[3], 150);
    EXPECT_GT(counts[60], 150);
}

// A new game forgets everything; a new cycle keeps what was won (items, the best score)
// and starts the story again; a heroine who leaves is no longer there, nor a general.
TEST_F(CampaignCommandsTest, NewGameNewCycleAndAHeroineWhoLeaves) {
    Run("ヒロイン登場/6");
    Run("アイテム取得/20");
    Dat.SetBestScore(4321);
    Run("行動/進行");
    Run("行動/進行/3");
    Run("戦闘開始/6");
    ASSERT_TRUE(Dat.IsGeneral(6));
    Run("ヒロイン退場/6");
    EXPECT_FALSE(Dat.HeroinePresent(6));
    EXPECT_FALSE(Dat.IsGeneral(6));
    Run("ヒロイン退場");
    EXPECT_TRUE(Dat.HeroinePresent(1)) << "no number, nobody leaves";

    Run("ヒロイン登場/6");
    Run("周回リセット");
    EXPECT_EQ(Dat.Turn(), 0);
    EXPECT_EQ(Dat.AreaProgress(3), 0);
    EXPECT_EQ(Dat.AreaBattles(6), 0);
    EXPECT_EQ(Dat.AreaStrength(6), TQTDGameDat::InitialStrength[6]);
    EXPECT_FALSE(Dat.HeroinePresent(6));
    EXPECT_TRUE(Dat.HasItem(20));
    EXPECT_EQ(Dat.BestScore(), 4321);

    Run("初期化");
    EXPECT_FALSE(Dat.HasItem(20));
    EXPECT_EQ(Dat.BestScore(), 0);
    EXPECT_TRUE(Dat.HeroinePresent(1));
}

TEST_F(CampaignCommandsTest, TurnsProgressTrainingAndCourting) {
    Dat.SetItem(32, true);
    Run("行動/進行");
    EXPECT_EQ(Dat.Turn(), 1);
    EXPECT_EQ(Dat.Actions(), 3);
    Dat.SetItem(32, false);
    Run("行動/進行");
    EXPECT_EQ(Dat.Actions(), 2);

    Run("行動/進行/5");
    EXPECT_EQ(Dat.AreaProgress(5), 1);
    EXPECT_EQ(Dat.Turn(), 2);
    EXPECT_EQ(Dat.Actions(), 2);

    // Training at the top leaves affection at its floor of 1.
    Dat.SetAffection(2, 1);
    Dat.SetTraining(2, 15);
    Run("行動/調教/2");
    EXPECT_EQ(Dat.Training(2), 15);
    EXPECT_EQ(Dat.Affection(2), 1);
    EXPECT_EQ(Dat.Actions(), 1);

    Dat.SetAffection(2, 14);
    Dat.SetTraining(2, 5);
    Run("行動/求愛/2");
    EXPECT_EQ(Dat.Affection(2), 15);
    EXPECT_EQ(Dat.Training(2), 4);
    Run("行動/求愛/2");
    EXPECT_EQ(Dat.Affection(2), 15);
    EXPECT_EQ(Dat.Training(2), 3);
    EXPECT_EQ(Dat.Actions(), -1);  // not tested here: the scripts ask first

    // A heroine number is needed, and other kinds do nothing.
    Run("行動/調教");
    Run("行動/求愛/0");
    Run("行動/休息/2");
    EXPECT_EQ(Dat.Actions(), -1);
    EXPECT_EQ(Dat.Training(2), 3);
}

// A save file may hold any value in any cell, and only some are clamped on loading:
// the counters the commands step go round as 32-bit integers instead of overflowing.
TEST_F(CampaignCommandsTest, SteppedCountersWrapAroundAtThe32BitLimits) {
    ApplySlot(Dat, ParseSlotText("ver=1.0.0.0\r\n"
                                 "d5-5=2147483647\r\n"      // area 5's progress
                                 "d6-4=2147483647\r\n"      // battles fought in area 4
                                 "d2-11=2147483647\r\n"     // training of heroine 11, beyond the clamped ten
                                 "d1-12=2147483647\r\n"));  // affection of heroine 12
    Run("行動/進行/5");
    EXPECT_EQ(Dat.AreaProgress(5), INT32_MIN);
    Run("戦闘開始/4");
    EXPECT_EQ(Dat.AreaBattles(4), INT32_MIN);
    // Stepped past the top, a value is at the bottom and the clamp takes it to 0.
    Run("行動/調教/11");
    EXPECT_EQ(Dat.Training(11), 0);
    Run("行動/求愛/12");
    EXPECT_EQ(Dat.Affection(12), 0);

    // Loading clamps the turn and the actions; commands alone can still take them to the limits.
    Dat.SetTurn(INT32_MAX);
    Run("行動/進行");
    EXPECT_EQ(Dat.Turn(), INT32_MIN);
    Dat.SetActions(INT32_MIN);
    Run("行動/求愛/2");
    EXPECT_EQ(Dat.Actions(), INT32_MAX);
}

TEST_F(CampaignCommandsTest, BattleCommandTakesTheAreasStrengthAndNamesWhereDefeatLeads) {
    Commands.InfoLayer().SetVisible(true);
    ASSERT_EQ(Dat.AreaStrength(4), 4);
    Run("戦闘開始/4");
    ASSERT_EQ(Battles.size(), 1u);
    EXPECT_EQ(Battles[0].Area, 4);
    EXPECT_EQ(Battles[0].Strength, 4);
    EXPECT_EQ(Dat.AreaStrength(4), 3);
    EXPECT_EQ(Dat.AreaBattles(4), 1);
    EXPECT_EQ(Commands.DefeatScript, "敗北.txt");
    EXPECT_EQ(Commands.DefeatLabel, "*スタート");
    EXPECT_FALSE(Commands.InfoLayer().Visible());

    Run("戦闘開始/0");
    Run("戦闘開始");
    ASSERT_EQ(Battles.size(), 3u);
    EXPECT_EQ(Battles[1].Area, 0);
    EXPECT_EQ(Battles[1].Strength, 1);
    EXPECT_EQ(Battles[2].Area, -1);
    EXPECT_EQ(Battles[2].Strength, 1);
    for (int area = 1; area <= TQTDGameDat::kAreas; ++area) {
        EXPECT_EQ(Dat.AreaBattles(area), area == 4 ? 1 : 0);
    }

    // A conquered area stays at 0.
    Dat.SetAreaStrength(6, 0);
    Run("戦闘開始/6/負け.txt");
    EXPECT_EQ(Battles.back().Strength, 0);
    EXPECT_EQ(Dat.AreaStrength(6), 0);
    EXPECT_EQ(Commands.DefeatScript, "負け.txt");
    EXPECT_EQ(Commands.DefeatLabel, "");
}

TEST_F(CampaignCommandsTest, StatusBarShowsTheCampaignAndAllowsSavingWhileShown) {
    Dat.SetItem(31, true);
    Run("上部情報");
    EXPECT_TRUE(Commands.TopBar().Visible());
    ASSERT_EQ(SaveEnabled, std::vector<bool>{true});
    const TBitmap32& bar = *Commands.TopBar().Bitmap();
    EXPECT_EQ(bar.Width(), 800);
    EXPECT_EQ(bar.Height(), 38);
    // Turn "  0" is right-aligned at x 14: its digit lies past the two blanks; the
    // funds 500 at 412 likewise; the actions "2" at 755.
    EXPECT_GT(CountDrawn(bar, {14, 14, 60, 38}), 0);
    EXPECT_GT(CountDrawn(bar, {412, 14, 480, 38}), 0);
    EXPECT_GT(CountDrawn(bar, {755, 10, 800, 38}), 0);
    EXPECT_EQ(CountDrawn(bar, {0, 0, 800, 10}), 0);
    EXPECT_EQ(WarFunds(Dat), 500);

    Run("上部情報/消");
    EXPECT_FALSE(Commands.TopBar().Visible());
    EXPECT_EQ(SaveEnabled, (std::vector<bool>{true, false}));
    Run("上部情報/消去");
    EXPECT_EQ(SaveEnabled, (std::vector<bool>{true, false, false}));
}

TEST_F(CampaignCommandsTest, ItemListAndTheDescriptionOfTheItemUnderThePointer) {
    Dat.SetItem(6, true);  // column 1, row 1
    Run("アイテム情報");
    EXPECT_TRUE(Commands.InfoShown);
    EXPECT_TRUE(Commands.InfoLayer().Visible());
    const TBitmap32& info = *Commands.InfoLayer().Bitmap();
    EXPECT_GT(CountDrawn(info, {204, 131, 400, 156}), 0);
    EXPECT_EQ(CountDrawn(info, {0, 0, 800, 131}), 0);  // no other item drawn

    const TRect band{0, 510, 640, 600};
    Commands.UpdateItemHover(250, 102 + 25);
    EXPECT_EQ(Commands.CurrentItem, 6);
    EXPECT_GT(CountDrawn(info, band), 0);
    // The description has two lines: the second starts 18 pixels lower.
    EXPECT_GT(CountDrawn(info, {8, 532, 640, 550}), 0);

    Commands.UpdateItemHover(50, 102 + 25);  // item 5 is not owned
    EXPECT_EQ(Commands.CurrentItem, -1);
    EXPECT_EQ(CountDrawn(info, band), 0);

    Commands.UpdateItemHover(250, 130);
    EXPECT_EQ(Commands.CurrentItem, 6);
    Commands.UpdateItemHover(250, 503);
    EXPECT_EQ(Commands.CurrentItem, -1);

    // Hidden, the list no longer follows the pointer.
    Run("アイテム情報/消");
    EXPECT_FALSE(Commands.InfoShown);
    Commands.UpdateItemHover(250, 130);
    EXPECT_EQ(Commands.CurrentItem, -1);
}

TEST_F(CampaignCommandsTest, AreaButtonsCarryOneFilledBoxPerBattleStillNeeded) {
    Pictures.Make(AreaButtonName(2), 160, 40);
    Pictures.Make("btn未知の地.png", 160, 40);
    Stage.AddImage(Pictures, AreaButtonName(2), 100, 200, 50, kAnchorTopLeft);
    Stage.AddImage(Pictures, "btn未知の地.png", 100, 300, 50, kAnchorTopLeft);
    Dat.SetAreaStrength(2, 3);

    Run("戦場情報");
    EXPECT_TRUE(Commands.InfoLayer().Visible());
    const TBitmap32& info = *Commands.InfoLayer().Bitmap();
    const TColor32 green = 0xBB00FF00;
    // Boxes from (150, 222), 9 x 12 each, 11 apart: three filled, four outlined.
    EXPECT_EQ(CountColour(info, {150, 222, 159, 234}, green), 9 * 12);
    EXPECT_EQ(CountColour(info, {172, 222, 181, 234}, green), 9 * 12);
    EXPECT_EQ(CountColour(info, {183, 222, 192, 234}, green), 2 * 9 + 2 * 10);
    EXPECT_EQ(*info.PixelPtr(187, 228), 0u);
    EXPECT_EQ(CountDrawn(info, {0, 234, 800, 600}), 0);  // the unknown button gets none

    Run("戦場情報/消");
    EXPECT_FALSE(Commands.InfoLayer().Visible());
}

}  // namespace
}  // namespace vandor
