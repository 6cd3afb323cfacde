// The main window's comfort items: their menu items and Config.ini keys, the read
// pages kept across runs (a damaged file kept aside), skip to the next choice, auto
// mode ended by the player's input, and full screen by menu and F11.

#include <gtest/gtest.h>

#include <filesystem>

#include "MainWindowFixture.h"
#include "PageText.h"
#include "battle/QTDGame.h"
#include "scenario/NovelGame.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::MainWindowTest;

class MainComfortTest : public MainWindowTest {
protected:
    std::string SaveFolder() const { return UserDir("ヴァンドルの星砦タクティクス"); }
    std::string ReadPagesPath() const { return SaveFolder() + kReadPagesFileName; }
    void ClickClient() {
        host.MoveMouse(400, 300);
        host.PressButton(TMouseButton::mbLeft);
        host.ReleaseButton(TMouseButton::mbLeft);
    }
    std::string PageText() { return test::PageText(window->Engine().Store()); }
};

constexpr const char* kPages = "一頁目\n\n二頁目\n\n三頁目\n";

TEST_F(MainComfortTest, EveryItemStartsOffAndTheGameSkipsAsBefore) {
    WriteScript("first.txt", kPages);
    TggTDMain& main = Start();
    for (const char* item : {"mmSkipRead", "mmAuto", "mmBackLogVoice", "mmFullScreen", "mmTowerLevels"}) {
        EXPECT_FALSE(main.Menu().At(item).Checked()) << item;
    }
    EXPECT_FALSE(main.Battle().LevelMarksShown());
    EXPECT_TRUE(main.Menu().At("mmAutoNormal").Checked());
    Frames(2);
    host.PressKey(vkControl);
    Frames(20);
    EXPECT_EQ(PageText(), "三頁目") << "Ctrl skips unread pages while read-only skip is off";
    host.ReleaseKey(vkControl);
}

TEST_F(MainComfortTest, ItemsAreRememberedInTheirOwnSection) {
    WriteScript("first.txt", kPages);
    Start();
    host.ClickMenu("mmSkipRead");
    host.ClickMenu("mmAutoSlow");
    host.ClickMenu("mmBackLogVoice");
    Stop();
    const TIniFile ini(ThisConfig());
    EXPECT_TRUE(ini.ReadBool("Comfort", "SkipReadOnly", false));
    EXPECT_EQ(ini.ReadInteger("Comfort", "AutoSpeed", -1), 2);
    EXPECT_TRUE(ini.ReadBool("Comfort", "BackLogVoice", false));
    EXPECT_FALSE(ini.ReadBool("Comfort", "FullScreen", true));
    EXPECT_FALSE(ini.ValueExists("Comfort", "TowerLevels")) << "never touched, never written";

    TggTDMain& again = Start();
    EXPECT_TRUE(again.Menu().At("mmSkipRead").Checked());
    EXPECT_TRUE(again.Engine().SkipReadOnly);
    EXPECT_TRUE(again.Menu().At("mmAutoSlow").Checked());
    EXPECT_GT(again.Engine().AutoTiming.PerCharacter, TAutoTiming{}.PerCharacter) << "slow waits longer per character";
    EXPECT_TRUE(again.Engine().ReplayVoices);
    EXPECT_FALSE(again.Engine().AutoMode) << "auto mode itself starts off every time";
}

TEST_F(MainComfortTest, ReadPagesSurviveARestartAndHoldSkipBack) {
    WriteScript("first.txt", kPages);
    Start();
    host.ClickMenu("mmSkipRead");
    Frames(10);
    ClickClient();
    Frames(10);
    ASSERT_EQ(PageText(), "二頁目");
    Stop();
    ASSERT_TRUE(fs::exists(ReadPagesPath()));

    TggTDMain& again = Start();
    EXPECT_TRUE(again.ReadPages().Contains("first.txt", 1));
    EXPECT_EQ(again.ReadPages().Count(), 1);
    Frames(2);
    host.PressKey(vkControl);
    Frames(20);
    EXPECT_EQ(PageText(), "二頁目") << "skip passed the read page and stopped at the unread one";
    host.ReleaseKey(vkControl);
}

