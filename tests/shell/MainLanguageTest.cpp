// The main window's languages: catalogues beside the program, the menu that switches
// them, the run's language, the saved one, the desktop's on the first start, a
// damaged catalogue told once, and pictures of a language before the game's own.

#include <gtest/gtest.h>

#include <cstdlib>

#include "MainWindowFixture.h"
#include "PageText.h"
#include "i18n/GameText.h"
#include "scenario/NovelGame.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

using test::MainWindowTest;

constexpr const char* kEnglish = R"po(msgid ""
msgstr "Content-Type: text/plain; charset=UTF-8\n"

msgctxt "first.txt"
msgid "一頁目"
msgstr "Page one"

msgctxt "first.txt"
msgid "二頁目"
msgstr "Page two"

msgid "ロード(&L)"
msgstr "&Load"
)po";

class MainLanguageTest : public MainWindowTest {
protected:
    MainLanguageTest() { WriteScript("first.txt", "一頁目\n\n二頁目\n\n"); }
    ~MainLanguageTest() override {
        window.reset();
        SetGameTextCatalogue(nullptr);
    }
    std::string PageText() { return test::PageText(window->Engine().Store()); }
    TggTDMain& StartWith(const std::string& language, bool followDesktop) {
        window = std::make_unique<TggTDMain>(
            TMainWindowPlatform{host, clock, device, exe, documents, "vandor", 7, "", false, ""},
            TLanguageChoice{language, followDesktop});
        host.Show();
        return *window;
    }
    void ClickClient() {
        host.MoveMouse(400, 300);
        host.PressButton(TMouseButton::mbLeft);
        host.ReleaseButton(TMouseButton::mbLeft);
    }
};

TEST_F(MainLanguageTest, WithoutCataloguesNothingChangesAndNothingIsWritten) {
    TggTDMain& main = Start();
    Frames(60);
    EXPECT_FALSE(main.Menu().At("mmLanguage").Visible());
    EXPECT_EQ(PageText(), "一頁目");
    Stop();
    EXPECT_FALSE(TIniFile(ThisConfig()).ValueExists("Comfort", "Language"));
}

TEST_F(MainLanguageTest, TheMenuSwitchesAtTheNextPageAndTheChoiceIsKept) {
    test::WriteTextFile(exe + "lang/en.po", kEnglish);
    TggTDMain& main = Start();
    Frames(60);
    ASSERT_TRUE(main.Menu().At("mmLanguage").Visible());
    EXPECT_TRUE(main.Menu().At("mmLangOriginal").Checked());
    EXPECT_EQ(PageText(), "一頁目");

    ASSERT_TRUE(main.Menu().Click("mmLang_en"));
    EXPECT_TRUE(main.Menu().At("mmLang_en").Checked());
    EXPECT_EQ(GameText("ロード(&L)"), "&Load");
    Frames(60);
    EXPECT_EQ(PageText(), "一頁目");
    ClickClient();
    Frames(60);
    EXPECT_EQ(PageText(), "Page two");
    Stop();
    EXPECT_EQ(TIniFile(ThisConfig()).ReadString("Comfort", "Language"), "en");

    // The next start plays in English from the first page; "--lang" overrides it for
    // one run without changing what is kept.
    Start();
    Frames(60);
    EXPECT_EQ(PageText(), "Page one");
    Stop();
    StartWith("ja_XX", false);
    Frames(60);
    EXPECT_EQ(PageText(), "一頁目") << "no catalogue for the run's language: the original";
    Stop();
    EXPECT_EQ(TIniFile(ThisConfig()).ReadString("Comfort", "Language"), "en");
}

TEST_F(MainLanguageTest, TheFirstStartFollowsTheDesktopOnlyWhenAsked) {
    test::WriteTextFile(exe + "lang/en.po", kEnglish);
    const char* saved = std::getenv("LANGUAGE");
    const std::string previous = saved ? saved : "";
    setenv("LANGUAGE", "fr_FR:en_GB", 1);
    StartWith("", false);
    Frames(60);
    EXPECT_EQ(PageText(), "一頁目") << "a replay does not depend on the desktop";
    Stop();
    StartWith("", true);
    Frames(60);
    EXPECT_EQ(PageText(), "Page one");
    Stop();
    if (saved) {
        setenv("LANGUAGE", previous.c_str(), 1);
    } else {
        unsetenv("LANGUAGE");
    }
    EXPECT_EQ(TIniFile(ThisConfig()).ReadString("Comfort", "Language"), "en");
}

TEST_F(MainLanguageTest, ADamagedCatalogueIsToldOnceAndTheOriginalShows) {
    test::WriteTextFile(exe + "lang/en.po", "msgid \"一頁目\"\nmsgstr \"Page one\n");
    TggTDMain& main = StartWith("en", false);
    Frames(60);
    EXPECT_EQ(PageText(), "一頁目");
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_NE(host.MessageBoxes()[0].Text.find("en.po"), std::string::npos);
    main.Menu().Click("mmLang_en");
    EXPECT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_TRUE(main.Menu().At("mmLangOriginal").Checked());
}

TEST_F(MainLanguageTest, CataloguesInTheDataAndFilesOfALanguageComeBeforeTheGamesOwn) {
    // A catalogue inside the game's data is found when "lang/" has none; the files of
    // "lang/en/" (pictures with text on them, usually) are looked up first.
    test::WriteTextFile(exe + "scenario/en.po", kEnglish);
    WriteScript("first.txt", "一頁目\n\n[ジャンプ/second.txt]\n");
    WriteScript("second.txt", "原文の二\n\n");
    test::WriteTextFile(exe + "lang/en/second.txt", "言語別の二\n\n");
    StartWith("en", false);
    Frames(60);
    EXPECT_EQ(PageText(), "Page one");
    ClickClient();
    Frames(60);
    EXPECT_EQ(PageText(), "言語別の二");
}

}  // namespace
}  // namespace vandor
