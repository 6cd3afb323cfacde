// The field: coordinates and projection, cell tags, the layers of the ground, the
// base and its walls, the map file's obstacles and walking distances.

#include "battle/QTDGame.h"
#include "util/Encoding.h"
#include "util/Format.h"

namespace vandor {
namespace {

constexpr int kGroundZ = 512;
constexpr int kMarkerZ = -256;
constexpr int kBuildingZ = -48;
constexpr int kTileWidth = 32;
constexpr int kTileHeight = 16;
constexpr TRect kMarkerFrame{64, 0, 96, 16};
constexpr TRect kBaseFrame{0, 0, 48, 46};
constexpr const char* kBasePicture = "城.png";
constexpr const char* kWallPicture = "城壁.png";
constexpr const char* kGroundPicture = "地面.png";

struct TWallPiece {
    int X, Y;
    TRect Frame;
};
constexpr std::array<TWallPiece, 8> kWalls{{
    {-1, 0, {64, 0, 96, 32}},
    {0, 1, {96, 0, 128, 32}},
    {1, 0, {128, 0, 160, 32}},
    {0, -1, {160, 0, 192, 32}},
    {1, -1, {4, 0, 28, 32}},
    {-1, 1, {4, 0, 28, 32}},
    {-1, -1, {32, 0, 56, 32}},
    {1, 1, {40, 0, 64, 32}},
}};

void SetFrame(TLayerItem& layer, const TRect& frame) {
    layer.SetSize(frame.Width(), frame.Height());
    layer.SrcRect = frame;
    layer.Invalidate();
}

}  // namespace

TPoint TQTDGame::CellOfTag(int tag) {
    const int v = tag - CellTag(-kGrid, -kGrid);
    return {(v % 10000) / 100 - kGrid, v / 10000 - kGrid};
}

void TQTDGame::InitCells() {
    for (int x = -kGrid; x <= kGrid; ++x) {
        for (int y = -kGrid; y <= kGrid; ++y) {
            TCell& cell = Cell(x, y);
            cell.FX = (x + kGrid) * kCellUnit;
            cell.FY = (y + kGrid) * kCellUnit;
        }
    }
    TCell& base = Cell(0, 0);
    base.Type = 0;
    base.Level = 1;
}

void TQTDGame::CreateField() {
    TLayerItem& background = AddPicture("bgi戦闘.png", kAnchorTopLeft, 16);
    background.SetPosition(0, 0, 99999);

    const bool ground = PictureExists(kGroundPicture);
    for (int y = -kDrawn; y <= kDrawn; ++y) {
        for (int x = -kDrawn; x <= kDrawn; ++x) {
            TCell& cell = Cell(x, y);
            cell.Ground = &AddPicture(kGroundPicture, kAnchorBottomCentre, 1, ground);
            cell.Ground->Tag = CellTag(x, y);
            ListenToCell(*cell.Ground, true);
            SetFrame(*cell.Ground, {0, 0, kTileWidth, kTileHeight});
            cell.Marker = &AddPicture(kGroundPicture, kAnchorBottomCentre, 1, ground);
            cell.Marker->Tag = CellTag(x, y) + 1;
            SetFrame(*cell.Marker, kMarkerFrame);
            cell.Marker->SetVisible(false);
        }
    }

    TCell& base = Cell(0, 0);
    base.Building = &AddPicture(kBasePicture, kAnchorBottomCentre, 16);
    base.Building->Tag = CellTag(0, 0);
    ListenToCell(*base.Building, true);
    SetFrame(*base.Building, kBaseFrame);
    for (const TWallPiece& piece : kWalls) {
        TCell& cell = Cell(piece.X, piece.Y);
        cell.Building = &AddPicture(kWallPicture, kAnchorBottomCentre, 16);
        cell.Building->Tag = CellTag(0, 0);
        ListenToCell(*cell.Building, true);
        SetFrame(*cell.Building, piece.Frame);
    }
    PlaceFieldLayers();
}

// The map of the area: obstacles of this battle replace the towers and obstacles of
// the last one, while the base and its walls stay.
void TQTDGame::LoadMap() {
    FileLines.Load(Services_.Files, Format("st%.2d.txt", Field));
    const TRect ground{kTileWidth * GroundColumn_, 0, kTileWidth * GroundColumn_ + kTileWidth, kTileHeight};
    for (int y = -kDrawn; y <= kDrawn; ++y) {
        for (int x = -kDrawn; x <= kDrawn; ++x) {
            TCell& cell = Cell(x, y);
            SetFrame(*cell.Ground, ground);
            if (cell.Building && cell.Building->Name() == AsciiLower(kBasePicture)) {
                cell.Level = 1;
                cell.LevelAtWaveStart = 1;
                cell.Bonus = 0;
            } else if (cell.Building && cell.Building->Name() != AsciiLower(kWallPicture)) {
                Layers.Remove(*cell.Building);
                cell.Building = nullptr;
                cell.Type = -1;
                cell.Level = 0;
                cell.Bonus = 0;
            }
            const int chip = FileLines.ReadInt(Format("MAP_%d_%d", x + kGrid, y + kGrid), -1);
            // The base and its walls keep their cells: an obstacle there would orphan them.
            if (chip < 0 || InBaseSquare(x, y)) continue;
            TLayerItem& obstacle = AddPicture("マップチップ.png", kAnchorBottomCentre, kHitNever);
            obstacle.Tag = CellTag(x, y);
            const int left = 32 * (chip % 16);
            const int top = 32 * (chip / 16);
            SetFrame(obstacle, {left, top, left + 32, top + 32});
            PlaceAt(obstacle, ProjectCell(x, y), kBuildingZ);
            cell.Building = &obstacle;
            cell.Type = -1;
            cell.Level = -1;
        }
    }
}

void TQTDGame::PlaceFieldLayers() {
    for (int y = -kDrawn; y <= kDrawn; ++y) {
        for (int x = -kDrawn; x <= kDrawn; ++x) {
            const TCell& cell = Cell(x, y);
            const TProjection point = ProjectCell(x, y);
            PlaceAt(*cell.Ground, point, kGroundZ);
            PlaceAt(*cell.Marker, point, kMarkerZ);
            if (cell.Building) PlaceAt(*cell.Building, point, kBuildingZ);
        }
    }
    SetFrame(*Cell(0, 0).Building, kBaseFrame);
}

void TQTDGame::ComputeDistances(int bx, int by) { Distances_.Compute(OccupiedCells(), bx, by); }

TDistanceField::TOccupied TQTDGame::OccupiedCells() const {
    TDistanceField::TOccupied occupied{};
    for (int y = -kTowerRegion; y <= kTowerRegion; ++y) {
        for (int x = -kTowerRegion; x <= kTowerRegion; ++x) {
            const std::size_t i = static_cast<std::size_t>(TDistanceField::Index(x, y));
            occupied[i] = Cells_[i].Building != nullptr;
        }
    }
    return occupied;
}

}  // namespace vandor
