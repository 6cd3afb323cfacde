// Debug mode reads an edited script or picture again while the game runs: the page
// starts again with the new text, the picture changes where it shows, and each
// reload is one line of the debug log.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "PageText.h"
#include "compositor/Input.h"
#include "resources/PictureCodec.h"
#include "scenario/NovelGame.h"

namespace vandor {
namespace {

constexpr TColor32 kRed = 0xFFFF0000;
constexpr TColor32 kBlue = 0xFF0000FF;

class MainReloadTest : public test::MainWindowTest {
protected:
    void Picture(TColor32 colour) {
        TBitmap32 picture(800, 600);
        picture.Clear(colour);
        ASSERT_TRUE(SavePng(picture, exe + "scenario/back.png"));
    }
    void Script(const std::string& secondPage) {
        WriteScript("first.txt", "[back/0]\n*始\n一頁目。\n\n*中庭\n前置き。\n\n" + secondPage + "\n\n最後。\n\n");
    }
    std::string Page() { return test::PageText(window->Engine().Store()); }
    TColor32 Shown() { return *window->Engine().BackSurface().PixelPtr(10, 10); }
    int LogCount(const std::string& line) {
        const std::vector<std::string> lines = DebugLogLines();
        return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                              [&](const std::string& logged) { return logged.ends_with(line); }));
    }
    // Clicks through to the page after *中庭's first.
    void ToSecondPage() {
        for (const char* page : {"一頁目。", "前置き。"}) {
            Frames(40);
            ASSERT_EQ(Page(), page);
            window->Engine().Advance();
        }
        Frames(40);
    }
};

TEST_F(MainReloadTest, AnEditedScriptStartsItsPageAgainAndAPictureChangesWhereItShows) {
    Script("二頁目。");
    Picture(kRed);
    Start();
    ToSecondPage();
    ASSERT_EQ(Page(), "二頁目。");
    EXPECT_EQ(Shown(), kRed);

    // The text of the page changed: the same page after the same label shows it anew.
    Script("書き直した二頁目。");
    Frames(40);
    EXPECT_EQ(Page(), "書き直した二頁目。");
    Picture(kBlue);
    Frames(2);
    EXPECT_EQ(Shown(), kBlue);

    // A page the label no longer has: the story goes back to the label.
    WriteScript("first.txt", "[back/0]\n*中庭\nここから。\n\n");
    Frames(40);
    EXPECT_EQ(Page(), "ここから。");

    // Shift+R reads everything again by hand, whether or not it was seen written.
    host.PressKey(vkShift);
    host.PressKey('R');
    host.ReleaseKey('R');
    host.ReleaseKey(vkShift);
    Frames(2);
    Stop();
    EXPECT_EQ(LogCount("再読み込み: first.txt"), 2);
    EXPECT_EQ(LogCount("再読み込み: back.png"), 1);
    EXPECT_EQ(LogCount("再読み込み: すべてのデータ"), 1);
}

// Outside debug mode nothing is watched and Shift+R does nothing.
TEST_F(MainReloadTest, ArchivesAreNeverReadAgain) {
    WriteArchive(exe + "dat.gdp", "一頁目。\n\n");
    Start();
    Frames(20);
    host.PressKey(vkShift);
    host.PressKey('R');
    Frames(2);
    EXPECT_FALSE(window->Locations().DebugMode);
    Stop();
    EXPECT_EQ(test::ReadDebugLog(exe), "");
}

}  // namespace
}  // namespace vandor
