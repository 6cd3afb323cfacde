#include <gtest/gtest.h>

#include <memory>

#include "i18n/Catalogue.h"
#include "i18n/FormatConversions.h"
#include "i18n/GameText.h"

namespace vandor {
namespace {

constexpr std::string_view kCatalogue = R"po(msgid ""
msgstr ""
"Language: en\n"
"Content-Type: text/plain; charset=UTF-8\n"

msgid "次回攻撃 第%d波"
msgstr "Next: wave %2d"

msgid "敵%d体 %sより"
msgstr "%d enemies from the %s"

msgid "敵 のこり%d体"
msgstr "%s%n enemies left"

msgid "現在 敵第%d波と戦闘中"
msgstr "Fighting wave %d of %d"

msgid "治安維持戦 全%d波"
msgstr "Keeping the peace: %1$d waves"

msgid "第%d要害戦 全%d波"
msgstr "Stronghold battle %d: %*d waves"
)po";

// Sets the catalogue for one test and takes it away again, so that no other test sees it.
class GameFormatTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetGameTextCatalogue(std::make_shared<TCatalogue>(TCatalogue::FromText(kCatalogue, "en.po")));
    }
    void TearDown() override { SetGameTextCatalogue(nullptr); }
};

TEST(FormatConversionsTest, ListsLengthAndLetterAndRefusesWhatPrintfCouldMisuse) {
    EXPECT_EQ(FormatConversions("第%d要害戦 全%d波"), (std::vector<std::string>{"d", "d"}));
    EXPECT_EQ(FormatConversions("%-5.2f%% %ld %s %c"), (std::vector<std::string>{"f", "ld", "s", "c"}));
    EXPECT_EQ(FormatConversions("no numbers"), std::vector<std::string>{});
    for (const char* unsafe : {"%n", "%d%n", "%*d", "%.*d", "%1$d", "%100d", "%.100d", "tail %", "%y", "%hhn"}) {
        EXPECT_EQ(FormatConversions(unsafe), std::nullopt) << unsafe;
    }
}

TEST(FormatConversionsTest, SameConversionsNeedsTheSameKindsInTheSameOrder) {
    EXPECT_TRUE(SameConversions("敵%d体 %sより", "%d enemies from the %s"));
    EXPECT_TRUE(SameConversions("第%d波", "Wave %02d (100%%)"));
    EXPECT_FALSE(SameConversions("敵%d体 %sより", "from the %s: %d enemies"));
    EXPECT_FALSE(SameConversions("第%d波", "Wave"));
    EXPECT_FALSE(SameConversions("第%d波", "Wave %d of %d"));
    EXPECT_FALSE(SameConversions("第%d波", "Wave %ld"));
    EXPECT_FALSE(SameConversions("第%d波", "Wave %s"));
}

TEST_F(GameFormatTest, UsesATranslationOnlyWhenItTakesTheSameArguments) {
    EXPECT_EQ(GameFormat("次回攻撃 第%d波", 3), "Next: wave  3");
    EXPECT_EQ(GameFormat("敵%d体 %sより", 12, "north"), "12 enemies from the north");
    // A translation that would read a string where a number is passed, or write through %n.
    EXPECT_EQ(GameFormat("敵 のこり%d体", 7), "敵 のこり7体");
    EXPECT_EQ(GameFormat("現在 敵第%d波と戦闘中", 2), "現在 敵第2波と戦闘中");
    EXPECT_EQ(GameFormat("治安維持戦 全%d波", 5), "治安維持戦 全5波");
    EXPECT_EQ(GameFormat("第%d要害戦 全%d波", 1, 5), "第1要害戦 全5波");
    // Not in the catalogue at all.
    EXPECT_EQ(GameFormat("敵%d体", 4), "敵4体");
}

TEST(GameFormatWithoutCatalogueTest, FormatsTheOriginal) {
    EXPECT_EQ(GameFormat("次回攻撃 第%d波", 3), "次回攻撃 第3波");
}

}  // namespace
}  // namespace vandor
