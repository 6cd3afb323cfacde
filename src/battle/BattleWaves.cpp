// Waves and enemies: the preparation and start of a wave, spawning from the wave
// file, walking down the path values, poison and slowing, contact with the base,
// the wipe, death and rewards, and the end of a wave and of the battle.

#include <algorithm>

#include "battle/QTDGame.h"
#include "campaign/GameDat.h"
#include "sound/SoundChannels.h"
#include "sound/SoundPlayer.h"
#include "util/Format.h"

namespace vandor {
namespace {

constexpr int kSpriteZ = -48;
constexpr int kSpriteHeight = 40;  // enemies are drawn this high above the ground
constexpr int kStraightStep = 1000;
constexpr int kDiagonalStep = 1400;
constexpr int kDebrisPerKill = 24;
constexpr int kBodyGoneY = -48;          // a killed enemy's body rises to here, above the screen
constexpr int kBaseSquareBonus = 10000;  // enemies never walk into the base square
constexpr int kContactRing = 5;          // CX^2 + CY^2 within this touches the base

// The sheet row of each step (DX, DY), indexed [DY + 1][DX + 1]; row 0 for no step.
constexpr int kStepRow[3][3] = {{1, 4, 0}, {5, 0, 6}, {3, 7, 2}};

std::string EnemyKey(int wave, int enemy, const char* field) { return Format("E_%.2d_%.2d_%s", wave, enemy, field); }

}  // namespace

// ---------------------------------------------------------------- waves

void TQTDGame::PrepareWave() {
    if (WaveIndex == 0) ShowAreaTitle();
    StartButton->SetVisible(true);
    FastButton->SetVisible(false);
    PauseButton->SetVisible(false);
    Marks.All();

    WaveDirection =
        FileLines.ReadClamped(Format("WED_%.2d", WaveIndex), 7, kWaveDirectionRange.Lo, kWaveDirectionRange.Hi);
    WaveSize = FileLines.ReadClamped(Format("WEC_%.2d", WaveIndex), 10, kWaveSizeRange.Lo, kWaveSizeRange.Hi);
    Spawned = 0;

    // Building, removing and raising towers.
    PreloadEffects({"se-b-09.ogg", "se-b-10.ogg", "se-t-02.ogg"});

    if (!Prep) {
        Prep = true;
        CloseWave();
        if (WaveIndex >= WaveCount) {
            StartButton->SetVisible(false);
            UpdateTowerButtons(false);
            ShowCaption("ci撃破.png");
            PlayOnce(SoundChannel::FirstVoice, "cv001-sys-029.ogg");
            PlayOnce(SoundChannel::Music, "bgm013.ogg");
            if (OnBattleEnd) OnBattleEnd();
            return;
        }
        if (!Wipe) {
            ShowCaption("ci殲滅.png");
            const TOggData& music = Services_.Sound.Channel(SoundChannel::Music);
            SavedMusic = music.Opened() ? music.Name() : "";
            VoiceChannel = SoundChannel::Music;
            PlayOnce(SoundChannel::Music, "bgm012.ogg");
        }
    }
    UpdateTowerButtons(true);
}

// The ledger of the new wave index takes the income of the base's durability left
// and the bonuses of the wave just won.
void TQTDGame::CloseWave() {
    const int w = WaveIndex;
    Store_->Set(lrTimeBonus, 0, w, Ticks > 0 ? 72000 / Ticks : 0);
    Store_->Set(lrIncome, 0, w, BaseHP() * 100 / BaseMaxHP);
    Store_->Set(lrWaveBonus, 0, w, Ledger(lrIncome, w) + Money() / 20);
    Report(WaveIndex >= WaveCount ? "won" : "cleared", WaveIndex, 0);
}

void TQTDGame::StartWave() {
    StartButton->SetVisible(false);
    FastButton->SetVisible(true);
    PauseButton->SetVisible(true);
    HidePopUp();
    UpdateTowerButtons(false);
    Marks.All();

    SetCutInPermissions();
    if (Speed < 0) Speed = -Speed;
    if (Speed == 0) Speed = 1;
    if (Prep) {
        Prep = false;
        // The shots' sounds and an enemy's fall.
        PreloadEffects({"se-b-01.ogg", "se-b-03.ogg", "se-b-04.ogg", "se-b-07.ogg", "se-b-00.ogg"});
        for (int y = -kTowerRegion; y <= kTowerRegion; ++y) {
            for (int x = -kTowerRegion; x <= kTowerRegion; ++x) {
                TCell& cell = Cell(x, y);
                if (cell.Building && cell.Type >= 0) cell.LevelAtWaveStart = cell.Level;
            }
        }
        WaveStartCutIn();
        ResetWave();
    }
    DamageDealt.fill(0);
}

void TQTDGame::ResetWave() {
    Ticks = 0;
    ComputeDistances(0, 0);
    for (int x = -kGrid; x <= kGrid; ++x) {
        for (int y = -kGrid; y <= kGrid; ++y) {
            int32_t value = Dist(x, y) + (x + y) % 3;
            if (InBaseSquare(x, y)) value += kBaseSquareBonus;
            PathValues_[static_cast<std::size_t>(TDistanceField::Index(x, y))] = value;
        }
    }
    RemoveEnemySprites();
    Enemies_.fill(TEnemy{});
}

int TQTDGame::EnemiesLeft() const {
    int alive = 0;
    for (const TEnemy& enemy : Enemies_) {
        if (enemy.HP > 0) ++alive;
    }
    return std::max(0, WaveSize - Spawned) + alive;
}

void TQTDGame::RemoveEnemySprites() {
    for (TEnemy& enemy : Enemies_) {
        if (enemy.Sprite) Layers.Remove(*enemy.Sprite);
        enemy.Sprite = nullptr;
    }
}

void TQTDGame::LoseBattle() {
    Report("lost", WaveIndex + 1, EnemiesLeft());
    Speed = -Speed;
    Prep = true;
    Lost_ = true;
    PlayOnce(SoundChannel::FirstVoice, "cv001-sys-030.ogg");
    PlayOnce(SoundChannel::Music, "bgm014.ogg");
    ShowCaption("ci敗北.png");
    StartButton->SetVisible(false);
    if (OnBattleEnd) OnBattleEnd();
}

// ---------------------------------------------------------------- enemies

// Enemy i of a wave uses record i. A wave may list up to 250 enemies against 128
// records: one past the table takes the lowest record whose enemy has died and that
// no shot is still flying at, and waits until there is one.
int TQTDGame::FreeEnemyRecord(int enemy) const {
    if (enemy < kMaxEnemies) return enemy;
    for (int r = 0; r < kMaxEnemies; ++r) {
        const TEnemy& record = Enemies_[static_cast<std::size_t>(r)];
        if (record.HP > 0 || record.Sprite) continue;
        const bool targeted = std::any_of(Projectiles_.begin(), Projectiles_.end(), [r](const TProjectile& p) {
            return p.Layer && p.Kind >= 0 && p.Target == r;
        });
        if (!targeted) return r;
    }
    return -1;
}

void TQTDGame::SpawnDue() {
    while (Spawned < WaveSize) {
        const int i = Spawned;
        const int time = FileLines.ReadClamped(EnemyKey(WaveIndex, i, "TM"), 0, kEnemyTimeRange.Lo, kEnemyTimeRange.Hi);
        if (60 * time > Ticks) return;
        const int r = FreeEnemyRecord(i);
        if (r < 0) return;
        TEnemy& enemy = Enemies_[static_cast<std::size_t>(r)];
        enemy = TEnemy{};  // a record taken again starts as a fresh one does
        LoadEnemySprite(enemy, FileLines.ReadClamped(EnemyKey(WaveIndex, i, "ID"), 1, kEnemyPictureRange.Lo,
                                                     kEnemyPictureRange.Hi));
        enemy.HP = enemy.MaxHP =
            FileLines.ReadClamped(EnemyKey(WaveIndex, i, "HP"), 1, kEnemyHpRange.Lo, kEnemyHpRange.Hi);
        enemy.Pace = FileLines.ReadClamped(EnemyKey(WaveIndex, i, "SP"), 1, kEnemyPaceRange.Lo, kEnemyPaceRange.Hi);
        enemy.Reward =
            FileLines.ReadClamped(EnemyKey(WaveIndex, i, "MN"), 1, kEnemyRewardRange.Lo, kEnemyRewardRange.Hi);
        enemy.CX = FileLines.ReadClamped(EnemyKey(WaveIndex, i, "PX"), 9, -kDrawn, kDrawn);
        enemy.CY = FileLines.ReadClamped(EnemyKey(WaveIndex, i, "PY"), 9, -kDrawn, kDrawn);
        ++Spawned;
    }
}

void TQTDGame::LoadEnemySprite(TEnemy& enemy, int picture) {
    TLayerItem& sprite = AddPicture(Format("敵ユニット%.2d.png", picture), kAnchorBottomCentre, 16);
    // A sheet of 3 walking frames by 8 directions.
    const TBitmap32* sheet = sprite.Bitmap();
    sprite.SetSize(sheet ? sheet->Width() / 3 : 0, sheet ? sheet->Height() / 8 : 0);
    enemy.Sprite = &sprite;
    SetWalkingFrame(enemy, 0);
}

void TQTDGame::SetWalkingFrame(TEnemy& enemy, int column) const {
    if (!enemy.Sprite) return;
    const int row = kStepRow[enemy.DY + 1][enemy.DX + 1];
    const int w = enemy.Sprite->Width();
    const int h = enemy.Sprite->Height();
    enemy.Sprite->SrcRect = {column * w, row * h, column * w + w, row * h + h};
    enemy.Sprite->Invalidate();
}

void TQTDGame::MoveEnemy(int i) {
    TEnemy& enemy = Enemies_[static_cast<std::size_t>(i)];
    if (enemy.Poison > 0) {
        const int32_t d = enemy.Poison / 100 + 1;
        enemy.Poison -= d;
        enemy.HP -= d;
        if (enemy.HP <= 0) {
            KillEnemy(i);
            return;
        }
    }
    int32_t pace = enemy.Pace;
    if (enemy.Slow > 0) {
        pace = std::max(0, enemy.Pace * (400 - enemy.Slow) / 400);
        enemy.Slow -= 1;
    }
    if (enemy.StepLeft > 0) {
        enemy.StepLeft -= pace;
        // The columns run 0, 1, 2, 1 while walking; a step overrun shows column 0, not
        // a frame left of the sheet.
        int column = (enemy.StepLeft / 50) % 4;
        if (column == 3) column = 1;
        SetWalkingFrame(enemy, std::max(0, column));
    }
    if (enemy.StepLeft <= 0) {
        if (enemy.Dir > 0) {
            enemy.CX = enemy.NX;
            enemy.CY = enemy.NY;
        }
        const int32_t p = PathValue(enemy.CX, enemy.CY);
        int32_t best = TDistanceField::kBlocked;
        int a = 0;
        int b = 0;
        for (int db = -1; db <= 1; ++db) {
            for (int da = -1; da <= 1; ++da) {
                const int x = enemy.CX + da;
                const int y = enemy.CY + db;
                // The grid's edge is a wall: an enemy lost in unreached ground stays on it.
                if (x < -kGrid || x > kGrid || y < -kGrid || y > kGrid) continue;
                const int32_t q = PathValue(x, y);
                if (q < best && q > p - 20) {
                    best = q;
                    a = da;
                    b = db;
                }
            }
        }
        enemy.DX = a;
        enemy.DY = b;
        enemy.Dir = 3 * (b + 1) + a + 2;
        if (enemy.Dir == 5) {
            enemy.Dir = -1;
            enemy.NX = enemy.CX;
            enemy.NY = enemy.CY;
            enemy.StepLength = 0;
            enemy.StepLeft = 0;
        } else {
            enemy.NX = enemy.CX + a;
            enemy.NY = enemy.CY + b;
            enemy.StepLength = a != 0 && b != 0 ? kDiagonalStep : kStraightStep;
            enemy.StepLeft = enemy.StepLength;
        }
    }
    const int32_t f = kCellUnit - (enemy.StepLength != 0 ? enemy.StepLeft * kCellUnit / enemy.StepLength : 0);
    enemy.FX = (enemy.CX + kGrid) * kCellUnit + enemy.DX * f;
    enemy.FY = (enemy.CY + kGrid) * kCellUnit + enemy.DY * f;
    if (enemy.CX * enemy.CX + enemy.CY * enemy.CY <= kContactRing) TouchBase(enemy);
    if (enemy.Sprite) {
        PlaceAt(*enemy.Sprite, Project(enemy.FX - kGridOrigin, enemy.FY - kGridOrigin, kSpriteHeight), kSpriteZ);
    }
}

// An enemy beside the base wears one point of durability off it every tick; heroine 1
// cries out when it falls to just below full, to 60 % and to 30 %.
void TQTDGame::TouchBase(const TEnemy& enemy) {
    const int32_t hp = BaseHP() - 1;
    SetBaseHP(hp);
    if (enemy.MaxHP == kWipeMarker) Wipe = true;
    if (Campaign->HeroinePresent(1)) {
        for (std::size_t k = 0; k < HitThresholds.size(); ++k) {
            if (hp != HitThresholds[k]) continue;
            PlayOnce(SoundChannel::FirstVoice, Format("cv001-sys-0%d.ogg", 36 + Random(5)));
            VoiceChannel = SoundChannel::FirstVoice;
            ShowCaption(Format("ci被撃%d.png", static_cast<int>(k) + 1));
            break;
        }
    }
    Marks.Durability = true;
}

void TQTDGame::WipeField() {
    for (TEnemy& enemy : Enemies_) {
        if (enemy.HP <= 0) continue;
        enemy.HP = 0;
        if (enemy.Sprite) Layers.Remove(*enemy.Sprite);
        enemy.Sprite = nullptr;
    }
}

void TQTDGame::KillEnemy(int i) {
    TEnemy& enemy = Enemies_[static_cast<std::size_t>(i)];
    PlayEffect("se-b-00.ogg");
    for (int k = 0; k < kDebrisPerKill; ++k) SpawnDebris(i);
    if (enemy.Sprite) {
        // The body rises off the top of the screen (its foot to y -48) and fades.
        TLayerItem& body = *enemy.Sprite;
        body.Position.SetAlpha(100);
        TTransitionItem& rise = Layers.Transitions.Add(body, true);
        rise.SetMoveFadeTarget(900, body.Position.X, kBodyGoneY, body.Position.Z, 0);
        rise.Easing = 5;
    }
    enemy.Sprite = nullptr;
    enemy.Poison = 0;
    enemy.Slow = 0;
    AddLedger(lrRewards, WaveIndex, enemy.Reward);
    Marks.Status = Marks.Money = Marks.Score = true;
}

}  // namespace vandor
