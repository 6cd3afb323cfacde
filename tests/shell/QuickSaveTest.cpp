// F5 and F9: the quick save where a slot could be saved, loading it back with a
// question when progress would be lost, and the notice that fades over the picture.

#include <gtest/gtest.h>

#include <filesystem>

#include "MainWindowFixture.h"
#include "campaign/GameDat.h"
#include "compositor/GameMode.h"
#include "compositor/Input.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::MainWindowTest;

constexpr int kF5 = vkF1 + 4;
constexpr int kF9 = vkF1 + 8;

class QuickSaveTest : public MainWindowTest {
protected:
    std::string QuickSavePath() const { return UserDir("ヴァンドルの星砦タクティクス") + "quicksave.dat"; }
    void Press(int key) {
        host.PressKey(key);
        host.ReleaseKey(key);
    }
    bool PresentedEqualsStage(TggTDMain& main) {
        const TBitmap32& stage = main.Engine().BackSurface();
        const TBitmap32& shown = host.ClientPicture();
        for (int y = 0; y < stage.Height(); ++y) {
            for (int x = 0; x < stage.Width(); ++x) {
                if ((*stage.PixelPtr(x, y) & 0xFFFFFF) != (*shown.PixelPtr(x, y) & 0xFFFFFF)) return false;
            }
        }
        return true;
    }
};

TEST_F(QuickSaveTest, SavesWhereASlotCouldAndLoadsBackAskingWhenProgressWouldBeLost) {
    WriteScript("first.txt", "[文章枠/なし]\n[クリック待]\n[上部情報]\n[行動/進行]\n*待機\n[クリック待]\n");
    WriteScript("行動.txt", "*行動フェイズ\n[クリック待]\n");
    TggTDMain& main = Start();
    Frames(3);
    Press(kF9);
    EXPECT_EQ(main.Notice().Text(), "クイックセーブがありません");
    Press(kF5);
    EXPECT_FALSE(fs::exists(QuickSavePath())) << "no quick save before the save menu opens";

    host.MoveMouse(400, 300);
    host.PressButton(TMouseButton::mbLeft);
    host.ReleaseButton(TMouseButton::mbLeft);
    Frames(3);
    ASSERT_TRUE(main.Menu().At("mmSave").Enabled());
    ASSERT_EQ(main.Campaign().Turn(), 1);
    Press(kF5);
    ASSERT_TRUE(fs::exists(QuickSavePath()));
    EXPECT_EQ(main.Notice().Text(), "クイックセーブしました");
    EXPECT_TRUE(host.MessageBoxes().empty()) << "the quick save is overwritten without asking";
    Frames(2);
    EXPECT_FALSE(PresentedEqualsStage(main)) << "the notice shows over the picture";
    Frames(TScreenNotice::kShownMs / 20 + TScreenNotice::kFadeMs / 20 + 2);
    EXPECT_FALSE(main.Notice().Visible());
    EXPECT_TRUE(PresentedEqualsStage(main)) << "gone, it leaves the picture as the stage drew it";

    // Nothing happened since: it loads without a question.
    Press(kF9);
    EXPECT_TRUE(host.MessageBoxes().empty());
    EXPECT_EQ(main.Engine().ScriptName, "行動.txt");
    EXPECT_EQ(main.Notice().Text(), "クイックロードしました");

    // The campaign moved on: No keeps it, Yes goes back.
    main.Campaign().SetTurn(6);
    host.QueueAnswer(TMessageResult::No);
    Press(kF9);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].Text, "クイックセーブした時点に戻りますか？\n今の進行は失われます。");
    EXPECT_EQ(host.MessageBoxes()[0].Caption, "確認");
    EXPECT_EQ(host.MessageBoxes()[0].Buttons, TMessageButtons::YesNo);
    EXPECT_EQ(main.Campaign().Turn(), 6);
    host.QueueAnswer(TMessageResult::Yes);
    Press(kF9);
    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(main.Campaign().Turn(), 1);

    // A battle in progress would be lost as well, though the campaign is the same.
    main.BattleSession().Start(1, 1, {"敗北.txt", "*スタート"});
    ASSERT_TRUE(main.BattleSession().Running());
    host.QueueAnswer(TMessageResult::Yes);
    Press(kF9);
    EXPECT_EQ(host.MessageBoxes().size(), 3u);
    EXPECT_FALSE(main.BattleSession().Running());

    // A damaged quick save is refused and told, and the game goes on as it was.
    test::WriteTextFile(QuickSavePath(), "damaged");
    main.Campaign().SetTurn(4);
    Press(kF9);
    ASSERT_EQ(host.MessageBoxes().size(), 4u);
    EXPECT_EQ(host.MessageBoxes()[3].Caption, "ロード");
    EXPECT_EQ(main.Campaign().Turn(), 4);
}

TEST_F(QuickSaveTest, TheMenuItemsDoWhatF5AndF9Do) {
    WriteScript("first.txt", "[文章枠/なし]\n[上部情報]\n[行動/進行]\n*待機\n[クリック待]\n");
    WriteScript("行動.txt", "*行動フェイズ\n[クリック待]\n");
    TggTDMain& main = Start();
    Frames(3);
    ASSERT_TRUE(main.Menu().At("mmSave").Enabled());
    ASSERT_TRUE(host.ClickMenu("mmQuickSave"));
    ASSERT_TRUE(fs::exists(QuickSavePath()));
    EXPECT_EQ(main.Notice().Text(), "クイックセーブしました");

    main.Campaign().SetTurn(6);
    host.QueueAnswer(TMessageResult::Yes);
    ASSERT_TRUE(host.ClickMenu("mmQuickLoad"));
    ASSERT_EQ(host.MessageBoxes().size(), 1u) << "progress would be lost: asked first";
    EXPECT_EQ(main.Campaign().Turn(), 1);
    EXPECT_EQ(main.Notice().Text(), "クイックロードしました");
}

}  // namespace
}  // namespace vandor
