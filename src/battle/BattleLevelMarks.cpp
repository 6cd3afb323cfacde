// The level marks joined to the field: every building with a level, the base and the
// towers, gets the mark of its level; every other cell, none.

#include "battle/QTDGame.h"

namespace vandor {

void TQTDGame::ShowLevelMarks(bool on) {
    LevelMarks_.SetOn(on);
    PlaceLevelMarks();
}

void TQTDGame::PlaceLevelMarks() {
    // Without a field yet, the marks come with it (EnsureScene).
    if (!LevelMarks_.On() || !SceneMade_) return;
    for (int y = -kTowerRegion; y <= kTowerRegion; ++y) {
        for (int x = -kTowerRegion; x <= kTowerRegion; ++x) {
            const TCell& cell = Cell(x, y);
            const bool built = cell.Building && cell.Type >= 0;
            const TProjection foot = ProjectCell(x, y);
            LevelMarks_.Show(TDistanceField::Index(x, y), built ? cell.Level : 0, {foot.X, foot.Y});
        }
    }
}

}  // namespace vandor
