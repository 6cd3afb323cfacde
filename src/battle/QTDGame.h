#pragma once
// TQTDGame: the tower-defence battle. One object lives as long as the program and
// plays every battle of the campaign: the shell calls StartBattle through the battle
// command, then Update once a frame and the mouse handlers while the battle is its
// active mode, and presents the battle's own layer list.
//
// The rules are integer rules and run exactly as written, in the order written. Where
// each family of them lives:
//   QTDGame.cpp          construction, StartBattle, the frame (Update) and the tick,
//                        the value store and the ledger, captions, PlayEffect
//   BattleField.cpp      coordinates, projection, cell tags, the field's layers, the map
//                        file, walking distances
//   BattleWaves.cpp      waves: preparation, start, spawning, walking, poison and
//                        slowing, contact with the base, wipe, death and rewards, the
//                        end of a wave and of the battle
//   BattleTowers.cpp     tower statistics, targeting, shots and their flight, splash,
//                        debris, the prayer bonus, building, raising, cancelling and
//                        removing, cut-ins and voices
//   BattleInterface.cpp  the interface's layers, the buttons and their events, mouse
//                        presses and releases
//   BattlePlacement.cpp  the pointer over the field: hover, selection, placement mode
//                        with its markers and ghost, the range marker
//   BattlePanels.cpp     the panels' texts, the gauge, the enemy banner, the portrait
//   BattleTables.h       the constant tables (costs, ranges, speeds, attacks, names)
//   BattleFile.h         map and wave files: key=value lines
//   DistanceField.h      the pass-by-pass relaxation of walking distances
//   PlacementCheck.h     the same, for every free cell placement mode tests at once
//   LayerArrow.h         TQTDLayerArrow, the layer of a shot or a particle of debris
//   LevelMarks.h         the player's option that marks each tower's level with pips
// The simulation files touch layers only to place, show and remove them.
//
// All battle state lives in fixed arrays; a tick allocates nothing but the layers of
// new shots and debris. Money and score are never kept: they are sums over the
// ledger in the protected store, made whenever they are read.

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "battle/BattleFile.h"
#include "battle/BattleTables.h"
#include "battle/DistanceField.h"
#include "battle/LevelMarks.h"
#include "battle/PlacementCheck.h"
#include "campaign/CryptMaps.h"
#include "compositor/GameMode.h"
#include "compositor/LayerList.h"
#include "util/Random.h"

namespace vandor {

class IPictureSource;
class TFileCache;
class TLayerButton;
class TQTDGameDat;
class TQTDLayerArrow;
class TSoundPlayer;

// What the battle draws with, reads its files from and plays through; all outlive it.
// Random numbers (debris, voice choice) come from the program's one seeded generator,
// so that a replay repeats bit for bit.
struct TBattleServices {
    IPictureSource& Pictures;
    TFileCache& Files;
    TSoundPlayer& Sound;
    std::mt19937& Random;
};

// One line of the battle log: a wave closed or a battle lost.
struct TBattleRecord {
    int Area = 0;
    int Wave = 0;
    int Ticks = 0;
    int Money = 0;
    int Score = 0;
    int BaseHP = 0;
    int EnemiesLeft = 0;
    std::string Result;  // "cleared", "won" or "lost"
};

// A point on the screen with the depth its layers are sorted by.
struct TProjection {
    int X = 0;
    int Y = 0;
    int Z = 0;
};

class TQTDGame : public IGameMode {
public:
    static constexpr int kGrid = TDistanceField::kReach;              // cells -24..24
    static constexpr int kDrawn = 13;                                 // the field drawn: -13..13
    static constexpr int kTowerRegion = TDistanceField::kPathRegion;  // -10..10
    static constexpr int kBuildArea = 9;                              // towers stand within -9..9
    static constexpr int kCellUnit = 1024;                            // field units per cell
    static constexpr int kGridOrigin = kGrid * kCellUnit;             // grid-based minus centred
    static constexpr int kMaxEnemies = 128;
    static constexpr int kMaxProjectiles = 4096;
    static constexpr int kLedgerWaves = 61;  // wave indexes 0..60
    static constexpr int kMaxWaves = 60;
    static constexpr int kFastSpeed = 16;
    static constexpr int kNoCell = -1024;       // Selected.X of no selection
    static constexpr int kWipeMarker = 123456;  // an enemy of this HP wipes the field

