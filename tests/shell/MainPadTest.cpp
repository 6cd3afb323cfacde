// The main window played without a mouse: the controller and the keys focus the choices
// and click them as the mouse does, the game menu stands over a paused picture and runs
// the menu bar's own items, and a handheld starts in full screen.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "battle/QTDGame.h"
#include "campaign/GameDat.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "shell/MenuModel.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

using test::MainWindowTest;

constexpr const char* kChoices = "どうする？\n[選択/*A]行く\n[選択/*B]行かない\n\n*A\nAの話\n\n*B\nBの話\n";

class MainPadTest : public MainWindowTest {
protected:
    void Pad(const char* button) {
        host.PressPadButton(button, true);
        host.PressPadButton(button, false);
    }
    void Key(int key) {
        host.PressKey(key);
        host.ReleaseKey(key);
    }
    // Whether the pointer is on the choice where the mouse would reach it, near its middle.
    bool PointerOn(std::size_t index) {
        const TLayerItem* choice = window->Engine().Choices().at(index);
        const TRect bounds = choice->DstRect();
        const int x = window->MouseX();
        const int y = window->MouseY();
        return window->Engine().Layers.ItemAt(x, y) == choice && std::abs(x - (bounds.Left + bounds.Right) / 2) < 20 &&
               std::abs(y - (bounds.Top + bounds.Bottom) / 2) < 13;
    }
    // Steps the game menu down until the item of that name is focused.
    void FocusMenuItem(const std::string& name) {
        for (int guard = 0; guard < 40; ++guard) {
            const TGameMenu& menu = window->GameMenu();
            if (menu.Focused() >= 0 && menu.Rows().at(static_cast<std::size_t>(menu.Focused()))->Name() == name) return;
            Key(vkDown);
        }
        FAIL() << name << " is never focused";
    }
};

TEST_F(MainPadTest, TheControllerFocusesChoicesAndPressesTheOneFocused) {
    WriteScript("first.txt", kChoices);
    TggTDMain& main = Start();
    Frames(10);
    ASSERT_EQ(main.Engine().Choices().size(), 2u);
    host.MoveMouse(10, 10);

    Pad("dpdown");
    EXPECT_TRUE(PointerOn(0)) << "the first press focuses the first choice";
    Pad("dpdown");
    EXPECT_TRUE(PointerOn(1));
    host.MovePadAxis("lefty", -32768);
    host.MovePadAxis("lefty", 0);
    EXPECT_TRUE(PointerOn(0)) << "the stick steps as the d-pad does";
    Pad("dpup");
    EXPECT_TRUE(PointerOn(1)) << "round to the last";
    EXPECT_FALSE(main.Engine().UpHeld) << "with choices, up is no backlog key";

    Pad("a");
    Frames(5);
    EXPECT_EQ(main.Engine().LastLabel, "*B");
    EXPECT_TRUE(main.Engine().Choices().empty());
    // Without choices, a presses where the pointer is: the page turns.
    Pad("a");
    Frames(5);
    EXPECT_EQ(main.Engine().ScriptName, "first.txt");
    EXPECT_FALSE(main.Engine().Waiting) << "the last page was clicked away";
}

TEST_F(MainPadTest, KeysAloneFocusAndEnterClicksTheFocusedChoice) {
    WriteScript("first.txt", kChoices);
    TggTDMain& main = Start();
    Frames(10);
    host.TypeCharacter(vkReturn);
    Frames(3);
    EXPECT_EQ(main.Engine().Choices().size(), 2u) << "Enter with nothing focused changes nothing here";
    Key(vkTab);
    Key(vkTab);
    host.PressKey(vkShift);
    Key(vkTab);
    host.ReleaseKey(vkShift);
    EXPECT_TRUE(PointerOn(0)) << "Shift+Tab goes back";
    host.TypeCharacter(vkReturn);
    Frames(5);
    EXPECT_EQ(main.Engine().LastLabel, "*A");
}

