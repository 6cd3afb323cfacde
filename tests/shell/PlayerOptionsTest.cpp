// The player options on their own: a menu model, the headless host for full screen,
// and plain switches that stand for the story engine's.

#include "shell/PlayerOptions.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "compositor/Input.h"
#include "platform/headless/HeadlessWindowHost.h"
#include "scenario/NovelGame.h"

namespace vandor {
namespace {

class PlayerOptionsTest : public ::testing::Test {
protected:
    PlayerOptionsTest() {
        Menu.Add("", "mmFile", "ファイル(&F)");
        Menu.Add("", "mmChar", "文字(&C)");
        const auto run = [this](const std::function<void()>& action) {
            ++Runs;
            action();
        };
        Options.BuildConfirmItem(run);
        Options.Build(run);
        TAssistState state;
        state.BattleRunning = [this] { return BattleRunning; };
        state.SkipHeld = [this] { return SkipHeld; };
        state.ChoiceShown = [this] { return ChoiceShown; };
        state.Skipping = [this] { return Skipping; };
        state.ShowTowerLevels = [this](bool on) {
            TowerLevels = on;
            ++TowerLevelCalls;
        };
        Options.Attach({SkipReadOnly, Skip, AutoMode, Timing, ReplayVoices, ChoiceToBackLog}, std::move(state));
        Host.SetMenu(&Menu);
    }

    bool Checked(const std::string& item) { return Menu.At(item).Checked(); }

