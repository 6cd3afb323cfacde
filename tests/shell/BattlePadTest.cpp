// A battle played with a controller or the keys: the cursor on the field, the build
// buttons chosen with the shoulders, towers placed and selected with `a`, the pop-up's
// buttons focused with the d-pad, `b` backing out, and the start, fast and pause
// buttons. A tower placed so costs and logs exactly what one dragged by the mouse does.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "BattlePictures.h"
#include "MainWindowFixture.h"
#include "PageText.h"
#include "battle/QTDGame.h"
#include "scenario/NovelGame.h"
#include "shell/BattlePad.h"
#include "shell/BattleSession.h"

namespace vandor {
namespace {

using test::MainWindowTest;

class BattlePadTest : public MainWindowTest {
protected:
    // Area 1 with obstacles on (-6, -6) and (3, 3), and one enemy on (4, 0) from the
    // first tick: by default a weak one that the base's own shot kills.
    TQTDGame& StartBattle(int enemyHP = 5) {
        WriteScript("first.txt", story);
        EXPECT_TRUE(test::SaveBattlePointerPictures(exe + "scenario/"));
        WriteScript("st01.txt", "MAP_18_18=1\nMAP_27_27=2\n");
        WriteScript("bt01-00.txt", "WC=1\nWEC_00=1\nE_00_00_TM=0\nE_00_00_HP=" + std::to_string(enemyHP) +
                                       "\nE_00_00_MN=30\nE_00_00_PX=4\nE_00_00_PY=0\n");
        Start();
        TQTDGame& battle = window->Battle();
        battle.OnRecord = [this](const TBattleRecord& record) {
            records.push_back(std::to_string(record.Wave) + " " + std::to_string(record.Ticks) + " " +
                              std::to_string(record.Money) + " " + std::to_string(record.Score) + " " + record.Result);
        };
        Frames(3);
        EXPECT_TRUE(window->BattleSession().Running());
        // The area's title holds the battle for its first frames.
        for (int frame = 0; frame < 100 && battle.RefusesPresses(); ++frame) Frames(1);
        return battle;
    }
    const TBattlePad& Pad() { return window->BattleSession().Pad(); }
    void Press(const std::string& name, int times = 1) {
        for (int i = 0; i < times; ++i) {
            EXPECT_TRUE(window->BattleSession().PadButton(name, true)) << name;
            EXPECT_TRUE(window->BattleSession().PadButton(name, false)) << name;
        }
    }
    void Key(int key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            host.PressKey(key);
            host.ReleaseKey(key);
        }
    }
    TPoint Pointer() const { return {window->MouseX(), window->MouseY()}; }
    static TPoint Middle(const TLayerItem& layer) {
        const TRect& r = layer.DstRect();
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void Click(TPoint at) {
        host.MoveMouse(at.X, at.Y);
        host.PressButton(TMouseButton::mbLeft);
        host.ReleaseButton(TMouseButton::mbLeft);
        Frames(1);
    }
    // Starts the wave and plays until the battle ends.
    void PlayToTheEnd() {
        window->Battle().StartWave();
        for (int frame = 0; frame < 300 && !window->BattleSession().Ended(); ++frame) Frames(1);
        ASSERT_TRUE(window->BattleSession().Ended());
    }
    std::vector<int32_t> Ledger() {
        std::vector<int32_t> ledger;
        for (int row = 0; row < TQTDGame::kLedgerRows; ++row) {
            for (int wave = 0; wave <= window->Battle().WaveCount; ++wave) {
                ledger.push_back(window->Battle().Ledger(static_cast<TQTDGame::TLedgerRow>(row), wave));
            }
        }
        return ledger;
    }

    std::string story = "[戦闘開始/1]\n[クリック待]\n";
    std::vector<std::string> records;
};

TEST_F(BattlePadTest, TheCursorStartsOnTheBaseStepsOneCellAPressAndStaysInTheBuildingArea) {
    TQTDGame& battle = StartBattle();
    EXPECT_EQ(Pad().Cursor(), (TPoint{0, 0}));
    EXPECT_EQ(Pad().CursorLayer(), nullptr) << "nothing shows before the pad is used";

    // Up is y + 1, up-right on screen; the pointer rests on the tile's middle.
    Press("dpup");
    EXPECT_EQ(Pad().Cursor(), (TPoint{0, 1}));
    EXPECT_EQ(Pointer(), (TPoint{416, 244}));
    ASSERT_NE(Pad().CursorLayer(), nullptr);
    EXPECT_TRUE(Pad().CursorLayer()->Visible());
    Press("dpright");
    EXPECT_EQ(Pointer(), (TPoint{432, 252}));
    Key(vkDown);
    EXPECT_EQ(Pad().Cursor(), (TPoint{1, 0}));
    EXPECT_EQ(Pointer(), (TPoint{416, 260}));
    Key(vkLeft);
    EXPECT_EQ(Pad().Cursor(), (TPoint{0, 0}));
    EXPECT_EQ(Pointer(), (TPoint{400, 252}));
    Key(vkRight);
    Key(vkUp);
    EXPECT_EQ(Pad().Cursor(), (TPoint{1, 1}));

    // The edges of the building area hold it.
    Press("dpup", 12);
    EXPECT_EQ(Pad().Cursor(), (TPoint{1, 9}));
    EXPECT_EQ(battle.Hovered, (TPoint{1, 9})) << "the battle's hover finds the cell under the pointer";
    Press("dpleft", 12);
    EXPECT_EQ(Pad().Cursor(), (TPoint{-9, 9}));
    Key(vkDown, 20);
    EXPECT_EQ(Pad().Cursor(), (TPoint{-9, -9}));
    Key(vkRight, 20);
    EXPECT_EQ(Pad().Cursor(), (TPoint{9, -9}));
    EXPECT_EQ(Pointer(), (TPoint{400, 396}));
    EXPECT_EQ(battle.Hovered, (TPoint{9, -9}));
    Frames(1);
    const TRect& shown = Pad().CursorLayer()->DstRect();
    EXPECT_EQ((TPoint{(shown.Left + shown.Right) / 2, shown.Top}), (TPoint{400, 388})) << "drawn over the tile";

    // The cursor follows the mouse over the building area, not beyond.
    host.MoveMouse(464, 316);
    EXPECT_EQ(Pad().Cursor(), (TPoint{6, -2}));
    host.MoveMouse(468, 314);
    EXPECT_EQ(Pad().Cursor(), (TPoint{6, -2})) << "still within the same tile";
    host.MoveMouse(700, 560);
    EXPECT_EQ(Pad().Cursor(), (TPoint{6, -2}));
    Press("dpup");
    EXPECT_EQ(Pad().Cursor(), (TPoint{6, -1}));

    // Keys with Ctrl keep their own meaning; the controller's menu buttons are not the battle's.
    host.PressKey(vkControl);
    Key(vkUp);
    host.ReleaseKey(vkControl);
    EXPECT_EQ(Pad().Cursor(), (TPoint{6, -1}));
    EXPECT_FALSE(window->BattleSession().PadButton("start", true));
    EXPECT_FALSE(window->BattleSession().PadButton("guide", true));
}

TEST_F(BattlePadTest, TheShouldersPressTheBuildButtonsTheMoneyBuysInTurn) {
    TQTDGame& battle = StartBattle();
    ASSERT_EQ(battle.Money(), 550);
    // A tower of the kind 6 (300) with the mouse leaves 250: kinds 6 and 8 are then out of reach.
    Click(Middle(*battle.BuildButtons[6]));
    Click(TBattlePad::CellMiddle({-5, 5}));
    ASSERT_EQ(battle.Cell(-5, 5).Type, 6);
    ASSERT_EQ(battle.Money(), 250);
    ASSERT_FALSE(battle.BuildButtons[6]->Visible());
    ASSERT_FALSE(battle.BuildButtons[8]->Visible());
    Press("dpright", 7);
    ASSERT_EQ(Pad().Cursor(), (TPoint{2, 5})) << "from the mouse's last cell";

    const auto expectPlacing = [&](int type) {
        EXPECT_TRUE(battle.PlacementMode);
        EXPECT_EQ(battle.BuildType, type);
        ASSERT_NE(battle.Ghost, nullptr);
        EXPECT_EQ(battle.Ghost->Name(), "塔" + std::to_string(type) + ".png");
        EXPECT_TRUE(battle.Cell(0, 0).Marker->Visible()) << "the base square is marked";
        EXPECT_TRUE(battle.Cell(-5, 5).Marker->Visible()) << "and the tower";
        EXPECT_FALSE(battle.Cell(2, 5).Marker->Visible()) << "a free cell is not";
        EXPECT_EQ(Pointer(), TBattlePad::CellMiddle(Pad().Cursor())) << "the pointer is back on the cursor";
        const TProjection cell = TQTDGame::ProjectCell(2, 5);
        EXPECT_EQ((TPoint{battle.Ghost->Position.X, battle.Ghost->Position.Y}), (TPoint{cell.X, cell.Y}))
            << "the ghost of kind " << type << " stands on the cursor's cell";
    };
    Press("rightshoulder");
    expectPlacing(1);
    for (int type = 2; type <= 5; ++type) {
        Press("rightshoulder");
        expectPlacing(type);
    }
    Press("rightshoulder");
    expectPlacing(7);
    Key('E');
    expectPlacing(1);
    Key('Q');
    expectPlacing(7);
    Press("leftshoulder");
    expectPlacing(5);

    // Without a kind being placed, the left shoulder starts from the last.
    Press("b");
    EXPECT_FALSE(battle.PlacementMode);
    Press("leftshoulder");
    expectPlacing(7);
}

TEST_F(BattlePadTest, ATowerPlacedByThePadOrTheKeysCostsAndLogsAsOneDraggedByTheMouse) {
    // The bow tower (kind 2) on (-5, 5), then the wave; each way in a game of its own.
    const auto play = [&](const std::function<void(TQTDGame&)>& place) {
        records.clear();
        TQTDGame& battle = StartBattle();
        place(battle);
        Frames(1);
        EXPECT_EQ(battle.Cell(-5, 5).Type, 2);
        EXPECT_EQ(battle.Ledger(TQTDGame::lrSpending, 0), 80);
        EXPECT_FALSE(battle.PlacementMode);
        PlayToTheEnd();
        std::vector<int32_t> ledger = Ledger();
        Stop();
        return std::pair{ledger, records};
    };
    const auto dragged = play([&](TQTDGame& battle) {
        const TPoint button = Middle(*battle.BuildButtons[2]);
        host.MoveMouse(button.X, button.Y);
        host.PressButton(TMouseButton::mbLeft);
        for (const TPoint cell : {TPoint{-2, 2}, TPoint{-4, 4}, TPoint{-5, 5}}) {
            const TPoint at = TBattlePad::CellMiddle(cell);
            host.MoveMouse(at.X, at.Y);
        }
        host.ReleaseButton(TMouseButton::mbLeft);
    });
    ASSERT_EQ(dragged.second.size(), 1u);
    EXPECT_EQ(dragged.second[0], "1 16 600 4660 won") << "550 + 30 - 80 + 100; 30 + (100 + 600 div 20) + 72000 div 16";

    const auto padded = play([&](TQTDGame& battle) {
        Press("rightshoulder", 2);
        Press("a");  // on the base: nothing
        EXPECT_TRUE(battle.PlacementMode);
        EXPECT_EQ(battle.Ledger(TQTDGame::lrSpending, 0), 0);
        Press("dpup", 5);
        Press("dpleft", 5);
        Press("a");
    });
    EXPECT_EQ(padded, dragged);

    const auto keyed = play([&](TQTDGame&) {
        Key(vkUp, 5);
        Key(vkLeft, 5);
        Key('E', 2);
        Key(vkReturn);
    });
    EXPECT_EQ(keyed, dragged);
}

TEST_F(BattlePadTest, APressOfAWithNothingToPlaceOpensThePopUpWhoseButtonsUpAndDownFocus) {
    TQTDGame& battle = StartBattle();
    Press("dpright", 2);
    Press("rightshoulder");
    Press("a");
    ASSERT_EQ(battle.Cell(2, 0).Type, 1);

    // `a` now selects the new tower; its pop-up opens with the next frame.
    Press("a");
    Frames(1);
    ASSERT_EQ(battle.PopUpCell, (TPoint{2, 0}));
    ASSERT_TRUE(battle.PopUpFrame->Visible());
    const auto button = [&](int j) { return Middle(*battle.PopUpButtons[static_cast<std::size_t>(j)]); };
    Press("dpdown");
    EXPECT_EQ(Pointer(), button(0)) << "the first press focuses the first button";
    EXPECT_TRUE(battle.HoverLevelUp) << "the pointer is on it as the mouse's would be";
    Press("dpdown");
    EXPECT_EQ(Pointer(), button(1));
    Key(vkDown);
    EXPECT_EQ(Pointer(), button(2));
    Key(vkDown);
    EXPECT_EQ(Pointer(), button(0)) << "wrapping";
    Press("dpup");
    EXPECT_EQ(Pointer(), button(2));
    Press("dpup", 2);
    EXPECT_EQ(Pointer(), button(0));
    EXPECT_EQ(Pad().Cursor(), (TPoint{2, 0})) << "up and down belong to the pop-up while it is open";

    // `a` presses the focused button: level 2 for 20.
    Press("a");
    Frames(1);
    EXPECT_EQ(battle.Cell(2, 0).Level, 2);
    EXPECT_EQ(battle.Ledger(TQTDGame::lrSpending, 0), 20 + 20);
    EXPECT_TRUE(battle.PopUpFrame->Visible());

    // `b` closes it, and up and down move the cursor again.
    Press("b");
    Frames(1);
    EXPECT_EQ(battle.Selected.X, TQTDGame::kNoCell);
    EXPECT_FALSE(battle.PopUpFrame->Visible());
    Press("dpup");
    EXPECT_EQ(Pad().Cursor(), (TPoint{2, 1}));

    // The base's pop-up has no remove button: the focus turns over two.
    Press("dpleft", 2);
    Press("dpdown");
    Key(vkReturn);
    Frames(1);
    ASSERT_EQ(battle.PopUpCell, (TPoint{0, 0}));
    Press("dpdown");
    EXPECT_EQ(Pointer(), button(0));
    Press("dpdown", 2);
    EXPECT_EQ(Pointer(), button(0));
    Press("dpup");
    EXPECT_EQ(Pointer(), button(1));

    // The remove button of the tower, through the keys; moving the cursor away first
    // drops the focus.
    Key(vkBack);
    Frames(1);
    Press("dpright", 2);
    Key(vkReturn);
    Frames(1);
    ASSERT_EQ(battle.PopUpCell, (TPoint{2, 0}));
    Key(vkUp);
    Key(vkUp);
    EXPECT_EQ(Pointer(), button(2));
    Key(vkReturn);
    Frames(1);
    EXPECT_EQ(battle.Cell(2, 0).Building, nullptr);
    EXPECT_EQ(battle.Money(), 550) << "removed in its own preparation: the whole cost back";
}

TEST_F(BattlePadTest, BLeavesPlacementAndXYAndBackPressTheWaveButtons) {
    TQTDGame& battle = StartBattle(1000000);
    Press("leftshoulder");
    ASSERT_TRUE(battle.PlacementMode);
    Press("x");
    EXPECT_TRUE(battle.Prep) << "the start button does nothing while placing";
    Key(vkBack);
    EXPECT_FALSE(battle.PlacementMode);
    EXPECT_EQ(battle.Ghost, nullptr);
    Press("b");  // nothing left to leave
    EXPECT_FALSE(battle.PlacementMode);

    Key('S');
    EXPECT_FALSE(battle.Prep) << "the wave runs";
    for (int frame = 0; frame < 100 && battle.RefusesPresses(); ++frame) Frames(1);
    Press("y");
    EXPECT_EQ(battle.Speed, TQTDGame::kFastSpeed);
    Press("back");
    EXPECT_EQ(battle.Speed, -TQTDGame::kFastSpeed);
    EXPECT_TRUE(battle.StartButton->Visible());
    Key('F');
    EXPECT_EQ(battle.Speed, 1) << "fast again from a pause is normal speed, still shown as running";
    Key('P');
    EXPECT_EQ(battle.Speed, -1);
    Press("x");
    EXPECT_EQ(battle.Speed, 1) << "the start button resumes";
}

// The window types Enter as a character too, after the key: once Enter has left an
// ended battle, that character must not also turn the story's page behind it.
TEST_F(BattlePadTest, TheEnterThatLeavesAnEndedBattleIsNotAlsoTheStorys) {
    const std::string text = "さしすせそたちつてと";
    story = "[戦闘開始/1]" + text + "\n\n二頁目\n";
    StartBattle();
    PlayToTheEnd();
    host.PressKey(vkReturn);
    host.TypeCharacter(vkReturn);
    host.ReleaseKey(vkReturn);
    ASSERT_FALSE(window->BattleSession().Running());
    Frames(1);
    EXPECT_NE(test::PageText(window->Engine().Store()), text) << "the page was finished at once";

    // Typed later, Enter is the story's again.
    host.TypeCharacter(vkReturn);
    Frames(1);
    EXPECT_EQ(test::PageText(window->Engine().Store()), text);
}

}  // namespace
}  // namespace vandor
