#include "i18n/Catalogue.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "i18n/GameText.h"

namespace vandor {
namespace {

constexpr std::string_view kCatalogue = R"po(msgid ""
msgstr ""
"Language: en\n"
"Content-Type: text/plain; charset=UTF-8\n"
"X-Font: DejaVu Serif\n"

#: first.txt:3
msgctxt "first.txt"
msgid "こんにちは。\n元気？"
msgstr "Hello.\nHow are you?"

msgctxt "second.txt"
msgid "こんにちは。\n元気？"
msgstr "Hi there.\nAll well?"

#, fuzzy
msgctxt "first.txt"
msgid "まだ途中"
msgstr "Still in progress"

msgctxt "first.txt"
msgid "未訳"
msgstr ""

msgid "セーブ(&S)"
msgstr "&Save"

#~ msgid "古い"
#~ msgstr "Old"
)po";

TEST(Catalogue, FindsEntriesByContextAndFallsBackForMissingFuzzyAndUntranslated) {
    const TCatalogue catalogue = TCatalogue::FromText(kCatalogue, "en.po");
    EXPECT_EQ(catalogue.Translate("first.txt", "こんにちは。\n元気？"), "Hello.\nHow are you?");
    EXPECT_EQ(catalogue.Translate("second.txt", "こんにちは。\n元気？"), "Hi there.\nAll well?");
    EXPECT_EQ(catalogue.Translate("third.txt", "こんにちは。\n元気？"), "こんにちは。\n元気？");
    EXPECT_EQ(catalogue.Translate("first.txt", "まだ途中"), "まだ途中");
    EXPECT_EQ(catalogue.Translate("first.txt", "未訳"), "未訳");
    EXPECT_EQ(catalogue.Translate("", "セーブ(&S)"), "&Save");
    EXPECT_EQ(catalogue.Translate("", "古い"), "古い");

    EXPECT_EQ(catalogue.State("first.txt", "まだ途中"), TCatalogue::TEntryState::Fuzzy);
    EXPECT_EQ(catalogue.State("first.txt", "未訳"), TCatalogue::TEntryState::Untranslated);
    EXPECT_EQ(catalogue.State("first.txt", "無い"), TCatalogue::TEntryState::Missing);
    EXPECT_EQ(catalogue.State("", "セーブ(&S)"), TCatalogue::TEntryState::Translated);

    EXPECT_EQ(catalogue.HeaderField("Language"), "en");
    EXPECT_EQ(catalogue.HeaderField(TCatalogue::kFontField), "DejaVu Serif");
    EXPECT_EQ(catalogue.HeaderField("X-Nothing"), "");
}

TEST(Catalogue, DamagedCataloguesAreRefusedWithTheirNameAndLine) {
    const std::string_view damaged[] = {
        "msgid \"a\"\nmsgstr \"b\n",                               // unterminated string
        "msgid \"a\"\n",                                           // no msgstr
        "msgid \"a\"\nmsgstr \"b\"\nmsgid \"a\"\nmsgstr \"c\"\n",  // duplicate entry
        "garbage\n",
        "msgid \"\xFF\xFE\"\nmsgstr \"x\"\n",  // not the UTF-8 its header would name
        "msgid \"a\"\nmsgstr \"\\303\"\n",     // an escape that reads as half a character
    };
    for (std::string_view text : damaged) {
        try {
            TCatalogue::FromText(text, "xx.po");
            ADD_FAILURE() << "accepted: " << text;
        } catch (const ECatalogueError& error) {
            EXPECT_EQ(std::string(error.what()).rfind("xx.po: ", 0), 0u) << error.what();
        }
    }
    // The library keeps working after a refusal.
    EXPECT_EQ(TCatalogue::FromText(kCatalogue, "en.po").Translate("", "セーブ(&S)"), "&Save");
}

TEST(Catalogue, ReadsFilesAndTellsAMissingOne) {
    test::TTempFolder folder;
    test::WriteTextFile(folder / "en.po", kCatalogue);
    EXPECT_EQ(TCatalogue::FromFile(folder / "en.po").Translate("", "セーブ(&S)"), "&Save");
    EXPECT_THROW(TCatalogue::FromFile(folder / "fr.po"), ECatalogueError);
}

TEST(GameText, ComesFromTheChosenCatalogueOrStaysAsWritten) {
    EXPECT_EQ(GameText("セーブ(&S)"), "セーブ(&S)");
    SetGameTextCatalogue(std::make_shared<TCatalogue>(TCatalogue::FromText(kCatalogue, "en.po")));
    EXPECT_EQ(GameText("セーブ(&S)"), "&Save");
    EXPECT_EQ(GameText("ロード(&L)"), "ロード(&L)");
    SetGameTextCatalogue(nullptr);
    EXPECT_EQ(GameText("セーブ(&S)"), "セーブ(&S)");
}

}  // namespace
}  // namespace vandor