    TMenuModel Menu;
    THeadlessWindowHost Host;
    TPlayerOptions Options{Menu, Host};
    int Runs = 0;
    bool SkipReadOnly = false;
    bool Skip = false;
    bool AutoMode = false;
    TAutoTiming Timing;
    bool ReplayVoices = false;
    bool ChoiceToBackLog = false;
    bool BattleRunning = false;
    bool SkipHeld = false;
    bool ChoiceShown = false;
    bool Skipping = true;
    bool TowerLevels = false;
    int TowerLevelCalls = 0;
};

TEST_F(PlayerOptionsTest, SettingsSetTheSwitchesAndTheCheckMarksAndReadBack) {
    EXPECT_TRUE(Checked("mmAutoNormal"));
    EXPECT_EQ(Options.Settings(), TComfortSettings{});

    const TComfortSettings comfort{true, 2, true, false};
    Options.Apply(comfort);
    EXPECT_TRUE(SkipReadOnly);
    EXPECT_TRUE(ReplayVoices);
    EXPECT_EQ(Timing.Base, 1300);
    EXPECT_EQ(Timing.PerCharacter, 80);
    EXPECT_TRUE(Checked("mmSkipRead"));
    EXPECT_TRUE(Checked("mmBackLogVoice"));
    EXPECT_TRUE(Checked("mmAutoSlow"));
    EXPECT_FALSE(Checked("mmAutoNormal"));
    EXPECT_EQ(Options.Settings(), comfort);

    // The items switch the same things back, each click through the guard.
    ASSERT_TRUE(Host.ClickMenu("mmSkipRead"));
    ASSERT_TRUE(Host.ClickMenu("mmBackLogVoice"));
    ASSERT_TRUE(Host.ClickMenu("mmAutoFast"));
    EXPECT_EQ(Runs, 3);
    EXPECT_FALSE(SkipReadOnly);
    EXPECT_FALSE(ReplayVoices);
    EXPECT_EQ(Timing.Base, 400);
    EXPECT_EQ(Timing.PerCharacter, 25);
    EXPECT_EQ(Options.Settings(), (TComfortSettings{false, 0, false, false}));
}

TEST_F(PlayerOptionsTest, TowerLevelsFollowTheItemAndTheSettings) {
    EXPECT_FALSE(Checked("mmTowerLevels"));
    ASSERT_TRUE(Host.ClickMenu("mmTowerLevels"));
    EXPECT_TRUE(TowerLevels);
    EXPECT_TRUE(Checked("mmTowerLevels"));
    EXPECT_TRUE(Options.Settings().TowerLevels);
    ASSERT_TRUE(Host.ClickMenu("mmTowerLevels"));
    EXPECT_FALSE(TowerLevels);
    EXPECT_FALSE(Options.Settings().TowerLevels);
    EXPECT_EQ(Runs, 2);

    TComfortSettings comfort;
    comfort.TowerLevels = true;
    Options.Apply(comfort);
    EXPECT_TRUE(TowerLevels);
    EXPECT_TRUE(Checked("mmTowerLevels"));
    EXPECT_EQ(Options.Settings(), comfort);
    EXPECT_EQ(TowerLevelCalls, 3);
}

TEST_F(PlayerOptionsTest, AutoModeAndSkipToTheChoiceEndWithInputOrAtTheChoice) {
    ASSERT_TRUE(Host.ClickMenu("mmAuto"));
    EXPECT_TRUE(AutoMode);
    EXPECT_TRUE(Checked("mmAuto"));
    EXPECT_TRUE(Options.EndByInput());
    EXPECT_FALSE(AutoMode);
    EXPECT_FALSE(Checked("mmAuto"));
    EXPECT_FALSE(Options.EndByInput()) << "nothing was running";

    ASSERT_TRUE(Host.ClickMenu("mmSkipChoice"));
    EXPECT_TRUE(Skip);
    EXPECT_TRUE(Options.SkippingToChoice());
    Options.StepSkipToChoice();
    EXPECT_TRUE(Options.SkippingToChoice()) << "no choice yet";
    SkipHeld = true;
    ChoiceShown = true;
    Options.StepSkipToChoice();
    EXPECT_FALSE(Options.SkippingToChoice());
    EXPECT_TRUE(Skip) << "skip goes back to what the held key asks";

    SkipHeld = false;
    ChoiceShown = false;
    ASSERT_TRUE(Host.ClickMenu("mmSkipChoice"));
    Skipping = false;  // held back at an unread page
    Options.StepSkipToChoice();
    EXPECT_FALSE(Options.SkippingToChoice());
    EXPECT_FALSE(Skip);

    Skipping = true;
    ASSERT_TRUE(Host.ClickMenu("mmSkipChoice"));
    EXPECT_TRUE(Options.EndByInput());
    EXPECT_FALSE(Options.SkippingToChoice());
    EXPECT_FALSE(Skip);

    BattleRunning = true;
    ASSERT_TRUE(Host.ClickMenu("mmSkipChoice"));
    EXPECT_FALSE(Options.SkippingToChoice()) << "not during a battle";
    EXPECT_FALSE(Skip);
}

TEST_F(PlayerOptionsTest, AutoEndsWhenChoicesAppearAndAClickOnThemActs) {
    ASSERT_TRUE(Host.ClickMenu("mmAuto"));
    Options.StepAuto();
    EXPECT_TRUE(AutoMode) << "no choice yet";
    ChoiceShown = true;
    Options.StepAuto();
    EXPECT_FALSE(AutoMode);
    EXPECT_FALSE(Checked("mmAuto"));

    // Turned on while they stand, it waits for the click on one of them.
    ASSERT_TRUE(Host.ClickMenu("mmAuto"));
    Options.StepAuto();
    EXPECT_TRUE(AutoMode);
    EXPECT_FALSE(Options.EndByClick()) << "the press goes on to the choice";
    EXPECT_FALSE(AutoMode) << "and ends auto as any input does";

    // Without choices the press that ends auto is spent on that alone.
    ChoiceShown = false;
    Options.StepAuto();
    ASSERT_TRUE(Host.ClickMenu("mmAuto"));
    EXPECT_TRUE(Options.EndByClick());
    EXPECT_FALSE(AutoMode);
    EXPECT_FALSE(Options.EndByClick()) << "nothing was running: the press acts";

    // Choices appearing again end it again.
    ASSERT_TRUE(Host.ClickMenu("mmAuto"));
    ChoiceShown = true;
    Options.StepAuto();
    EXPECT_FALSE(AutoMode);
}

TEST_F(PlayerOptionsTest, ConfirmationsAndChoicesInTheBackLogAreOptionsKeptInTheSettings) {
    EXPECT_FALSE(Options.Confirming());
    EXPECT_FALSE(Checked("mmConfirm"));
    EXPECT_FALSE(Checked("mmChoiceToBackLog"));
    EXPECT_EQ(Menu.At("mmConfirm").Parent()->Name(), "mmFile");

    TComfortSettings comfort;
    comfort.Confirm = true;
    comfort.ChoiceToBackLog = true;
    Options.Apply(comfort);
    EXPECT_TRUE(Options.Confirming());
    EXPECT_TRUE(ChoiceToBackLog);
    EXPECT_TRUE(Checked("mmConfirm"));
    EXPECT_TRUE(Checked("mmChoiceToBackLog"));
    EXPECT_EQ(Options.Settings(), comfort);

    ASSERT_TRUE(Host.ClickMenu("mmConfirm"));
    ASSERT_TRUE(Host.ClickMenu("mmChoiceToBackLog"));
    EXPECT_EQ(Runs, 2);
    EXPECT_FALSE(Options.Confirming());
    EXPECT_FALSE(ChoiceToBackLog);
    EXPECT_FALSE(Checked("mmConfirm"));
    EXPECT_EQ(Options.Settings(), TComfortSettings{});
}

TEST_F(PlayerOptionsTest, FullScreenSwitchesByMenuAndF11AndRemembersTheWindowedPlace) {
    Host.SetPosition({120, 80});
    ASSERT_TRUE(Host.ClickMenu("mmFullScreen"));
    EXPECT_TRUE(Host.FullScreen());
    EXPECT_TRUE(Checked("mmFullScreen"));
    EXPECT_EQ(Options.WindowedPosition().X, 120);
    EXPECT_EQ(Options.WindowedPosition().Y, 80);
    EXPECT_TRUE(Options.Settings().FullScreen);

    Options.KeyUp(vkF1);
    EXPECT_TRUE(Host.FullScreen());
    Options.KeyUp(vkF11);
    EXPECT_FALSE(Host.FullScreen());
    EXPECT_FALSE(Checked("mmFullScreen"));

    // Going full screen again while already there keeps the place from before.
    Host.SetPosition({30, 40});
    Options.Apply(TComfortSettings{false, 1, false, true});
    Host.SetPosition({0, 0});
    Options.Apply(TComfortSettings{false, 1, false, true});
    EXPECT_EQ(Options.WindowedPosition().X, 30);
    EXPECT_EQ(Options.WindowedPosition().Y, 40);
}

TEST(PlayerOptionsAloneTest, ClicksBeforeTheEngineIsAttachedThrowAndChangeNothing) {
    TMenuModel menu;
    menu.Add("", "mmChar", "文字(&C)");
    THeadlessWindowHost host;
    TPlayerOptions options(menu, host);
    options.Build([](const std::function<void()>& action) { action(); });
    EXPECT_THROW(menu.Click("mmSkipRead"), std::logic_error);
    EXPECT_FALSE(menu.At("mmSkipRead").Checked());
    EXPECT_THROW(options.Settings(), std::logic_error);
}

}  // namespace
}  // namespace vandor