    // Ledger rows, one value per wave index.
    enum TLedgerRow { lrIncome, lrRewards, lrRefunds, lrSpending, lrWaveBonus, lrTimeBonus, kLedgerRows };
    // Tower statistic rows of the store, at (row, level, type).
    enum TStatRow { srCost = 0, srAttack = 1, srRange = 2, srReload = 3, srTotalCost = 5 };

    struct TCell {
        int32_t Type = -1;  // -1 none (also walls and obstacles), 0 the base, 1..8 a tower
        int32_t Bonus = 0;  // prayer bonus in percent
        int32_t Cooldown = 0;
        int32_t BuiltInWave = -1;
        int32_t Level = 0;  // 1..5 base and towers, 0 none, -1 an obstacle
        int32_t LevelAtWaveStart = 0;
        int32_t FX = 0;
        int32_t FY = 0;
        TLayerItem* Building = nullptr;
        TLayerItem* Ground = nullptr;
        TLayerItem* Marker = nullptr;

        // Raised in this preparation, so the raises can be taken back.
        bool CanCancelUpgrades() const { return Level != LevelAtWaveStart && LevelAtWaveStart >= 1; }
    };

    struct TEnemy {
        int32_t CX = 0, CY = 0;  // the cell it stands on or is leaving
        int32_t NX = 0, NY = 0;  // the cell it walks to
        int32_t DX = 0, DY = 0;  // the step
        int32_t FX = 0, FY = 0;  // grid-based field coordinates
        int32_t Dir = -1;        // 3 (DY + 1) + DX + 2, like a numeric keypad; -1 idle
        int32_t StepLength = 0;
        int32_t StepLeft = 0;
        int32_t Pace = 10;
        int32_t HP = -1;  // alive while above 0
        int32_t MaxHP = 1;
        int32_t Pending = 0;  // damage of the shots flying at it
        int32_t Poison = 0;
        int32_t Slow = 0;
        int32_t Reward = 0;
        TLayerItem* Sprite = nullptr;  // one frame of its sheet in size
    };

    struct TVector {
        int32_t X = 0, Y = 0, Z = 0;
    };

    struct TProjectile {
        TVector Pos;  // grid-based; Z the height above the ground
        TVector Vel;
        TQTDLayerArrow* Layer = nullptr;  // none: the record is free
        int32_t Kind = -1;                // the type that fired it, -1 debris
        int32_t Target = 0;
        int32_t Damage = 0;
        int32_t Life = 0;
    };

    struct TPanelMarks {
        bool Status = false, Info = false, Durability = false, Money = false, Score = false, PopUp = false;
        void All() { Status = Info = Durability = Money = Score = true; }
    };

    explicit TQTDGame(TBattleServices services);
    ~TQTDGame() override;
    TQTDGame(const TQTDGame&) = delete;
    TQTDGame& operator=(const TQTDGame&) = delete;

    // --- the shell's side
    // Sets up a battle on `area` against the enemies of `strength`: 0 an order-keeping
    // battle, 1 or more a stronghold battle.
    void StartBattle(int area, int32_t strength = 0);
    bool Update(int elapsedMs) override;
    const TBitmap32& BackSurface() const override { return Layers.Surface; }
    void MouseMove(int x, int y) override { Layers.MouseMove(x, y); }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyPress(int) override {}  // typed keys mean nothing in a battle
    // A caption or a voice holds the battle: a press does nothing, and its release clears what held it.
    bool RefusesPresses() const { return VoiceChannel > 0 || CaptionTimer > 0 || Caption; }

    // The campaign state on this battle's store; set by the shell right after creation.
    TQTDGameDat* Campaign = nullptr;
    TCryptMaps& Store() { return *Store_; }

    int32_t Strength() const { return Strength_; }
    // The battle was lost; it stays so until the next StartBattle.
    bool Lost() const { return Lost_; }
    // Raised once when the battle is won or lost.
    std::function<void()> OnBattleEnd;
    std::function<void(const TBattleRecord&)> OnRecord;

