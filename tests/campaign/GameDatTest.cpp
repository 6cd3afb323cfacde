#include "campaign/GameDat.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

namespace vandor {
namespace {

using Plane = std::vector<int32_t>;

Plane SavedCells(const TQTDGameDat& dat) {
    Plane cells;
    for (int row = 0; row < TQTDGameDat::kRows; ++row)
        for (int index = 0; index < TQTDGameDat::kIndexes; ++index) cells.push_back(dat.Raw(row, index));
    return cells;
}

class GameDatTest : public testing::Test {
protected:
    TCryptMaps Store;
    TQTDGameDat Dat{Store};
};

TEST_F(GameDatTest, CreationStartsTheFirstCycleWhateverThePlaneHeld) {
    for (int row = 0; row < TQTDGameDat::kRows; ++row)
        for (int index = 0; index < TQTDGameDat::kIndexes; ++index) Store.Set(row, TQTDGameDat::kPlane, index, 1);
    const TQTDGameDat dat(Store);

    EXPECT_EQ(dat.Turn(), 0);
    EXPECT_EQ(dat.Actions(), 2);
    EXPECT_TRUE(dat.HeroinePresent(1));
    EXPECT_TRUE(dat.IsGeneral(1));
    EXPECT_EQ(dat.GeneralCount(), 1);
    EXPECT_EQ(dat.ConqueredCount(), 0);
    EXPECT_EQ(dat.BestScore(), 0);
    EXPECT_FALSE(dat.ItemUnlockFlag() || dat.RouteItemFlag() || dat.RouteFlag());
    EXPECT_EQ(dat.Raw(7, 0), 0);  // no pass flags
    for (int h = 2; h <= 10; ++h) EXPECT_FALSE(dat.HeroinePresent(h)) << h;
    for (int h = 1; h <= 10; ++h) EXPECT_EQ(dat.Affection(h) | dat.Training(h), 0) << h;
    for (int a = 1; a <= 14; ++a) {
        EXPECT_EQ(dat.AreaStrength(a), TQTDGameDat::InitialStrength[a]) << a;
        EXPECT_EQ(dat.AreaProgress(a) | dat.AreaBattles(a), 0) << a;
    }
    for (int n = 1; n <= 64; ++n) EXPECT_FALSE(dat.HasItem(n)) << n;
}

TEST_F(GameDatTest, ValuesLiveInTheirCellsOfPlane31) {
    Dat.SetTurn(77);
    Dat.SetAffection(2, 9);
    Dat.SetRouteItemFlag(true);
    Dat.SetAreaBattles(7, 5);
    Dat.SetItem(64, true);
    Dat.SetBestScore(4321);
    const int cells[][3] = {{1, 0, 77}, {1, 2, 9}, {4, 0, 1}, {6, 7, 5}, {7, 64, 1}, {3, 1, 4321}};
    for (const auto& cell : cells) EXPECT_EQ(Store.Get(cell[0], 31, cell[1]), cell[2]) << cell[0] << "," << cell[1];

    // Rows beyond the campaign's eight belong to the battle.
    Store.Set(8, 31, 0, 5);
    Dat.SetRaw(9, 0, 6);
    EXPECT_EQ(Dat.Raw(8, 0), 0);
    EXPECT_EQ(Store.Get(9, 31, 0), 0);
}

TEST_F(GameDatTest, FlagsHoldOnlyWhenTheCellIsExactlyOne) {
    Dat.SetItem(3, true);
    Dat.SetHeroinePresent(5, true);
    EXPECT_EQ(Dat.Raw(7, 3), 1);
    for (int32_t junk : {2, -1}) {
        for (const auto& cell : {std::pair{7, 3}, {0, 5}, {3, 0}, {4, 0}, {5, 0}})
            Dat.SetRaw(cell.first, cell.second, junk);
        EXPECT_FALSE(Dat.HasItem(3) || Dat.HeroinePresent(5) || Dat.ItemUnlockFlag() || Dat.RouteItemFlag() ||
                     Dat.RouteFlag())
            << junk;
    }
    Dat.SetRaw(7, 3, 1);
    Dat.SetItem(3, false);
    EXPECT_EQ(Dat.Raw(7, 3), 0);
}

TEST_F(GameDatTest, PassFlagsOutsideOneToElevenShareTheLowestBit) {
    Dat.SetItem(1, true);
    Dat.SetPassFlag(0, true);
    EXPECT_TRUE(Dat.PassFlag(12));
    EXPECT_TRUE(Dat.PassFlag(-7));
    EXPECT_FALSE(Dat.PassFlag(3));

    Dat.SetPassFlag(3, true);
    Dat.SetPassFlag(11, true);
    EXPECT_EQ(Dat.Raw(7, 0), 1 | 8 | 2048);
    Dat.SetPassFlag(12, false);
    EXPECT_FALSE(Dat.PassFlag(0));
    EXPECT_TRUE(Dat.PassFlag(3));
    EXPECT_FALSE(Dat.PassFlag(1) || Dat.PassFlag(2) || Dat.PassFlag(4));
    EXPECT_TRUE(Dat.HasItem(1));
}

TEST_F(GameDatTest, NewCycleKeepsItemsAndBestScoreAndFullResetClearsThem) {
    Dat.SetTurn(40);
    Dat.SetActions(0);
    Dat.SetHeroinePresent(1, false);
    Dat.SetHeroinePresent(8, true);
    Dat.SetAffection(8, 15);
    Dat.SetRouteFlag(true);
    Dat.SetPassFlag(5, true);
    Dat.SetAreaStrength(2, 0);
    Dat.SetAreaBattles(9, 2);
    Dat.SetItem(13, true);
    Dat.SetItem(64, true);
    Dat.SetBestScore(98765);

    Dat.ResetCycle();
    EXPECT_EQ(Dat.Turn(), 0);
    EXPECT_EQ(Dat.Actions(), 2);
    EXPECT_TRUE(Dat.HeroinePresent(1));
    EXPECT_FALSE(Dat.HeroinePresent(8));
    EXPECT_EQ(Dat.Affection(8) | Dat.AreaBattles(9), 0);
    EXPECT_FALSE(Dat.RouteFlag() || Dat.PassFlag(5));
    EXPECT_EQ(Dat.AreaStrength(2), 4);
    EXPECT_TRUE(Dat.HasItem(13) && Dat.HasItem(64));
    EXPECT_EQ(Dat.BestScore(), 98765);

    Dat.ResetAll();
    EXPECT_FALSE(Dat.HasItem(13) || Dat.HasItem(64));
    EXPECT_EQ(Dat.BestScore(), 0);
}

TEST_F(GameDatTest, LoadingClampsAndDerivesStrengthFromBattlesFought) {
    Dat.SetAreaStrength(8, 7);
    Dat.SetAreaBattles(8, 3);
    Dat.SetAreaStrength(2, 0);  // a save cannot claim a conquest without the battles
    Dat.SetAreaBattles(5, 9);
    Dat.SetAreaBattles(6, -1);
    Dat.SetAreaBattles(7, INT32_MIN);
    Dat.SetActions(0);
    Dat.SetTurn(10000);
    Dat.SetAffection(3, 25);
    Dat.SetTraining(10, -4);
    Dat.ValidateAfterLoad();

    EXPECT_EQ(Dat.AreaStrength(8), 4);
    EXPECT_EQ(Dat.AreaStrength(2), 4);
    EXPECT_EQ(Dat.AreaStrength(5), 0);
    EXPECT_EQ(Dat.AreaStrength(6), 2);
    EXPECT_GE(Dat.AreaStrength(7), 0);
    EXPECT_LE(Dat.AreaStrength(7), 6);
    EXPECT_EQ(Dat.Actions(), 1);
    EXPECT_EQ(Dat.Turn(), 9999);
    EXPECT_EQ(Dat.Affection(3), 20);
    EXPECT_EQ(Dat.Training(10), 0);

    Dat.SetAreaBattles(8, 9);
    Dat.SetActions(12);
    Dat.SetTurn(-3);
    Dat.ValidateAfterLoad();
    EXPECT_EQ(Dat.AreaStrength(8), 0);
    EXPECT_EQ(Dat.Actions(), 9);
    EXPECT_EQ(Dat.Turn(), 0);
}

TEST_F(GameDatTest, BestScoreSurvivesASaveUnlessAnyOfItsCellsWasEdited) {
    for (int32_t score : {0, 1, 5000, INT32_MAX}) {
        Dat.SetBestScore(score);
        const Plane saved = SavedCells(Dat);

        // Another run, with store keys of its own, reads the same save.
        TCryptMaps otherStore;
        TQTDGameDat loaded(otherStore);
        for (int row = 0; row < TQTDGameDat::kRows; ++row)
            for (int index = 0; index < TQTDGameDat::kIndexes; ++index)
                loaded.SetRaw(row, index, saved[row * TQTDGameDat::kIndexes + index]);
        loaded.ValidateAfterLoad();
        EXPECT_EQ(loaded.BestScore(), score);

        for (int index = 1; index <= 6; ++index) {
            loaded.SetBestScore(score);
            loaded.SetRaw(3, index, loaded.Raw(3, index) ^ 1);
            loaded.ValidateAfterLoad();
            EXPECT_EQ(loaded.BestScore(), 0) << score << " edited at " << index;
        }
    }
}

TEST_F(GameDatTest, HeroinesLeadOnceTheyJoinedAndTheirAreaFell) {
    struct TCase {
        int Heroine;
        int Area;  // 0: needs no area
    };
    const TCase generals[] = {{1, 0}, {2, 3}, {3, 9}, {4, 10}, {5, 5}, {6, 0}, {7, 4}, {8, 11}};
    for (const TCase& c : generals) {
        Dat.ResetAll();
        Dat.SetHeroinePresent(1, false);
        for (int a = 1; a <= 14; ++a) Dat.SetAreaStrength(a, a == c.Area ? 1 : 0);
        EXPECT_FALSE(Dat.IsGeneral(c.Heroine)) << c.Heroine << " absent";
        Dat.SetHeroinePresent(c.Heroine, true);
        EXPECT_EQ(Dat.IsGeneral(c.Heroine), c.Area == 0) << c.Heroine << " before her area fell";
        if (c.Area != 0) Dat.SetAreaStrength(c.Area, 0);
        EXPECT_TRUE(Dat.IsGeneral(c.Heroine)) << c.Heroine;
        EXPECT_EQ(Dat.GeneralCount(), 1);
    }

    for (int a = 1; a <= 14; ++a) Dat.SetAreaStrength(a, 0);
    for (int h = 0; h <= 12; ++h) Dat.SetHeroinePresent(h, true);
    EXPECT_FALSE(Dat.IsGeneral(9) || Dat.IsGeneral(10) || Dat.IsGeneral(0) || Dat.IsGeneral(11));
    EXPECT_EQ(Dat.GeneralCount(), 8);
    EXPECT_EQ(Dat.ConqueredCount(), 14);
    Dat.SetAreaStrength(6, -1);
    Dat.SetAreaStrength(7, 2);
    EXPECT_EQ(Dat.ConqueredCount(), 13);
}

TEST_F(GameDatTest, NumbersBeyondTheSavedRangeNeverTouchIt) {
    const Plane before = SavedCells(Dat);
    Dat.SetAffection(100, 5);
    Dat.SetItem(127, true);
    Dat.SetAreaStrength(65, 3);
    Dat.SetItem(200, true);
    Dat.SetHeroinePresent(-2, true);
    Dat.SetTraining(INT_MAX, 7);
    EXPECT_EQ(SavedCells(Dat), before);
    EXPECT_EQ(Dat.Affection(100), 5);
    EXPECT_TRUE(Dat.HasItem(127));
    EXPECT_FALSE(Dat.HasItem(200) || Dat.HeroinePresent(-2));
    EXPECT_EQ(Dat.Training(INT_MAX), 0);
}

}  // namespace
}  // namespace vandor
