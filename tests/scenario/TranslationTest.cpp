// The story in another language: pages and choices from a catalogue, the same layout
// as text written in that language, and a switch that waits for the next page.

#include "ScenarioFixture.h"
#include "i18n/Catalogue.h"

namespace vandor {
namespace {

using testing::ScenarioTest;

using Translation = ScenarioTest;

const std::string kEnglish =
    "The fortress had stood empty for a hundred winters, and nobody in the valley remembered who had built it.";

std::shared_ptr<const TCatalogue> English(const std::string& entries) {
    return std::make_shared<TCatalogue>(TCatalogue::FromText(entries, "en.po"));
}

TEST_F(Translation, APageFromTheCatalogueLooksExactlyLikeTheSameTextInTheScript) {
    WriteScript("first.txt", "[bg/0]\n" + kEnglish + "\n\n");
    Start();
    Frames(3);
    const std::string written = PageText();
    const TBitmap32 writtenPicture = Game->BackSurface();

    WriteScript("second.txt",
                "[bg/0]\n砦は百の冬のあいだ空のままだった。\n誰が建てたのか、谷の者は誰も覚えていない。\n\n");
    Start("second.txt", 0);
    Game->SetCatalogue(English(R"po(
msgctxt "second.txt"
msgid "砦は百の冬のあいだ空のままだった。\n誰が建てたのか、谷の者は誰も覚えていない。"
msgstr ")po" + kEnglish + "\"\n"));
    Frames(4);
    EXPECT_EQ(PageText(), written);
    EXPECT_GE(Game->Store().Count(), 3) << "the page wraps over two lines at least";
    ASSERT_EQ(Game->BackSurface().Width(), writtenPicture.Width());
    for (int y = 0; y < writtenPicture.Height(); ++y) {
        for (int x = 0; x < writtenPicture.Width(); ++x) {
            ASSERT_EQ(*Game->BackSurface().PixelPtr(x, y), *writtenPicture.PixelPtr(x, y)) << x << "," << y;
        }
    }
}

TEST_F(Translation, ASwitchWaitsForTheNextPageAndChoicesAreTranslated) {
    WriteScript("first.txt", "一頁目\n\n二頁目\n[選択/*A]行く\n[選択/*B/0/戻れない]戻る\n\n*A\n");
    const auto english = English(R"po(
msgctxt "first.txt"
msgid "一頁目"
msgstr "Page one"

msgctxt "first.txt"
msgid "二頁目"
msgstr "Page two"

msgctxt "first.txt"
msgid "行く"
msgstr "Go"

msgctxt "first.txt"
msgid "戻れない"
msgstr "No way back"
)po");
    Start();
    EXPECT_EQ(PageText(), "一頁目");
    Game->SetCatalogue(english);
    Frames(2);
    EXPECT_EQ(PageText(), "一頁目") << "the page shown keeps its language";
    Click();
    Frames(3);
    EXPECT_EQ(PageText(), "Page two");
    ASSERT_EQ(Game->Choices().size(), 2u);
    EXPECT_EQ(Game->Choices()[0]->Caption(), "Go");
    EXPECT_EQ(Game->Choices()[1]->Caption(), "戻る") << "untranslated text shows as written";

    // Back to the original: again from the next page.
    Game->SetCatalogue(nullptr);
    Game->Jump("first.txt", "");
    Frames(2);
    EXPECT_EQ(PageText(), "Page two") << "nothing changed before the page ended";
}

TEST_F(Translation, DisabledChoiceCaptionsAndTheCatalogueFontFollowTheLanguage) {
    WriteScript("first.txt", "[選択/*A/*A/フラグ/戻れない]戻る\n\n*A\n");
    Start("first.txt", 0);
    Game->OnCondition = [](const std::string&, bool& result) { result = false; };
    Game->SetCatalogue(English(R"po(msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"
"X-Font: IPAGothic\n"

msgctxt "first.txt"
msgid "戻れない"
msgstr "No way back"
)po"));
    Frames(2);
    ASSERT_EQ(Game->Choices().size(), 1u);
    EXPECT_EQ(Game->Choices()[0]->Caption(), "No way back");
    EXPECT_EQ(Game->Choices()[0]->Bitmap()->Font.Name, "IPAGothic");
    EXPECT_EQ(Game->Message().Surface().Font.Name, "IPAGothic");
    EXPECT_EQ(Game->BackLog().Bitmap()->Font.Name, "IPAGothic");
}

}  // namespace
}  // namespace vandor