TEST_F(MainPadTest, TheGameMenuPausesThePictureAndRunsTheMenuBarsItems) {
    WriteScript("first.txt", "[待/200]\n一頁目\n\n二頁目\n");
    TggTDMain& main = Start();
    Frames(2);
    Key(vkEscape);
    ASSERT_TRUE(main.GameMenu().IsOpen());
    const int line = main.Engine().Line;
    const TBitmap32 menuPicture = host.ClientPicture();
    Frames(30);
    EXPECT_EQ(main.Engine().Line, line) << "the story stands still behind the menu";
    host.MoveMouse(5, 5);
    host.PressButton(TMouseButton::mbLeft);
    EXPECT_TRUE(main.GameMenu().IsOpen()) << "the press does not reach the story";

    FocusMenuItem("mmChar");
    Key(vkRight);
    FocusMenuItem("mmCSpeed");
    host.TypeCharacter(vkReturn);
    FocusMenuItem("mmCSMax");
    host.TypeCharacter(vkReturn);
    EXPECT_FALSE(main.GameMenu().IsOpen());
    EXPECT_EQ(main.Engine().TextSpeed, 0) << "the menu bar's own handler ran";
    EXPECT_TRUE(main.Menu().At("mmCSMax").Checked());
    Frames(15);
    EXPECT_GT(main.Engine().Line, line) << "the story goes on once the menu is closed";

    Pad("start");
    EXPECT_TRUE(main.GameMenu().IsOpen());
    Pad("b");
    EXPECT_FALSE(main.GameMenu().IsOpen()) << "b on the menu bar's level closes";
    Pad("guide");
    Pad("start");
    EXPECT_FALSE(main.GameMenu().IsOpen());
    EXPECT_FALSE(menuPicture.Empty());
}

TEST_F(MainPadTest, SavingAndLoadingThroughTheGameMenuWithTheControllerAlone) {
    WriteScript("first.txt", "[文章枠/なし]\n[上部情報]\n[行動/進行]\n*待機\n[クリック待]\n");
    WriteScript("行動.txt", "*行動フェイズ\n[クリック待]\n");
    TggTDMain& main = Start();
    host.SetFullScreen(true);
    Frames(6);
    ASSERT_EQ(main.Campaign().Turn(), 1);
    const auto choose = [&](const std::string& name) {
        for (int guard = 0; guard < 40 && main.GameMenu().IsOpen(); ++guard) {
            const TGameMenu& menu = main.GameMenu();
            if (menu.Rows().at(static_cast<std::size_t>(menu.Focused()))->Name() == name) {
                Pad("a");
                return;
            }
            Pad("dpdown");
        }
        FAIL() << name << " is never focused";
    };
    Pad("start");
    choose("mmSave");
    choose("mmSF0_3");
    EXPECT_FALSE(main.GameMenu().IsOpen());
    const std::string saved = test::ReadTextFile(UserDir("ヴァンドルの星砦タクティクス") + "save03.dat");
    ASSERT_FALSE(saved.empty()) << "the slot was saved by the menu bar's own item";
    EXPECT_EQ(main.Menu().At("mmSF1_3").Caption(), main.Menu().At("mmSF0_3").Caption());

    main.Campaign().SetTurn(5);
    Pad("guide");
    choose("mmLoad");
    choose("mmSF1_3");
    Frames(3);
    EXPECT_EQ(main.Campaign().Turn(), 1) << "the slot was loaded";
    EXPECT_EQ(main.Engine().ScriptName, "行動.txt");
    EXPECT_TRUE(host.FullScreen()) << "all of it in full screen, without the menu bar";
}