    // --- coordinates (BattleField.cpp; the projection here, as every projectile takes it every tick)
    static TProjection Project(int x, int y, int h) {
        const int a = x + y;
        const int b = x - y;
        const int depth = -b - h;
        return {400 + a / 64, 260 + (b - 2 * h) / 128, 4000 + depth / 64};
    }
    static TProjection ProjectCell(int x, int y) { return Project(x * kCellUnit, y * kCellUnit, 0); }
    static int CellTag(int x, int y) { return y * 10000 + x * 100 + 101000; }
    static TPoint CellOfTag(int tag);
    static bool InDrawnField(int x, int y) { return Within(x, y, kDrawn); }
    static bool InTowerRegion(int x, int y) { return Within(x, y, kTowerRegion); }
    static bool InBuildArea(int x, int y) { return Within(x, y, kBuildArea); }
    static bool InBaseSquare(int x, int y) { return TDistanceField::InBaseSquare(x, y); }

    TCell& Cell(int x, int y) { return Cells_[static_cast<std::size_t>(TDistanceField::Index(x, y))]; }
    const TCell& Cell(int x, int y) const { return Cells_[static_cast<std::size_t>(TDistanceField::Index(x, y))]; }
    void ComputeDistances(int bx, int by);
    int32_t Dist(int x, int y) const { return Distances_.Dist(x, y); }
    int32_t PathValue(int x, int y) const { return PathValues_[static_cast<std::size_t>(TDistanceField::Index(x, y))]; }

    // --- the store: money, score, ledger and statistics (QTDGame.cpp)
    int32_t Money() const;
    int32_t Score() const;
    int32_t Ledger(TLedgerRow row, int wave) const { return Store_->Get(row, 0, wave); }
    void AddLedger(TLedgerRow row, int wave, int32_t amount);
    int32_t BaseHP() const { return Store_->Get(6, 0, 0); }
    void SetBaseHP(int32_t hp) { Store_->Set(6, 0, 0, hp); }
    int32_t Cost(int level, int type) const { return Stat(srCost, level, type); }
    int32_t Attack(int level, int type) const { return Stat(srAttack, level, type); }
    int32_t Range(int level, int type) const { return Stat(srRange, level, type); }
    int32_t Reload(int level, int type) const { return Stat(srReload, level, type); }
    int32_t TotalCost(int level, int type) const { return Stat(srTotalCost, level, type); }

    // --- captions and sound (QTDGame.cpp)
    void ShowCaption(const std::string& picture);
    void ShowAreaTitle();
    void DismissCaption();
    void PlayEffect(const std::string& name);

    // --- waves and enemies (BattleWaves.cpp)
    void PrepareWave();
    void StartWave();
    void ResetWave();
    void SpawnDue();
    void MoveEnemy(int i);
    void KillEnemy(int i);
    int EnemiesLeft() const;
    void RemoveEnemySprites();
    const TEnemy& Enemy(int i) const { return Enemies_.at(static_cast<std::size_t>(i)); }
    TEnemy& Enemy(int i) { return Enemies_.at(static_cast<std::size_t>(i)); }

    // --- towers and projectiles (BattleTowers.cpp)
    void ComputeTowerTable();
    void TowerAct(int x, int y);
    void Fire(int x, int y, int i);
    void SpawnDebris(int i);
    void StepProjectile(int n);
    void StepProjectiles();
    void Splash(int i, int damage);
    void UpdatePrayerBonus();
    void Build(int x, int y, int type);
    void LevelUp(int x, int y);
    void CancelUpgrades(int x, int y);
    void Remove(int x, int y);
    void RemoveProjectiles();
    const TProjectile& Projectile(int n) const { return Projectiles_.at(static_cast<std::size_t>(n)); }
    int ProjectileCount() const;

