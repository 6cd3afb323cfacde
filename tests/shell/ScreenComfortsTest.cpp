// The quick menu and the auto/skip mark over the presented picture: off until the
// player turns them on (the picture goes out as the stage drew it), remembered under
// [Comfort]; the quick menu's buttons act as the keys and menus do and never turn the
// page; both hide with the message window, and their words follow the language.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "MainWindowFixture.h"
#include "PageText.h"
#include "compositor/Input.h"
#include "i18n/Catalogue.h"
#include "i18n/GameText.h"
#include "scenario/NovelGame.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::MainWindowTest;

class ScreenComfortsTest : public MainWindowTest {
protected:
    // Saving is allowed once the status bar shows and a turn has begun; a quick load
    // goes on in the action phase, on the same pages.
    TggTDMain& StartOnPages() {
        const std::string pages = "一頁目\n\n二頁目\n\n三頁目\n\n四頁目\n\n[選択/*終]終わる\n\n*終\n";
        WriteScript("first.txt", "[上部情報]\n[行動/進行]\n" + pages);
        WriteScript("行動.txt", "*行動フェイズ\n" + pages);
        TggTDMain& main = Start();
        Frames(10);
        return main;
    }
    void ClickAt(TPoint point) {
        host.MoveMouse(point.X, point.Y);
        Frames(1);
        host.PressButton(TMouseButton::mbLeft);
        host.ReleaseButton(TMouseButton::mbLeft);
        Frames(2);
    }
    static TPoint Middle(const TRect& rect) { return {(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2}; }
    void ClickButton(TQuickAction action) { ClickAt(Middle(window->QuickMenu().ButtonRect(action))); }
    // Pixels of `rect` where the presented picture is not the stage's.
    int CoveredPixels(const TRect& rect) {
        const TBitmap32& stage = window->Engine().BackSurface();
        const TBitmap32& shown = host.ClientPicture();
        int covered = 0;
        for (int y = rect.Top; y < rect.Bottom; ++y) {
            for (int x = rect.Left; x < rect.Right; ++x) {
                covered += (*stage.PixelPtr(x, y) & 0xFFFFFF) != (*shown.PixelPtr(x, y) & 0xFFFFFF);
            }
        }
        return covered;
    }
    int CoveredPixels() { return CoveredPixels({0, 0, 800, 600}); }
    std::string PageText() { return test::PageText(window->Engine().Store()); }
    std::string QuickSavePath() const { return UserDir("ヴァンドルの星砦タクティクス") + "quicksave.dat"; }
};

TEST_F(ScreenComfortsTest, OffTheyDrawNothingAndWriteNothing) {
    TggTDMain& main = StartOnPages();
    ASSERT_EQ(PageText(), "一頁目");
    EXPECT_FALSE(main.Menu().At("mmQuickMenu").Checked());
    EXPECT_FALSE(main.Menu().At("mmModeIndicator").Checked());
    EXPECT_EQ(CoveredPixels(), 0);
    host.ClickMenu("mmAuto");
    host.PressKey(vkControl);
    Frames(3);
    EXPECT_EQ(CoveredPixels(), 0) << "auto and skip run without a mark";
    host.ReleaseKey(vkControl);
    Stop();
    const TIniFile ini(ThisConfig());
    EXPECT_FALSE(ini.ValueExists("Comfort", "QuickMenu"));
    EXPECT_FALSE(ini.ValueExists("Comfort", "ModeIndicator"));
}

TEST_F(ScreenComfortsTest, QuickMenuButtonsActAndNeverTurnThePage) {
    TggTDMain& main = StartOnPages();
    host.ClickMenu("mmQuickMenu");
    Frames(1);
    ASSERT_TRUE(main.QuickMenu().Visible());
    const TRect messageWindow = main.Engine().Message().DstRect();
    const TRect save = main.QuickMenu().ButtonRect(TQuickAction::QuickSave);
    EXPECT_GE(save.Top, messageWindow.Top);
    EXPECT_LE(save.Bottom, messageWindow.Bottom);
    EXPECT_GT(CoveredPixels(save), 2 * (save.Width() + save.Height())) << "the button is drawn over the picture";
    EXPECT_EQ(CoveredPixels({0, 0, 800, messageWindow.Top}), 0) << "nothing above the message window";

    // Hovering lights the button.
    const int unlit = CoveredPixels(save);
    host.MoveMouse(Middle(save).X, Middle(save).Y);
    Frames(1);
    EXPECT_EQ(main.QuickMenu().Hovered(), TQuickAction::QuickSave);
    EXPECT_NE(CoveredPixels(save), unlit);

    ClickButton(TQuickAction::QuickSave);
    EXPECT_TRUE(fs::exists(QuickSavePath()));
    EXPECT_EQ(main.Notice().Text(), "クイックセーブしました");
    EXPECT_EQ(PageText(), "一頁目");

    ClickButton(TQuickAction::Auto);
    EXPECT_TRUE(main.Engine().AutoMode);
    EXPECT_TRUE(main.Menu().At("mmAuto").Checked());
    EXPECT_EQ(PageText(), "一頁目");
    ClickButton(TQuickAction::Auto);
    EXPECT_FALSE(main.Engine().AutoMode) << "the second click ends auto mode as a click on the button";
    EXPECT_EQ(PageText(), "一頁目") << "and was swallowed neither by auto mode nor passed to the page";

    ClickButton(TQuickAction::BackLog);
    EXPECT_TRUE(main.Engine().BackLog().Visible());
    EXPECT_FALSE(main.QuickMenu().Visible()) << "it hides with the message window";
    ClickAt({400, 300});
    EXPECT_FALSE(main.Engine().BackLog().Visible());
    EXPECT_EQ(PageText(), "一頁目");

    ClickAt({400, 300});
    Frames(5);
    ASSERT_EQ(PageText(), "二頁目") << "a click elsewhere still turns the page";
    ClickButton(TQuickAction::QuickLoad);
    EXPECT_EQ(main.Notice().Text(), "クイックロードしました");

    ClickButton(TQuickAction::GameMenu);
    EXPECT_TRUE(main.GameMenu().IsOpen());
    host.PressKey(vkEscape);
    host.ReleaseKey(vkEscape);
    Frames(1);

    host.MoveMouse(400, 300);
    host.PressButton(TMouseButton::mbRight);
    host.ReleaseButton(TMouseButton::mbRight);
    Frames(2);
    ASSERT_TRUE(main.Engine().Hidden);
    EXPECT_FALSE(main.QuickMenu().Visible()) << "hidden by the player, with the window";
    EXPECT_EQ(CoveredPixels(messageWindow), 0) << "the load's notice stands at the top; the window's place is bare";
    ClickAt({400, 300});
    EXPECT_FALSE(main.Engine().Hidden);
    EXPECT_TRUE(main.QuickMenu().Visible());

    ClickButton(TQuickAction::Skip);
    EXPECT_TRUE(main.SkippingToChoice());
    Frames(20);
    EXPECT_EQ(main.Engine().Choices().size(), 1u) << "skipped to the choice";
}

TEST_F(ScreenComfortsTest, QuickMenuButtonsAreClickedWhereTheScaledPictureShowsThem) {
    TggTDMain& main = StartOnPages();
    host.ClickMenu("mmQuickMenu");
    host.ClickMenu("mmFullScreen");
    Frames(2);
    const TRect picture = main.Layout().PictureRect;
    ASSERT_GT(picture.Width(), 800) << "full screen scales the picture up";
    const TPoint middle = Middle(main.QuickMenu().ButtonRect(TQuickAction::Auto));
    const TPoint client{picture.Left + middle.X * picture.Width() / 800,
                        picture.Top + middle.Y * picture.Height() / 600};
    host.MoveMouse(client.X, client.Y);
    Frames(1);
    EXPECT_EQ(main.QuickMenu().Hovered(), TQuickAction::Auto);
    host.PressButton(TMouseButton::mbLeft);
    host.ReleaseButton(TMouseButton::mbLeft);
    Frames(1);
    EXPECT_TRUE(main.Engine().AutoMode);
    EXPECT_EQ(PageText(), "一頁目");
}

TEST_F(ScreenComfortsTest, TheModeMarkShowsAutoAndSkipWhileTheyRun) {
    TggTDMain& main = StartOnPages();
    host.ClickMenu("mmModeIndicator");
    Frames(1);
    EXPECT_FALSE(main.ModeIndicator().Visible());
    EXPECT_EQ(CoveredPixels(), 0);

    host.ClickMenu("mmAuto");
    Frames(1);
    EXPECT_EQ(main.ModeIndicator().Mode(), TStoryMode::Auto);
    EXPECT_EQ(main.ModeIndicator().Text(), "オートモード中");
    const TRect mark = main.ModeIndicator().Rect();
    EXPECT_LE(mark.Right, 800);
    EXPECT_GT(mark.Left, 600) << "in the top right corner";
    EXPECT_GT(CoveredPixels(mark), 0);
    EXPECT_EQ(CoveredPixels(), CoveredPixels(mark)) << "nothing else is covered";
    host.ClickMenu("mmAuto");
    Frames(1);
    EXPECT_EQ(CoveredPixels(), 0);

    host.PressKey(vkControl);
    Frames(1);
    EXPECT_EQ(main.ModeIndicator().Mode(), TStoryMode::Skip);
    EXPECT_EQ(main.ModeIndicator().Text(), "スキップ中");
    EXPECT_GT(CoveredPixels(main.ModeIndicator().Rect()), 0);
    host.ReleaseKey(vkControl);
    Frames(1);
    EXPECT_FALSE(main.ModeIndicator().Visible());
    EXPECT_EQ(CoveredPixels(), 0);

    // Remembered for the next start.
    host.ClickMenu("mmQuickMenu");
    Stop();
    const TIniFile ini(ThisConfig());
    EXPECT_TRUE(ini.ReadBool("Comfort", "QuickMenu", false));
    EXPECT_TRUE(ini.ReadBool("Comfort", "ModeIndicator", false));
    TggTDMain& again = Start();
    EXPECT_TRUE(again.Menu().At("mmQuickMenu").Checked());
    EXPECT_TRUE(again.Menu().At("mmModeIndicator").Checked());
}

TEST_F(ScreenComfortsTest, TheirWordsFollowTheLanguage) {
    SetGameTextCatalogue(std::make_shared<TCatalogue>(
        TCatalogue::FromText("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                             "msgid \"オートモード中\"\nmsgstr \"AUTO\"\n\n"
                             "msgid \"Qセーブ\"\nmsgstr \"Quick Save With A Long Caption\"\n",
                             "en.po")));
    TModeIndicator indicator;
    EXPECT_TRUE(indicator.Update(TStoryMode::Auto));
    EXPECT_EQ(indicator.Text(), "AUTO");
    EXPECT_FALSE(indicator.Update(TStoryMode::Auto)) << "nothing changed";

    TQuickMenu menu;
    const TRect area{0, 480, 800, 600};
    ASSERT_TRUE(menu.Update(true, area, false, false));
    const TRect english = menu.ButtonRect(TQuickAction::QuickSave);
    const int edge = menu.ButtonRect(TQuickAction::GameMenu).Right;
    EXPECT_LT(menu.ButtonRect(TQuickAction::BackLog).Left, english.Left);
    SetGameTextCatalogue(nullptr);
    EXPECT_TRUE(menu.Update(true, area, false, false)) << "another language lays the row out again";
    const TRect save = menu.ButtonRect(TQuickAction::QuickSave);
    EXPECT_LT(save.Width(), english.Width());
    EXPECT_EQ(menu.ButtonRect(TQuickAction::GameMenu).Right, edge) << "the row keeps to the window's right edge";
    EXPECT_EQ(menu.ButtonAt(Middle(save)), TQuickAction::QuickSave);
    EXPECT_TRUE(menu.Update(false, area, false, false));
    EXPECT_EQ(menu.ButtonAt(Middle(save)), std::nullopt) << "a hidden menu has no buttons";
}

}  // namespace
}  // namespace vandor