TEST_F(MainPadTest, InABattleTheStickMovesThePointerAndTheButtonsGoToTheBattle) {
    WriteScript("bt02-00.txt", "WC=1\n");
    WriteScript("first.txt", "[文章枠/なし]\n[戦闘開始/2]\n[クリック待]\n");
    TggTDMain& main = Start();
    std::vector<std::string> heard;
    main.BattlePadButton = [&](const std::string& button, bool down) {
        heard.push_back(button + (down ? " down" : " up"));
        return true;
    };
    Frames(3);
    ASSERT_TRUE(main.BattleSession().Running());
    host.MoveMouse(400, 300);
    host.MovePadAxis("leftx", 32767);
    host.MovePadAxis("lefty", -32768);
    Frames(5);
    EXPECT_EQ((TPoint{main.MouseX(), main.MouseY()}), (TPoint{460, 240})) << "12 pixels a frame at full tilt";
    host.MovePadAxis("leftx", 0);
    host.MovePadAxis("lefty", 0);
    Frames(2);
    EXPECT_EQ((TPoint{main.MouseX(), main.MouseY()}), (TPoint{460, 240}));
    Pad("a");
    Pad("dpleft");
    EXPECT_EQ(heard, (std::vector<std::string>{"a down", "a up", "dpleft down", "dpleft up"}))
        << "the stick is no d-pad in a battle";

    Pad("start");
    ASSERT_TRUE(main.GameMenu().IsOpen()) << "start opens the game menu in a battle too";
    host.MovePadAxis("leftx", 32767);
    Frames(3);
    EXPECT_EQ(main.MouseX(), 460) << "the pointer stays behind the menu";
    EXPECT_EQ(heard.size(), 4u);
}

TEST_F(MainPadTest, AnEndedBattleIsLeftWithAUnlessTheBattleTakesIt) {
    // The base's own shot beats the one enemy beside it.
    WriteScript("bt01-00.txt", "WC=1\nWEC_00=1\nE_00_00_PX=4\nE_00_00_PY=0\n");
    WriteScript("first.txt", "[文章枠/なし]\n[戦闘開始/1]\n[クリック待]\n");
    TggTDMain& main = Start();
    bool battleTakes = true;
    main.BattlePadButton = [&](const std::string&, bool) { return battleTakes; };
    Frames(3);
    main.Battle().StartWave();
    for (int frame = 0; frame < 200 && !main.BattleSession().Ended(); ++frame) Frames(1);
    ASSERT_TRUE(main.BattleSession().Ended());
    Pad("a");
    EXPECT_TRUE(main.BattleSession().Running()) << "the battle took a for itself";
    battleTakes = false;
    Pad("b");
    EXPECT_TRUE(main.BattleSession().Running()) << "only a clicks";
    Pad("a");
    EXPECT_FALSE(main.BattleSession().Running()) << "a clicked the ended battle away";
}

TEST_F(MainPadTest, AHandheldStartsInFullScreenUntilThePlayerChoosesOtherwise) {
    WriteScript("first.txt", "一頁目\n");
    const auto run = [&](bool steamDeck, TSize screen) {
        host.SetScreenSize(screen);
        {
            TggTDMain main(TMainWindowPlatform{host, clock, device, exe, documents, "vandor", 7, "", steamDeck, ""});
            host.Show();
        }
        return host.FullScreen();
    };
    EXPECT_FALSE(run(false, {1920, 1080})) << "a desktop starts in a window";
    std::filesystem::remove(ThisConfig());
    EXPECT_TRUE(run(true, {1920, 1080})) << "a Steam Deck, whatever its screen says";
    EXPECT_EQ(TIniFile(ThisConfig()).ReadString("Comfort", "FullScreen"), "1");
    host.SetFullScreen(false);
    {
        TggTDMain main(TMainWindowPlatform{host, clock, device, exe, documents, "vandor", 7, "", true, ""});
        host.Show();
        main.Menu().Click("mmFullScreen");
        EXPECT_FALSE(host.FullScreen());
    }
    EXPECT_FALSE(run(true, {1280, 800})) << "the player's choice of a window is kept";
    std::filesystem::remove(ThisConfig());
    EXPECT_TRUE(run(false, {1280, 800})) << "a screen no larger than the Deck's";
    std::filesystem::remove(ThisConfig());
    host.SetFullScreen(false);
    EXPECT_FALSE(run(false, {1366, 768})) << "wider than the Deck's";
}

}  // namespace
}  // namespace vandor
