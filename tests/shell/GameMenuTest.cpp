// The menu in the picture: the menu model's own items, levels, checks and enabled
// states, moved through by steps and chosen by the model's own click, and drawn with a
// focus bar that stands out from the rows.

#include "shell/GameMenu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "compositor/Bitmap32.h"
#include "shell/MenuModel.h"

namespace vandor {
namespace {

struct TSampleMenu {
    TMenuModel Model;
    std::vector<std::string> Clicks;
    bool OpenWhenClicked = true;
    TGameMenu Menu{Model};

    TSampleMenu() {
        const TMenuClick record = [this](TMenuItem& sender) {
            Clicks.push_back(sender.Name());
            OpenWhenClicked = Menu.IsOpen();
            sender.SetChecked(true);
        };
        Model.Add("", "mmFile", "ファイル(&F)");
        Model.Add("mmFile", "mmTitle", "タイトルに戻る(&T)", 0, 0, record);
        Model.AddSeparator("mmFile", "mmFileLine1");
        Model.Add("mmFile", "mmHidden", "結合する(&C)", 0, 0, record).SetVisible(false);
        Model.Add("mmFile", "mmExit", "終了(&X)", 0, 0, record);
        Model.Add("", "mmSave", "セーブ(&S)").SetEnabled(false);
        Model.Add("mmSave", "mmS0", "スロット0", 0, 0, record);
        Model.Add("", "mmChar", "文字表示(&C)");
        Model.Add("mmChar", "mmCSpeed", "表示速度(&C)");
        Model.Add("mmCSpeed", "mmCSFast", "高速(&F)", 10, 1, record);
        Model.Add("mmCSpeed", "mmCSNormal", "普通(&N)", 30, 1, record).SetChecked(true);
        Model.Add("mmChar", "mmCAA", "アンチ&&エイリアス", 0, 0, record).SetEnabled(false);
    }
    std::vector<std::string> RowNames() const {
        std::vector<std::string> names;
        for (const TMenuItem* row : Menu.Rows()) names.push_back(row->Name());
        return names;
    }
    std::string FocusedName() const { return Menu.Rows().at(static_cast<std::size_t>(Menu.Focused()))->Name(); }
};

TEST(GameMenuTest, LevelsShowTheModelsVisibleItemsAndStepsSkipWhatCannotBeChosen) {
    TSampleMenu sample;
    EXPECT_FALSE(sample.Menu.IsOpen());
    sample.Menu.Open();
    EXPECT_EQ(sample.RowNames(), (std::vector<std::string>{"mmFile", "mmSave", "mmChar"}));
    EXPECT_EQ(sample.FocusedName(), "mmFile");
    sample.Menu.Step(1);
    EXPECT_EQ(sample.FocusedName(), "mmChar") << "the disabled save menu is passed over";
    sample.Menu.Step(1);
    EXPECT_EQ(sample.FocusedName(), "mmFile") << "round";
    sample.Menu.Step(-1);
    EXPECT_EQ(sample.FocusedName(), "mmChar");

    sample.Menu.Back();
    sample.Menu.Open();
    sample.Menu.Choose();
    ASSERT_NE(sample.Menu.Level(), nullptr);
    EXPECT_EQ(sample.Menu.Level()->Name(), "mmFile");
    EXPECT_EQ(sample.RowNames(), (std::vector<std::string>{"mmTitle", "mmFileLine1", "mmExit"}))
        << "hidden items are not shown, separators are";
    sample.Menu.Step(1);
    EXPECT_EQ(sample.FocusedName(), "mmExit") << "separators are passed over";
    EXPECT_TRUE(sample.Clicks.empty());

    sample.Menu.Back();
    EXPECT_EQ(sample.Menu.Level(), nullptr);
    EXPECT_EQ(sample.FocusedName(), "mmFile") << "back on the menu that was left";
    sample.Menu.Back();
    EXPECT_FALSE(sample.Menu.IsOpen()) << "back from the menu bar's level closes";
}

TEST(GameMenuTest, ChoosingClosesTheMenuAndRunsTheModelsClick) {
    TSampleMenu sample;
    sample.Menu.Open();
    sample.Menu.Step(1);
    ASSERT_TRUE(sample.Menu.EnterSubmenu());
    EXPECT_EQ(sample.Menu.Level()->Name(), "mmChar");
    EXPECT_EQ(sample.RowNames(), (std::vector<std::string>{"mmCSpeed", "mmCAA"}));
    sample.Menu.Step(1);
    EXPECT_EQ(sample.FocusedName(), "mmCSpeed") << "the disabled item is never focused";
    sample.Menu.Choose();
    EXPECT_EQ(sample.RowNames(), (std::vector<std::string>{"mmCSFast", "mmCSNormal"}));
    EXPECT_FALSE(sample.Menu.EnterSubmenu()) << "an item with no submenu is not entered";
    sample.Menu.Choose();
    EXPECT_FALSE(sample.Menu.IsOpen());
    EXPECT_EQ(sample.Clicks, (std::vector<std::string>{"mmCSFast"}));
    EXPECT_FALSE(sample.OpenWhenClicked) << "the item acts once the menu has gone";
    EXPECT_TRUE(sample.Model.At("mmCSFast").Checked());
    EXPECT_FALSE(sample.Model.At("mmCSNormal").Checked());

    // The mouse: pointing focuses, a left click chooses, a click outside goes back.
    sample.Menu.Open();
    sample.Menu.Step(1);
    sample.Menu.Choose();
    sample.Menu.Choose();
    const TRect normal = sample.Menu.RowRect(1);
    sample.Menu.PointAt({normal.Left + 5, normal.Top + 5});
    EXPECT_EQ(sample.FocusedName(), "mmCSNormal");
    sample.Menu.ClickAt({5, 5}, true);
    EXPECT_EQ(sample.Menu.Level()->Name(), "mmChar");
    sample.Menu.ClickAt({normal.Left + 5, normal.Top + 5}, false);
    EXPECT_EQ(sample.Menu.Level(), nullptr) << "a right click goes back too";
    sample.Menu.Choose();
    sample.Menu.Step(1);
    sample.Menu.Choose();
    const TRect fast = sample.Menu.RowRect(0);
    sample.Menu.ClickAt({fast.Left + 5, fast.Top + 5}, true);
    EXPECT_FALSE(sample.Menu.IsOpen());
    EXPECT_EQ(sample.Clicks.back(), "mmCSFast");
}

TEST(GameMenuTest, TheFocusBarAndTheCaptionsAreDrawnOverTheDimmedPicture) {
    EXPECT_EQ(PlainMenuCaption("ファイル(&F)"), "ファイル(F)");
    EXPECT_EQ(PlainMenuCaption("アンチ&&エイリアス"), "アンチ&エイリアス");

    TSampleMenu sample;
    sample.Menu.Open();
    for (const TColor32 background : {0xFFFFFFFFu, 0xFF000000u, 0xFF3A62C8u}) {
        TBitmap32 picture(800, 600);
        picture.Clear(background);
        sample.Menu.Draw(picture);
        EXPECT_EQ(*picture.PixelPtr(2, 2), 0xFF000000 | ((background >> 1) & 0x7F7F7F)) << "dimmed behind";
        const TRect focused = sample.Menu.RowRect(0);
        const TRect other = sample.Menu.RowRect(2);
        EXPECT_EQ(*picture.PixelPtr(focused.Left, focused.Top), 0xFFFFFFFFu) << "a white frame round the focus";
        EXPECT_NE(*picture.PixelPtr(focused.Right - 4, focused.Top + 3),
                  *picture.PixelPtr(other.Right - 4, other.Top + 3))
            << "the focused row differs from the others";
        int lit = 0;
        for (int y = other.Top; y < other.Bottom; ++y) {
            for (int x = other.Left; x < other.Right; ++x) lit += *picture.PixelPtr(x, y) == 0xFFFFFFFF ? 1 : 0;
        }
        EXPECT_GT(lit, 20) << "the caption is written";
    }
}

TEST(GameMenuTest, ThePanelWidensForALongCaptionAndKeepsItInside) {
    TMenuModel model;
    model.Add("", "mmLoad", "ロード(&L)");
    TMenuItem& slot = model.Add("mmLoad", "mmSF1_0", "データなし(&Q)");
    TGameMenu menu(model);
    menu.Open();
    menu.Choose();
    const int narrow = menu.PanelRect().Width();
    slot.SetCaption("2026/12/10 09:15:49 12ターン 制圧10箇所 将軍10名(&Q)");
    const TRect panel = menu.PanelRect();
    EXPECT_GT(panel.Width(), narrow) << "the new caption is measured";
    EXPECT_LE(panel.Right, 800);

    TBitmap32 picture(800, 600);
    picture.Clear(0xFF000000);
    menu.Draw(picture);
    const TRect row = menu.RowRect(0);
    int rightmostText = 0;
    for (int y = row.Top + 2; y < row.Bottom - 2; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (*picture.PixelPtr(x, y) == 0xFFFFFFFF && x < row.Right - 2) rightmostText = std::max(rightmostText, x);
            if (x >= panel.Right) {
                EXPECT_EQ(*picture.PixelPtr(x, y), 0xFF000000u) << "nothing spills out at " << x;
            }
        }
    }
    EXPECT_GT(rightmostText, row.Left + 300) << "the whole caption is written";
}

}  // namespace
}  // namespace vandor