    // --- interface (BattleInterface.cpp, BattlePlacement.cpp, BattlePanels.cpp)
    void UpdateTowerButtons(bool show);
    void OnCellHover(TLayerItem& layer);
    void EnterPlacement(int type);
    void CancelPlacement();
    // What the right button's release on the ground does: no cell selected (the pop-up
    // closes) and placement mode ended.
    void CancelSelection();
    void SetPlacementMode(bool on);
    TLayerItem& MakeGhost(int type);
    void SetRangeMarker(int range);
    void RefreshPanels();
    // The player's option of level marks (BattleLevelMarks.cpp): on, each tower and the
    // base show their level at once and until the option is turned off.
    void ShowLevelMarks(bool on);
    bool LevelMarksShown() const { return LevelMarks_.On(); }

    // --- state the shell, the interface and the tests read
    TLayerList Layers{800, 600};
    int Field = 1;
    int WaveIndex = 0;
    int WaveCount = 2;
    int WaveSize = 0;
    int Spawned = 0;
    int WaveDirection = 7;
    int32_t BaseMaxHP = 0;
    std::array<int32_t, 3> HitThresholds{};  // BaseMaxHP - 1, 60 % and 30 % of it
    bool Prep = true;
    bool Wipe = false;
    int Speed = 1;
    int32_t Ticks = 0;
    std::array<int, kTowerTypes> HeroineOf{};
    TLayerItem* Caption = nullptr;
    bool FirstCaption = false;
    int CaptionTimer = -1;
    int VoiceChannel = -1;
    std::string SavedMusic;
    std::array<int32_t, kTowerTypes> DamageDealt{};
    std::array<bool, kTowerTypes> CutInDone{};
    TBattleFile FileLines;

    // Interface state
    TPanelMarks Marks;
    TPoint Hovered{0, -10};
    TPoint Selected{kNoCell, 0};
    // The cell whose menu the pop-up shows, kNoCell while it is hidden. Its buttons act
    // on this cell: a click since the last frame may have selected another one (the
    // base, an obstacle) that the menu on screen is not for.
    TPoint PopUpCell{kNoCell, 0};
    int BuildType = -1;
    TLayerItem* Ghost = nullptr;
    bool PlacementMode = false;
    int HoveredBuild = -1;
    bool HoverLevelUp = false;
    bool ClickConsumed = false;
    bool PressAccepted = false;
    TShiftState LastShift = 0;

    TLayerItem* StartButton = nullptr;
    TLayerItem* FastButton = nullptr;
    TLayerItem* PauseButton = nullptr;
    std::array<TLayerItem*, kTowerTypes> BuildButtons{};  // 1..8
    std::array<TLayerItem*, 3> PopUpButtons{};
    TLayerItem* StatusPanel = nullptr;
    TLayerItem* InfoPanel = nullptr;
    TLayerItem* DurabilityPanel = nullptr;
    TLayerItem* DurabilityGauge = nullptr;
    TLayerItem* MoneyPanel = nullptr;
    TLayerItem* ScorePanel = nullptr;
    TLayerItem* PopUpPanel = nullptr;
    TLayerItem* PopUpFrame = nullptr;
    TLayerItem* HoverCursor = nullptr;
    TLayerItem* RangeMarker = nullptr;
    TLayerItem* EnemyBanner = nullptr;
    TLayerItem* Portrait = nullptr;

private:
    static bool Within(int x, int y, int reach) { return x >= -reach && x <= reach && y >= -reach && y <= reach; }
    // Levels outside 1..5 have no statistics (level 0 of the store is the ledger's plane).
    int32_t Stat(TStatRow row, int level, int type) const {
        return level >= 1 && level <= kTowerLevels ? Store_->Get(row, level, type) : 0;
    }
    int Random(int n) { return RandomBelow(Services_.Random, n); }
    // `lookUp` false makes a layer without a picture and without asking for one.
    TLayerItem& AddPicture(const std::string& name, int anchor, int hitAlpha, bool lookUp = true);
    bool PictureExists(const std::string& name);
    void PlayOnce(int channel, const std::string& name);
    void ResumeSavedMusic();
    void PreloadEffects(std::initializer_list<const char*> names);
    void PlaceAt(TLayerItem& layer, const TProjection& point, int zOffset);
    void Report(const char* result, int wave, int enemiesLeft);

