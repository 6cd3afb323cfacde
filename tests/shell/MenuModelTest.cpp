#include "shell/MenuModel.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vandor {
namespace {

// A slice of the game's menu bar: a file menu and the text speed radio items.
struct TSampleMenu {
    TMenuModel Model;
    std::vector<std::pair<std::string, int>> Clicks;  // name and tag of each click

    TSampleMenu() {
        const TMenuClick record = [this](TMenuItem& sender) { Clicks.emplace_back(sender.Name(), sender.Tag()); };
        Model.Add("", "mmFile", "ファイル(&F)");
        Model.Add("mmFile", "mmTitle", "タイトルに戻る(&T)", 0, 0, record);
        Model.AddSeparator("mmFile", "mmFileLine1");
        Model.Add("mmFile", "mmExit", "終了(&X)", 0, 0, record);
        Model.Add("", "mmChar", "文字表示(&C)");
        Model.Add("mmChar", "mmCSpeed", "表示速度(&C)");
        // The handler checks the item itself, as the game's handlers do.
        const TMenuClick speed = [this](TMenuItem& sender) {
            Clicks.emplace_back(sender.Name(), sender.Tag());
            sender.SetChecked(true);
        };
        Model.Add("mmCSpeed", "mmCSMax", "ノーウェイト(&W)", 0, 1, speed);
        Model.Add("mmCSpeed", "mmCSFast", "高速(&F)", 10, 1, speed);
        Model.Add("mmCSpeed", "mmCSNormal", "普通(&N)", 30, 1, speed).SetChecked(true);
        Model.AddSeparator("mmCSpeed", "mmCSL");
        Model.Add("mmCSpeed", "mmCSPage", "ページ末まで一気に(&P)", -1, 1, speed);
        Model.Add("mmChar", "mmCAA", "アンチエイリアス", 0, 0, record).SetChecked(true);
    }
};

TEST(MenuModelTest, BuildsATreeFoundByName) {
    TSampleMenu menu;
    TMenuModel& model = menu.Model;
    ASSERT_EQ(model.Bar().Items().size(), 2u);
    EXPECT_EQ(model.Bar().Items()[1]->Name(), "mmChar");

    TMenuItem* fast = model.Find("mmCSFast");
    ASSERT_NE(fast, nullptr);
    EXPECT_EQ(fast->Caption(), "高速(&F)");
    EXPECT_EQ(fast->Tag(), 10);
    EXPECT_EQ(fast->RadioGroup(), 1);
    EXPECT_EQ(fast->Parent(), model.Find("mmCSpeed"));
    EXPECT_EQ(model.Find("mmCSpeed")->Parent(), model.Find("mmChar"));
    EXPECT_TRUE(model.At("mmCSL").IsSeparator());
    EXPECT_FALSE(model.At("mmExit").IsSeparator());
    EXPECT_EQ(model.At("mmCSPage").Tag(), -1);
    // Order of addition is the order shown.
    const auto& speeds = model.At("mmCSpeed").Items();
    ASSERT_EQ(speeds.size(), 5u);
    EXPECT_EQ(speeds[3]->Name(), "mmCSL");
    EXPECT_EQ(speeds[4]->Name(), "mmCSPage");

    EXPECT_EQ(model.Find("mmNothing"), nullptr);
    EXPECT_EQ(model.Find(""), nullptr);
    EXPECT_THROW(model.At("mmNothing"), std::out_of_range);
    EXPECT_THROW(model.Add("mmNothing", "mmV0_1", "10％(&1)"), std::invalid_argument);
    EXPECT_THROW(model.Add("mmFile", "mmExit", "again"), std::invalid_argument);
    EXPECT_THROW(model.AddSeparator("mmFile", "mmTitle"), std::invalid_argument);
    EXPECT_THROW(model.Add("mmFile", "", "nameless"), std::invalid_argument);
    EXPECT_EQ(model.At("mmFile").Items().size(), 3u);  // nothing added by the failures
}

TEST(MenuModelTest, ClickRunsTheHandlerOnlyWhereTheUserCouldClick) {
    TSampleMenu menu;
    TMenuModel& model = menu.Model;
    EXPECT_TRUE(model.Click("mmTitle"));
    EXPECT_TRUE(model.Click("mmCAA"));
    // The model changes nothing by itself: a check item stays as its handler leaves it.
    EXPECT_TRUE(model.At("mmCAA").Checked());

    model.At("mmTitle").SetEnabled(false);
    EXPECT_FALSE(model.Click("mmTitle"));
    model.At("mmTitle").SetEnabled(true);
    model.At("mmTitle").SetVisible(false);
    EXPECT_FALSE(model.Click("mmTitle"));
    model.At("mmTitle").SetVisible(true);
    // A disabled or hidden menu hides everything below it.
    model.At("mmChar").SetEnabled(false);
    EXPECT_FALSE(model.Click("mmCSFast"));
    model.At("mmChar").SetEnabled(true);
    model.At("mmCSpeed").SetVisible(false);
    EXPECT_FALSE(model.Click("mmCSFast"));
    model.At("mmCSpeed").SetVisible(true);

    EXPECT_FALSE(model.Click("mmFileLine1"));
    EXPECT_FALSE(model.Click("mmFile"));  // no handler
    EXPECT_FALSE(model.Click("mmMissing"));
    EXPECT_TRUE(model.Click("mmCSFast"));

    const std::vector<std::pair<std::string, int>> expected = {{"mmTitle", 0}, {"mmCAA", 0}, {"mmCSFast", 10}};
    EXPECT_EQ(menu.Clicks, expected);
}

TEST(MenuModelTest, CheckingARadioItemUnchecksOnlyItsGroupUnderItsParent) {
    TSampleMenu menu;
    TMenuModel& model = menu.Model;
    // Two volume submenus with the same group number: each is its own radio set.
    model.Add("", "mmVolume", "音量(&V)");
    for (const char* sub : {"mmVBGM", "mmVSE"}) {
        model.Add("mmVolume", sub, sub);
        for (int i = 0; i <= 2; ++i) {
            model.Add(sub, std::string(sub) + std::to_string(i), std::to_string(i), i * 10, 1);
        }
    }
    model.At("mmVBGM1").SetChecked(true);
    model.At("mmVSE2").SetChecked(true);
    model.At("mmVBGM0").SetChecked(true);
    EXPECT_TRUE(model.At("mmVBGM0").Checked());
    EXPECT_FALSE(model.At("mmVBGM1").Checked());
    EXPECT_TRUE(model.At("mmVSE2").Checked());

    // Items of another group, or none, in the same submenu keep their checks.
    model.Add("mmVBGM", "mmVBGMOther", "other", 0, 2).SetChecked(true);
    model.Add("mmVBGM", "mmVBGMCheck", "check").SetChecked(true);
    model.At("mmVBGM2").SetChecked(true);
    EXPECT_FALSE(model.At("mmVBGM0").Checked());
    EXPECT_TRUE(model.At("mmVBGMOther").Checked());
    EXPECT_TRUE(model.At("mmVBGMCheck").Checked());

    // A click goes through the handler, which checks the chosen speed.
    EXPECT_TRUE(model.Click("mmCSPage"));
    EXPECT_TRUE(model.At("mmCSPage").Checked());
    EXPECT_FALSE(model.At("mmCSNormal").Checked());
    // Unchecking a radio item leaves the others alone.
    model.At("mmCSPage").SetChecked(false);
    for (const auto& item : model.At("mmCSpeed").Items()) EXPECT_FALSE(item->Checked()) << item->Name();
}

TEST(MenuModelTest, ReportsEachRealChange) {
    TSampleMenu menu;
    TMenuModel& model = menu.Model;
    std::vector<std::pair<std::string, TMenuChange>> changes;
    model.OnChange = [&](TMenuItem& item, TMenuChange change) { changes.emplace_back(item.Name(), change); };
    const uint64_t before = model.Revision();

    model.At("mmCSFast").SetChecked(true);      // unchecks mmCSNormal
    model.At("mmCSFast").SetChecked(true);      // no change
    model.At("mmExit").SetCaption("終了(&X)");  // same caption
    model.At("mmExit").SetCaption("閉じる(&X)");
    model.At("mmTitle").SetEnabled(true);  // already
    model.At("mmTitle").SetEnabled(false);
    model.At("mmFileLine1").SetVisible(false);
    TMenuItem& added = model.Add("mmFile", "mmCombine", "結合する(&C)");
    model.AddSeparator("mmFile", "mmFileLine2");

    const std::vector<std::pair<std::string, TMenuChange>> expected = {
        {"mmCSNormal", TMenuChange::Checked}, {"mmCSFast", TMenuChange::Checked},    {"mmExit", TMenuChange::Caption},
        {"mmTitle", TMenuChange::Enabled},    {"mmFileLine1", TMenuChange::Visible}, {"mmCombine", TMenuChange::Added},
        {"mmFileLine2", TMenuChange::Added},
    };
    EXPECT_EQ(changes, expected);
    EXPECT_EQ(model.Revision() - before, expected.size());
    EXPECT_EQ(model.At("mmExit").Caption(), "閉じる(&X)");
    EXPECT_EQ(&model.At("mmCombine"), &added);
}

TEST(MenuModelTest, GtkMnemonicLabel) {
    EXPECT_EQ(GtkMnemonicLabel("ファイル(&F)"), "ファイル(_F)");
    EXPECT_EQ(GtkMnemonicLabel("&OK"), "_OK");
    EXPECT_EQ(GtkMnemonicLabel("Tom && Jerry"), "Tom & Jerry");
    EXPECT_EQ(GtkMnemonicLabel("save_01"), "save__01");
    EXPECT_EQ(GtkMnemonicLabel("&&&X"), "&_X");
    EXPECT_EQ(GtkMnemonicLabel("a_&b"), "a___b");
    EXPECT_EQ(GtkMnemonicLabel("100％(&0)"), "100％(_0)");
    EXPECT_EQ(GtkMnemonicLabel("end&"), "end");
    EXPECT_EQ(GtkMnemonicLabel("アンチエイリアス"), "アンチエイリアス");
    EXPECT_EQ(GtkMnemonicLabel(""), "");
}

}  // namespace
}  // namespace vandor