TEST_F(MainComfortTest, ADamagedReadPagesFileIsLoggedAndKeptAside) {
    WriteScript("first.txt", kPages);
    test::WriteTextFile(ReadPagesPath(), "not a list of pages");
    TggTDMain& main = Start();
    EXPECT_TRUE(main.ReadPages().Empty());
    EXPECT_FALSE(fs::exists(ReadPagesPath()));
    EXPECT_EQ(test::ReadTextFile(SaveFolder() + "readpages.damaged.dat"), "not a list of pages");
    Frames(10);
    ClickClient();
    Frames(3);
    Stop();
    bool logged = false;
    for (const std::string& line : DebugLogLines()) logged = logged || line.find("readpages.dat") != std::string::npos;
    EXPECT_TRUE(logged);
    TReadPages written;
    ReadReadPagesFile(ReadPagesPath(), written);
    EXPECT_TRUE(written.Contains("first.txt", 1)) << "the new file holds what was read since";
}

TEST_F(MainComfortTest, SkipToTheNextChoiceStopsAtTheChoice) {
    WriteScript("first.txt", "一\n\n二\n\n三\n\n[選択/*A]行く\n[選択/*B]戻る\n\n*A\n着いた\n\n*B\n戻った\n\n");
    TggTDMain& main = Start();
    Frames(2);
    host.ClickMenu("mmSkipChoice");
    EXPECT_TRUE(main.SkippingToChoice());
    Frames(30);
    EXPECT_EQ(main.Engine().Choices().size(), 2u);
    EXPECT_FALSE(main.SkippingToChoice());
    EXPECT_FALSE(main.Engine().Skip) << "skip ends with it";
}

TEST_F(MainComfortTest, SkipToTheNextChoiceHonoursReadOnlySkip) {
    WriteScript("first.txt", "一\n\n二\n\n[選択/*A]行く\n\n*A\n着いた\n");
    TggTDMain& main = Start();
    host.ClickMenu("mmSkipRead");
    Frames(2);
    host.ClickMenu("mmSkipChoice");
    Frames(10);
    EXPECT_FALSE(main.SkippingToChoice());
    EXPECT_EQ(PageText(), "一") << "the first page was never read";
}

TEST_F(MainComfortTest, AnyClickEndsAutoModeWithoutAdvancing) {
    WriteScript("first.txt", std::string("長い頁の文章がここにある。\n\n次\n\n"));
    TggTDMain& main = Start();
    Frames(2);
    host.ClickMenu("mmAuto");
    EXPECT_TRUE(main.Engine().AutoMode);
    EXPECT_TRUE(main.Menu().At("mmAuto").Checked());
    Frames(5);
    ClickClient();
    EXPECT_FALSE(main.Engine().AutoMode);
    EXPECT_FALSE(main.Menu().At("mmAuto").Checked());
    Frames(300);
    EXPECT_EQ(PageText(), "長い頁の文章がここにある。") << "the click only ended auto mode";

    host.ClickMenu("mmAuto");
    host.PressKey('A');
    host.ReleaseKey('A');
    EXPECT_FALSE(main.Engine().AutoMode) << "a key ends it too";
}

