// Towers and projectiles: the statistics of each type from the constant tables and
// the campaign, targeting and firing, the flight and landing of shots with their
// splash, poison and slowing, debris, the prayer bonus, building, raising,
// cancelling and removing with their ledger entries, and the heroines' cut-ins.

#include <algorithm>
#include <cmath>
#include <limits>

#include "battle/LayerArrow.h"
#include "battle/QTDGame.h"
#include "campaign/GameDat.h"
#include "campaign/ItemTable.h"
#include "sound/SoundChannels.h"
#include "sound/SoundPlayer.h"
#include "util/Format.h"

namespace vandor {
namespace {

constexpr int kProjectileZ = -48;
constexpr int kBuildingZ = -48;
constexpr int kShotStartHeight = 2048;  // shots leave two cells above their tower
constexpr int kDebrisHeight = 128;
constexpr int kDebrisLife = 40;
constexpr int kDebrisSize = 5;
constexpr int kGravity = 32;
constexpr std::array<TColor32, 3> kDebrisColours{0x331111, 0x660000, 0x666666};
constexpr int kNoHeroine = 11;  // the base without heroine 1
constexpr int kCutInDamage = 100;
constexpr int kRetiredZ = std::numeric_limits<int>::min();  // sorts after every other layer

int64_t Square(int64_t v) { return v * v; }

}  // namespace

// ---------------------------------------------------------------- statistics

void TQTDGame::ComputeTowerTable() {
    const TQTDGameDat& campaign = *Campaign;
    for (int t = 0; t < kTowerTypes; ++t) {
        const std::size_t type = static_cast<std::size_t>(t);
        int h = -1;
        if (t == 0) {
            h = campaign.IsGeneral(1) ? 1 : kNoHeroine;
        } else if (kTowerHeroine[type] > 0 && campaign.IsGeneral(kTowerHeroine[type])) {
            h = kTowerHeroine[type];
        }
        HeroineOf[type] = h;

        int32_t attack = 100;
        int32_t price = 100;
        int32_t speed = 100;
        if (h == 1) {
            attack = 100 + 3 * campaign.Training(1);
            if (campaign.AreaStrength(7) == 0) attack += 35;
        } else if (h >= 2 && h <= 10) {
            attack = 100 + 3 * campaign.Affection(h);
            price = 100 - 3 * campaign.Training(h);
        } else if (h == kNoHeroine) {
            attack = 80;
        }
        attack += TowerItemBonus(campaign, t, TTowerStat::Attack);
        speed += TowerItemBonus(campaign, t, TTowerStat::Speed);

        int32_t total = 0;
        for (int level = 1; level <= kTowerLevels; ++level) {
            const std::size_t l = static_cast<std::size_t>(level - 1);
            const int32_t cost = kTowerCost[type][l] / 10 * price / 100;
            const int32_t s = kTowerSpeed[type][l];
            total += cost;
            Store_->Set(srCost, level, t, cost);
            Store_->Set(srAttack, level, t, kTowerAttack[type][l] / 10 * attack / 100);
            Store_->Set(srRange, level, t, kTowerRange[type][l] / 10);
            Store_->Set(srReload, level, t, s == 0 ? 0 : 2525000 / (s * speed));
            Store_->Set(srTotalCost, level, t, total);
        }
    }
}

// ---------------------------------------------------------------- firing

// The nearest enemy in reach that the shots already flying will not kill; the lowest
// record wins a tie. A cheap box of cells comes before the distance.
int TQTDGame::ChooseTarget(int x, int y, int range) const {
    const int reach = range / 10 + 2;
    const TCell& cell = Cell(x, y);
    const int64_t limit = Square(103 * range);
    int best = -1;
    int64_t bestDistance = 0;
    for (int i = 0; i < kMaxEnemies; ++i) {
        const TEnemy& enemy = Enemies_[static_cast<std::size_t>(i)];
        if (enemy.HP <= 0 || enemy.HP - enemy.Pending <= 0) continue;
        if (enemy.CX <= x - reach || enemy.CX >= x + reach || enemy.CY <= y - reach || enemy.CY >= y + reach) continue;
        const int64_t d = Square(cell.FX - enemy.FX) + Square(cell.FY - enemy.FY);
        if (d < limit && (best < 0 || d < bestDistance)) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

void TQTDGame::TowerAct(int x, int y) {
    TCell& cell = Cell(x, y);
    if (cell.Cooldown > 0) {
        --cell.Cooldown;
        return;
    }
    const int target = ChooseTarget(x, y, Range(cell.Level, cell.Type));
    if (target < 0) return;
    cell.Cooldown = Reload(cell.Level, cell.Type);
    Fire(x, y, target);
    MidWaveCutIn(cell.Type);
}

int TQTDGame::TakeFreeProjectile() {
    for (int n = FirstFreeProjectile_; n < kMaxProjectiles; ++n) {
        if (!Projectiles_[static_cast<std::size_t>(n)].Layer) {
            FirstFreeProjectile_ = n + 1;
            return n;
        }
    }
    FirstFreeProjectile_ = kMaxProjectiles;
    return -1;
}

void TQTDGame::FreeProjectile(int n) {
    TProjectile& projectile = Projectiles_[static_cast<std::size_t>(n)];
    if (projectile.Layer) RetireLayer(*projectile.Layer);
    projectile.Layer = nullptr;
    FirstFreeProjectile_ = std::min(FirstFreeProjectile_, n);
}

// The layer list removes a layer by searching for it and closing the gap behind it,
// which for the thousands of shots and debris a fast frame ends costs more than the
// rest of the frame. A finished projectile's layer is hidden at once instead and given
// the smallest depth, so that the frame's sort gathers such layers at the end of the
// list, where DeleteRetiredLayers takes them off without searching or moving any other.
void TQTDGame::RetireLayer(TQTDLayerArrow& layer) {
    layer.SetVisible(false);
    layer.SetPosition(layer.Position.X, layer.Position.Y, kRetiredZ);
    ++RetiredLayers_;
}

void TQTDGame::DeleteRetiredLayers() {
    while (RetiredLayers_ > 0 && Layers.Count() > 0 && Layers.Items(Layers.Count() - 1).Position.Z == kRetiredZ) {
        Layers.Delete(Layers.Count() - 1);
        --RetiredLayers_;
    }
}

int TQTDGame::ProjectileCount() const {
    return static_cast<int>(
        std::count_if(Projectiles_.begin(), Projectiles_.end(), [](const TProjectile& p) { return p.Layer; }));
}

void TQTDGame::RemoveProjectiles() {
    for (int n = 0; n < kMaxProjectiles; ++n) FreeProjectile(n);
}

void TQTDGame::Fire(int x, int y, int i) {
    const TCell& cell = Cell(x, y);
    const int t = cell.Type;
    if (t == kPrayerTower) return;
    const int n = TakeFreeProjectile();
    if (n < 0) return;
    TProjectile& shot = Projectiles_[static_cast<std::size_t>(n)];
    PlayEffect(ShotSound(t));

    std::unique_ptr<TQTDLayerArrow> layer;
    if (t == 0 || t == 4 || t == 7 || t == 8) {
        layer = std::make_unique<TQTDLayerArrow>(Services_.Pictures, "弾丸.png");
        const int size = t == 4 ? 8 : 16;
        layer->SetSize(size, size);
    } else {
        layer = std::make_unique<TQTDLayerArrow>();
    }
    layer->Kind = t;
    shot.Kind = t;
    shot.Target = i;
    shot.Life = 0;
    shot.Damage = Attack(cell.Level, t) * (100 + cell.Bonus) / 100;
    DamageDealt[static_cast<std::size_t>(t)] += shot.Damage * (t == 4 ? 3 : t == 5 ? 5 : 1);
    shot.Pos = {cell.FX, cell.FY, kShotStartHeight};

    // Straight at the point the enemy stands on now, at the type's speed.
    TEnemy& enemy = Enemies_[static_cast<std::size_t>(i)];
    const int64_t dx = enemy.FX - shot.Pos.X;
    const int64_t dy = enemy.FY - shot.Pos.Y;
    const int64_t dz = -shot.Pos.Z;
    const int64_t length = std::llround(std::sqrt(static_cast<double>(dx * dx + dy * dy + dz * dz)));
    const int64_t speed = ShotSpeed(t);
    shot.Vel = {static_cast<int32_t>(dx * speed / length), static_cast<int32_t>(dy * speed / length),
                static_cast<int32_t>(dz * speed / length)};
    enemy.Pending += shot.Damage;

    shot.Layer = &Layers.Add(std::move(layer));
    PlaceProjectile(shot);
}

void TQTDGame::SpawnDebris(int i) {
    const int n = TakeFreeProjectile();
    if (n < 0) return;
    TProjectile& debris = Projectiles_[static_cast<std::size_t>(n)];
    auto layer = std::make_unique<TQTDLayerArrow>();
    layer->SetSize(kDebrisSize, kDebrisSize);
    layer->Tag = static_cast<int>(kDebrisColours[static_cast<std::size_t>(Random(3))]);
    layer->Kind = TQTDLayerArrow::kDebris;
    debris.Kind = TQTDLayerArrow::kDebris;
    debris.Damage = 0;
    debris.Life = kDebrisLife;
    const TEnemy& enemy = Enemies_[static_cast<std::size_t>(i)];
    debris.Pos = {enemy.FX, enemy.FY, kDebrisHeight};
    const int r1 = Random(200);
    const int r2 = Random(200);
    const int r3 = Random(200);
    const int r4 = Random(200);
    const int r5 = Random(400);
    debris.Vel = {r1 - r2, r3 - r4, r5 + 20};
    debris.Layer = &Layers.Add(std::move(layer));
    PlaceProjectile(debris);
}

// ---------------------------------------------------------------- flight

// A new layer starts where its projectile does, so that it is not seen at the
// corner of the screen before its first step.
void TQTDGame::PlaceProjectile(TProjectile& projectile) {
    PlaceAt(*projectile.Layer,
            Project(projectile.Pos.X - kGridOrigin, projectile.Pos.Y - kGridOrigin, projectile.Pos.Z), kProjectileZ);
}

// A projectile layer's rectangle is always to be drawn again (TQTDLayerArrow::Draw
// leaves Changed set), so bringing it up to date needs nothing but the rectangle.
void TQTDGame::FitProjectileLayers() {
    for (const TProjectile& projectile : Projectiles_) {
        if (projectile.Layer) projectile.Layer->UpdateRect();
    }
}

void TQTDGame::StepProjectiles() {
    // Table order; debris made by a landing shot further down the table moves this tick.
    for (int n = 0; n < kMaxProjectiles; ++n) {
        if (Projectiles_[static_cast<std::size_t>(n)].Layer) StepProjectile(n);
    }
}

void TQTDGame::StepProjectile(int n) {
    TProjectile& p = Projectiles_[static_cast<std::size_t>(n)];
    if (!p.Layer) return;
    TQTDLayerArrow& layer = *p.Layer;
    ++layer.Age;
    if (p.Kind == TQTDLayerArrow::kDebris && p.Life < layer.Age) {
        FreeProjectile(n);
        return;
    }
    // The layer moves every tick for its trail; its drawn rectangle follows once a frame
    // (FitProjectileLayers), which spares a change notice per projectile and tick.
    const TProjection point = Project(p.Pos.X - kGridOrigin, p.Pos.Y - kGridOrigin, p.Pos.Z);
    layer.Position.X = point.X;
    layer.Position.Y = point.Y;
    layer.Position.Z = point.Z + kProjectileZ;
    layer.PushTrail();
    p.Pos.X += p.Vel.X;
    p.Pos.Y += p.Vel.Y;
    p.Pos.Z += p.Vel.Z;
    if (p.Kind == TQTDLayerArrow::kDebris) {
        p.Vel.Z -= kGravity;
        if (p.Pos.Z < 0 && p.Vel.Z < 0) {
            p.Vel.Z = -(p.Vel.Z * 3 / 4);
            p.Vel.X = p.Vel.X * 7 / 8;
            p.Vel.Y = p.Vel.Y * 7 / 8;
        }
        return;
    }
    if (p.Pos.Z < 1) LandShot(n);
}

// A shot hits its enemy where the enemy is now, whatever it walked since the shot left.
void TQTDGame::LandShot(int n) {
    TProjectile& p = Projectiles_[static_cast<std::size_t>(n)];
    if (p.Kind == 4) Splash(p.Target, p.Damage);
    TEnemy& enemy = Enemies_[static_cast<std::size_t>(p.Target)];
    if (enemy.HP > 0) {
        enemy.HP -= p.Damage;
        enemy.Pending -= p.Damage;
        if (enemy.HP <= 0) {
            KillEnemy(p.Target);
        } else if (p.Kind == 5) {
            enemy.Poison += 10 * p.Damage;
        } else if (p.Kind == 7) {
            enemy.Slow = std::max(enemy.Slow, 20 * p.Damage);
        }
    }
    FreeProjectile(n);
}

void TQTDGame::Splash(int i, int damage) {
    const TEnemy& centre = Enemies_[static_cast<std::size_t>(i)];
    const int64_t radius = 60 * (damage + 9);
    for (int j = 0; j < kMaxEnemies; ++j) {
        if (j == i) continue;
        TEnemy& other = Enemies_[static_cast<std::size_t>(j)];
        if (other.HP <= 0) continue;
        if (Square(centre.FX - other.FX) + Square(centre.FY - other.FY) >= Square(radius)) continue;
        other.HP -= damage;
        if (other.HP <= 0) KillEnemy(j);
    }
}

// ---------------------------------------------------------------- building

void TQTDGame::UpdatePrayerBonus() {
    for (int y = -kTowerRegion; y <= kTowerRegion; ++y) {
        for (int x = -kTowerRegion; x <= kTowerRegion; ++x) {
            TCell& cell = Cell(x, y);
            if (cell.Building && cell.Type >= 0) cell.Bonus = 0;
        }
    }
    for (int py = -kTowerRegion; py <= kTowerRegion; ++py) {
        for (int px = -kTowerRegion; px <= kTowerRegion; ++px) {
            const TCell& prayer = Cell(px, py);
            if (!prayer.Building || prayer.Type != kPrayerTower) continue;
            const int range = Range(prayer.Level, kPrayerTower);
            const int reach = std::max(1, range / 10);
            const int bonus = Attack(prayer.Level, kPrayerTower);
            for (int cy = py - reach; cy <= py + reach; ++cy) {
                for (int cx = px - reach; cx <= px + reach; ++cx) {
                    TCell& cell = Cell(cx, cy);
                    if (!cell.Building || cell.Type < 0 || cell.Type >= kTowerTypes || cell.Type == kPrayerTower)
                        continue;
                    if (((cx - px) * (cx - px) + (cy - py) * (cy - py)) * 100 <= range * range) cell.Bonus += bonus;
                }
            }
        }
    }
}

void TQTDGame::TowersChanged() {
    UpdatePrayerBonus();
    UpdateTowerButtons(true);
    PlaceLevelMarks();
    Marks.Status = Marks.Money = true;
}

void TQTDGame::Build(int x, int y, int type) {
    PlayEffect("se-b-09.ogg");
    TLayerItem* tower = Ghost;
    Ghost = nullptr;
    if (!tower) tower = &MakeGhost(type);
    tower->HitAlpha = kHitNever;  // until placement mode ends
    tower->Tag = CellTag(x, y);
    PlaceAt(*tower, ProjectCell(x, y), kBuildingZ);
    TCell& cell = Cell(x, y);
    cell.Building = tower;
    cell.BuiltInWave = WaveIndex;
    cell.Type = type;
    cell.Level = 1;
    cell.LevelAtWaveStart = 0;
    AddLedger(lrSpending, WaveIndex, Cost(1, type));
    TowersChanged();
}

void TQTDGame::LevelUp(int x, int y) {
    PlayEffect("se-t-02.ogg");
    TCell& cell = Cell(x, y);
    if (cell.Level >= kTowerLevels || Money() < Cost(cell.Level + 1, cell.Type)) return;
    AddLedger(lrSpending, WaveIndex, Cost(cell.Level + 1, cell.Type));
    ++cell.Level;
    TowersChanged();
}

// Undoes the levels bought in this preparation, at their full price.
void TQTDGame::CancelUpgrades(int x, int y) {
    TCell& cell = Cell(x, y);
    const int32_t refund = TotalCost(cell.Level, cell.Type) -
                           (cell.LevelAtWaveStart >= 1 ? TotalCost(cell.LevelAtWaveStart, cell.Type) : 0);
    AddLedger(lrSpending, WaveIndex, -refund);
    cell.Level = cell.LevelAtWaveStart;
    TowersChanged();
}

void TQTDGame::Remove(int x, int y) {
    PlayEffect("se-b-10.ogg");
    CancelUpgrades(x, y);
    TCell& cell = Cell(x, y);
    if (cell.Building) Layers.Remove(*cell.Building);
    cell.Building = nullptr;
    if (cell.Level > 0) {
        // A tower of an earlier wave brings back half of what it cost, as a refund.
        if (cell.BuiltInWave == WaveIndex) {
            AddLedger(lrSpending, WaveIndex, -TotalCost(cell.Level, cell.Type));
        } else {
            AddLedger(lrRefunds, WaveIndex, TotalCost(cell.Level, cell.Type) / 2);
        }
    }
    cell.Type = -1;
    cell.Level = 0;
    cell.LevelAtWaveStart = 0;
    cell.BuiltInWave = -1;
    TowersChanged();
}

// ---------------------------------------------------------------- cut-ins

// Only the base (heroine 1) and the bow, magic-bow, catapult and poison towers
// (heroines 2..5, before their own areas are won) have cut-ins.
void TQTDGame::SetCutInPermissions() {
    for (int t = 0; t < kTowerTypes; ++t)
        CutInDone[static_cast<std::size_t>(t)] = HeroineOf[static_cast<std::size_t>(t)] < 0;
    if (!Campaign->HeroinePresent(1)) CutInDone[0] = true;
    static constexpr std::array<std::pair<int, int>, 4> kOwnArea{{{2, 3}, {3, 9}, {4, 10}, {5, 5}}};
    for (const auto& [type, area] : kOwnArea) {
        if (Campaign->AreaStrength(area) != 0) CutInDone[static_cast<std::size_t>(type)] = true;
    }
    for (int type : {1, 6, 7, 8}) CutInDone[static_cast<std::size_t>(type)] = true;
}

void TQTDGame::WaveStartCutIn() {
    DamageDealt.fill(0);
    for (int y = -kTowerRegion; y <= kTowerRegion; ++y) {
        for (int x = -kTowerRegion; x <= kTowerRegion; ++x) {
            const TCell& cell = Cell(x, y);
            if (cell.Building && cell.Type >= 0 && cell.Type < kTowerTypes) {
                DamageDealt[static_cast<std::size_t>(cell.Type)] += cell.Level;
            }
        }
    }
    DamageDealt[0] *= 2;
    int chosen = -1;
    for (int t = 0; t < kTowerTypes; ++t) {
        const std::size_t k = static_cast<std::size_t>(t);
        if (!CutInDone[k] && (chosen < 0 || DamageDealt[k] > DamageDealt[static_cast<std::size_t>(chosen)])) chosen = t;
    }
    if (chosen >= 0) ShowCutIn(chosen, 26);
}

void TQTDGame::MidWaveCutIn(int type) {
    const std::size_t k = static_cast<std::size_t>(type);
    if (Caption || CutInDone[k] || DamageDealt[k] <= kCutInDamage) return;
    CutInDone[k] = true;
    ShowCutIn(type, 31 + Random(5));
}

// The heroine of the type appears with voice line `line` of hers; the battle waits for
// the voice. Heroine 1 speaks for the base, heroines 2..5 for the towers of their number.
void TQTDGame::ShowCutIn(int type, int line) {
    if (type == 0) {
        ShowCaption(Campaign->RouteFlag() ? "ci攻撃0f.png" : "ci攻撃0.png");
    } else {
        ShowCaption(Format("ci攻撃%d.png", type));
    }
    const int voice = type == 0 ? 1 : type;
    const int channel = SoundChannel::FirstVoice + voice - 1;
    PlayOnce(channel, Format("cv00%d-sys-0%d.ogg", voice, line));
    VoiceChannel = channel;
}

}  // namespace vandor
