#pragma once
// The campaign state: turn and actions, the heroines who have joined with their
// affection and training, each area's strength, story progress and battles, the owned
// items, the route and pass flags and the best battle score.
//
// Nothing is kept in fields: every value is a cell of the plane y = 31 of the battle's
// protected store, row = x (0..7), index = z (0..64), so that the save slots can write
// the plane cell by cell and the values are as hard to tamper with as the battle's.
//
//   row 0  1..10  heroine present (flag)
//   row 1  0      Turn;              1..10  affection
//   row 2  0      Actions;           1..10  training
//   row 3  0      item unlock flag;  1..6   best score with its redundant forms
//   row 4  0      route item flag;   1..14  area strength (0 = conquered)
//   row 5  0      route flag;        1..14  area progress
//   row 6                            1..14  battles fought in the area
//   row 7  0      pass flags (bits); 1..64  item owned (flag)
//
// A flag is set only when its cell holds exactly 1. Heroine, area and item numbers are
// not bounded: numbers beyond 64 address cells outside the saved range, and the store
// ignores those outside its box.

#include <array>
#include <cstdint>

#include "campaign/CryptMaps.h"

namespace vandor {

class TQTDGameDat {
public:
    static constexpr int kPlane = 31, kRows = 8, kIndexes = 65;
    static constexpr int kHeroines = 10, kAreas = 14, kItems = 64;
    // The strength of each area after a reset; index 0 is unused.
    static constexpr std::array<int32_t, 15> InitialStrength{0, 1, 4, 5, 4, 5, 2, 6, 7, 6, 5, 3, 7, 7, 7};

    // Runs ResetAll.
    explicit TQTDGameDat(TCryptMaps& store);

    // A new cycle that keeps the owned items and the best score.
    void ResetCycle();
    // ResetCycle, and the best score and every item gone as well.
    void ResetAll();
    // After a save slot has been read: clamps what the commands keep in range, derives
    // the area strengths again from the battles fought and drops a best score whose
    // forms disagree.
    void ValidateAfterLoad();

    // Plain cell access for the save slots; rows outside 0..7 read 0 and ignore writes,
    // so the rest of the plane, which the battle owns, stays untouched.
    int32_t Raw(int row, int index) const;
    void SetRaw(int row, int index, int32_t value);

    int32_t Turn() const;
    void SetTurn(int32_t v);
    int32_t Actions() const;
    void SetActions(int32_t v);

    bool HeroinePresent(int h) const;
    void SetHeroinePresent(int h, bool on);
    int32_t Affection(int h) const;
    void SetAffection(int h, int32_t v);
    int32_t Training(int h) const;
    void SetTraining(int h, int32_t v);

    bool ItemUnlockFlag() const;
    void SetItemUnlockFlag(bool on);
    bool RouteItemFlag() const;
    void SetRouteItemFlag(bool on);
    bool RouteFlag() const;
    void SetRouteFlag(bool on);

    int32_t AreaStrength(int a) const;
    void SetAreaStrength(int a, int32_t v);
    int32_t AreaProgress(int a) const;
    void SetAreaProgress(int a, int32_t v);
    int32_t AreaBattles(int a) const;
    void SetAreaBattles(int a, int32_t v);

    bool HasItem(int n) const;
    void SetItem(int n, bool owned);

    // Bit 2^n of the pass-flag cell for n = 1..11; any other n uses the bit of value 1.
    bool PassFlag(int n) const;
    void SetPassFlag(int n, bool on);

    int32_t BestScore() const;
    // Writes the redundant forms too.
    void SetBestScore(int32_t v);

    // Areas 1..14 whose strength is 0 or less.
    int ConqueredCount() const;
    // A heroine who has joined and, for most of them, whose area has been conquered.
    bool IsGeneral(int h) const;
    int GeneralCount() const;

private:
    static constexpr int kRowPresent = 0;
    static constexpr int kRowAffection = 1;  // index 0: Turn
    static constexpr int kRowTraining = 2;   // index 0: Actions
    static constexpr int kRowScore = 3;      // index 0: ItemUnlockFlag
    static constexpr int kRowStrength = 4;   // index 0: RouteItemFlag
    static constexpr int kRowProgress = 5;   // index 0: RouteFlag
    static constexpr int kRowBattles = 6;
    static constexpr int kRowItems = 7;  // index 0: pass flags

    bool Flag(int row, int index) const { return Raw(row, index) == 1; }
    void SetFlag(int row, int index, bool on) { SetRaw(row, index, on ? 1 : 0); }
    bool BestScoreFormsAgree() const;

    TCryptMaps& Store_;
};

}  // namespace vandor