TEST_F(MainComfortTest, FullScreenLetterboxesAndGivesTheWindowBack) {
    WriteScript("first.txt", kPages);
    TggTDMain& main = Start();
    host.SetPosition({300, 200});
    host.SetClientSize({1000, 750});
    host.ClickMenu("mmFullScreen");
    EXPECT_TRUE(host.FullScreen());
    EXPECT_TRUE(main.Menu().At("mmFullScreen").Checked());
    EXPECT_EQ(host.ClientSize(), THeadlessWindowHost::kDefaultScreenSize);
    // 1920 x 1080 holds 1440 x 1080 at 4:3, with bands of 240 at the sides.
    EXPECT_EQ(main.Layout().PictureRect, (TRect{240, 0, 1680, 1080}));
    Frames(2);
    EXPECT_EQ(host.ClientPicture().PixelPtr(100, 500)[0] & 0xFFFFFF, 0u) << "black band";

    host.PressKey(vkF1 + 10);
    host.ReleaseKey(vkF1 + 10);
    EXPECT_FALSE(host.FullScreen());
    EXPECT_FALSE(main.Menu().At("mmFullScreen").Checked());
    EXPECT_EQ(host.ClientSize(), (TSize{1000, 750}));
    EXPECT_EQ(host.Position(), (TPoint{300, 200}));
}

TEST_F(MainComfortTest, FullScreenIsRememberedWithTheWindowedPosition) {
    WriteScript("first.txt", kPages);
    Start();
    host.SetPosition({300, 200});
    host.PressKey(vkF1 + 10);
    host.ReleaseKey(vkF1 + 10);
    ASSERT_TRUE(host.FullScreen());
    Stop();
    const TIniFile ini(ThisConfig());
    EXPECT_TRUE(ini.ReadBool("Comfort", "FullScreen", false));
    EXPECT_EQ(ini.ReadInteger("Window", "X", 0), 300) << "the window's place, not the screen's corner";

    THeadlessWindowHost fresh;
    TggTDMain again(TMainWindowPlatform{fresh, clock, device, exe, documents, "vandor", 7, "", false, ""});
    EXPECT_TRUE(fresh.FullScreen());
    EXPECT_TRUE(again.Menu().At("mmFullScreen").Checked());
}

TEST_F(MainComfortTest, TowerLevelsShowOnTheBattleAndAreRemembered) {
    WriteScript("first.txt", kPages);
    TggTDMain& main = Start();
    host.ClickMenu("mmTowerLevels");
    EXPECT_TRUE(main.Battle().LevelMarksShown());
    Stop();
    EXPECT_TRUE(TIniFile(ThisConfig()).ReadBool("Comfort", "TowerLevels", false));

    THeadlessWindowHost fresh;
    TggTDMain again(TMainWindowPlatform{fresh, clock, device, exe, documents, "vandor", 7, "", false, ""});
    EXPECT_TRUE(again.Menu().At("mmTowerLevels").Checked());
    EXPECT_TRUE(again.Battle().LevelMarksShown());
    fresh.ClickMenu("mmTowerLevels");
    EXPECT_FALSE(again.Battle().LevelMarksShown());
}

// The stored place is the window's normal one: a maximised window is put back there.
TEST_F(MainComfortTest, AMaximisedWindowRemembersWhereItStoodBefore) {
    WriteScript("first.txt", kPages);
    Start();
    host.SetPosition({300, 200});
    host.SetMaximized(true);
    EXPECT_EQ(host.Position(), (TPoint{0, 0}));
    Stop();
    const TIniFile ini(ThisConfig());
    EXPECT_EQ(ini.ReadInteger("Window", "X", 0), 300);
    EXPECT_EQ(ini.ReadInteger("Window", "Y", 0), 200);
}

// A stored place counts as on screen by the whole window, frame and menu bar included:
// with the client area alone, x = -740 would leave 60 pixels, too few; the frame adds
// 16 and the menu bar and title 59, so the window keeps 76 and 99 pixels on screen.
TEST_F(MainComfortTest, TheStoredPlaceIsCheckedAgainstTheWholeWindow) {
    WriteScript("first.txt", kPages);
    test::WriteTextFile(ThisConfig(), "[Window]\nX=-740\nY=-560\n");
    host.SetFrameSize({16, 59});
    host.SetPosition({192, 114});
    Start();
    EXPECT_EQ(host.Position(), (TPoint{-740, -560}));
}

}  // namespace
}  // namespace vandor