    // The field's and the interface's layers, with their pictures, are made for the first
    // battle rather than with the battle: a player on the title or in the story does not
    // pay for them.
    void EnsureScene();
    // --- field (BattleField.cpp)
    void InitCells();
    void CreateField();
    void LoadMap();
    void PlaceFieldLayers();
    TDistanceField::TOccupied OccupiedCells() const;

    // --- waves (BattleWaves.cpp)
    void RunWave();
    void LoseBattle();
    void CloseWave();
    int FreeEnemyRecord(int enemy) const;
    void SetWalkingFrame(TEnemy& enemy, int column) const;
    void TouchBase(const TEnemy& enemy);
    void WipeField();
    void LoadEnemySprite(TEnemy& enemy, int picture);

    // --- towers (BattleTowers.cpp)
    int ChooseTarget(int x, int y, int range) const;
    int TakeFreeProjectile();
    void FreeProjectile(int n);
    void RetireLayer(TQTDLayerArrow& layer);
    void DeleteRetiredLayers();
    void PlaceProjectile(TProjectile& projectile);
    void FitProjectileLayers();
    void LandShot(int n);
    void SetCutInPermissions();
    void WaveStartCutIn();
    void MidWaveCutIn(int type);
    void ShowCutIn(int type, int line);
    void TowersChanged();
    void PlaceLevelMarks();

    // --- interface (BattleInterface.cpp)
    void CreateInterface();
    TLayerItem* AddButton(const std::string& picture, int x, int y, int z, int tag);
    TLayerItem* AddPanel(int width, int height, int x, int y, int z, int anchor);
    void ButtonPressed(TLayerItem& button);
    void ButtonEntered(TLayerItem& button);
    void ButtonLeft(TLayerItem& button);
    void ButtonClicked(TLayerItem& button);
    void PopUpButtonClicked(int tag);
    void HidePopUp();

    // --- the pointer over the field (BattlePlacement.cpp)
    void ListenToCell(TLayerItem& layer, bool releases);
    void CellClicked(TLayerItem& layer);
    void CellReleased(TLayerItem& layer, TMouseButton button, TShiftState shift);
    bool CanBuildOn(int x, int y) const;
    TCell* SelectedCell();
    void ShowRangeMarker(int range, const TProjection& cell);
    void RemoveGhost();

    // --- panels (BattlePanels.cpp)
    void ShowEnemyBanner();
    void RefreshStatus();
    void DrawStatus(TBitmap32& panel);
    void RefreshInformation();
    void DrawHeroineColumn(TBitmap32& panel, int type, int heroine);
    void DrawTowerColumn(TBitmap32& panel, int type, int level);
    void ShowPortrait(int heroine);
    void RefreshDurability();
    void RefreshPopUp();
    void DrawNumber(TLayerItem& panel, const char* format, int32_t value);

    TBattleServices Services_;
    std::unique_ptr<TCryptMaps> Store_;
    int32_t Strength_ = 0;
    bool Lost_ = false;
    bool SceneMade_ = false;
    std::array<TCell, TDistanceField::kCells> Cells_{};
    TDistanceField Distances_;
    TPlacementCheck Placement_;
    TBitmap32 RangeScratch_;  // the ellipse whose blue becomes the range marker's alpha
    // What the status panel shows; it is drawn again only when one of these changed.
    struct TStatusValues {
        int32_t Strength, Battles, WaveCount, WaveIndex, WaveSize, WaveDirection, EnemiesLeft, Ticks;
        bool Prep;
        friend bool operator==(const TStatusValues&, const TStatusValues&) = default;
    };
    std::optional<TStatusValues> StatusShown_;
    std::array<int32_t, TDistanceField::kCells> PathValues_{};
    std::array<TEnemy, kMaxEnemies> Enemies_{};
    std::array<TProjectile, kMaxProjectiles> Projectiles_{};
    int FirstFreeProjectile_ = 0;  // no record below it is free
    int RetiredLayers_ = 0;        // hidden projectile layers still in the list
    int GroundColumn_ = 4;
    TLevelMarks LevelMarks_{Layers, TDistanceField::kCells};
};

}  // namespace vandor
