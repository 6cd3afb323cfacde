#include "battle/QTDGame.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "battle/BaseDurability.h"
#include "battle/LayerArrow.h"
#include "campaign/GameDat.h"
#include "campaign/ItemTable.h"
#include "sound/SoundChannels.h"
#include "sound/SoundPlayer.h"
#include "util/Encoding.h"
#include "util/Format.h"

namespace vandor {
namespace {

// The ground frame column of each area 1..14 in "地面.png".
constexpr std::array<int, 15> kGroundColumn{4, 4, 4, 5, 6, 6, 6, 7, 4, 4, 8, 8, 9, 11, 10};
// An effect that has made less sound than this since it started is still starting.
constexpr int32_t kEffectJustStarted = 8192;
constexpr int kFinishTransitions = 20000;
constexpr int kCaptionZ = -10;
constexpr int kCaptionSlideMs = 180;
constexpr int kTitleFadeMs = 600;

bool SameFile(const std::string& a, const std::string& b) { return AsciiLower(a) == AsciiLower(b); }

}  // namespace

TQTDGame::TQTDGame(TBattleServices services) : Services_(services), Store_(std::make_unique<TCryptMaps>()) {
    InitCells();
}

void TQTDGame::EnsureScene() {
    if (std::exchange(SceneMade_, true)) return;
    CreateField();
    CreateInterface();
    PlaceLevelMarks();
}

// The layer list frees every layer; the store goes with the battle.
TQTDGame::~TQTDGame() = default;

TLayerItem& TQTDGame::AddPicture(const std::string& name, int anchor, int hitAlpha, bool lookUp) {
    auto layer = lookUp ? std::make_unique<TLayerItem>(Services_.Pictures, name) : std::make_unique<TLayerItem>();
    layer->Position.SetAnchor(anchor);
    layer->HitAlpha = hitAlpha;
    return Layers.Add(std::move(layer));
}

// A picture that hundreds of layers show is looked up once, so that a title without
// it logs one missing file, not one per layer.
bool TQTDGame::PictureExists(const std::string& name) {
    TBitmap32* picture = Services_.Pictures.GetImage(name);
    Services_.Pictures.Release(picture);
    return picture != nullptr;
}

void TQTDGame::PlaceAt(TLayerItem& layer, const TProjection& point, int zOffset) {
    layer.SetPosition(point.X, point.Y, point.Z + zOffset);
}

// ---------------------------------------------------------------- set-up

void TQTDGame::StartBattle(int area, int32_t strength) {
    if (!Campaign) throw std::logic_error("戦闘に戦略データがありません");
    EnsureScene();
    Strength_ = strength;
    Field = std::clamp(area, 1, 14);
    GroundColumn_ = kGroundColumn[static_cast<std::size_t>(Field)];

    Prep = true;
    Lost_ = false;
    Wipe = false;
    HidePopUp();
    // Placement ends with the battle it began in: a ghost left over would build on the next field.
    RemoveGhost();
    BuildType = -1;

    WaveIndex = 0;
    Speed = 1;
    HoveredBuild = -1;
    VoiceChannel = -1;
    CaptionTimer = -1;
    Selected = {kNoCell, 0};
    SavedMusic.clear();

    RemoveEnemySprites();
    RemoveProjectiles();
    Layers.Transitions.Step(kFinishTransitions);
    if (Caption) {
        Layers.Transitions.Cancel(*Caption);
        Layers.Remove(*Caption);
        Caption = nullptr;
    }

    const TQTDGameDat& campaign = *Campaign;
    BaseMaxHP = BaseDurability(campaign);
    HitThresholds = {BaseMaxHP - 1, BaseMaxHP * 6 / 10, BaseMaxHP * 3 / 10};
    SetBaseHP(BaseMaxHP);

    for (int w = 0; w < kLedgerWaves; ++w) {
        for (int row = 0; row < kLedgerRows; ++row) Store_->Set(row, 0, w, 0);
    }
    // The campaign's war funds, and a hundred more for the homeland's own battle.
    Store_->Set(lrIncome, 0, 0, WarFunds(campaign) + (Field == 1 ? 100 : 0));

    ComputeTowerTable();
    ShowEnemyBanner();
    LoadMap();
    PlaceLevelMarks();

    // The wave table of this stronghold battle, else the area's own, else the general
    // one; without any, every wave key takes its default.
    const auto load = [&](const std::string& name) { return FileLines.Load(Services_.Files, name); };
    if (Strength_ < 1 || !load(Format("bt%.2d-%.2d.txt", Field, campaign.AreaBattles(Field)))) {
        if (!load(Format("bt%.2d-00.txt", Field))) load("bt00-00.txt");
    }
    WaveCount = FileLines.ReadClamped("WC", 2, 1, kMaxWaves);

    PlaceFieldLayers();
    PlacementMode = true;  // leaving it is applied in full even when it was already off
    SetPlacementMode(false);
    PrepareWave();
}

// ---------------------------------------------------------------- frame and tick

bool TQTDGame::Update(int elapsedMs) {
    TSoundPlayer& sound = Services_.Sound;
    bool frozen = false;
    if (CaptionTimer > 0 && --CaptionTimer == 0) {
        DismissCaption();
        CaptionTimer = -1;
        VoiceChannel = -1;
    }
    if (VoiceChannel >= 0) {
        frozen = true;
        if (!sound.Channel(VoiceChannel).Playing()) {
            VoiceChannel = -1;
            CaptionTimer = -1;
            ResumeSavedMusic();
            DismissCaption();
        }
    }
    if (!frozen && CaptionTimer <= 0 && !Prep) RunWave();
    // Shots keep flying while paused or between waves, but not while a voice holds a running wave.
    if ((Speed <= 0 || CaptionTimer > 0 || Prep) && ProjectileCount() > 0) StepProjectiles();
    RefreshPanels();
    FitProjectileLayers();
    const bool drawn = Layers.Render(elapsedMs);
    DeleteRetiredLayers();  // sorted to the end of the list by this render
    return drawn;
}

void TQTDGame::RunWave() {
    for (int i = 0; i < Speed; ++i) {
        ++Ticks;
        // Spawning, walking, the wipe, the towers and the projectiles, in this order.
        if (Ticks % 60 < 2) SpawnDue();
        Wipe = false;
        for (int e = 0; e < kMaxEnemies; ++e) {
            if (Enemies_[static_cast<std::size_t>(e)].HP > 0) MoveEnemy(e);
        }
        if (Wipe) WipeField();
        for (int y = -kTowerRegion; y <= kTowerRegion; ++y) {
            for (int x = -kTowerRegion; x <= kTowerRegion; ++x) {
                const int type = Cell(x, y).Type;
                if (type >= 0 && type != kPrayerTower) TowerAct(x, y);
            }
        }
        StepProjectiles();
    }
    if (BaseHP() <= 0) {
        LoseBattle();
    } else if (EnemiesLeft() == 0) {
        ++WaveIndex;
        PrepareWave();
    }
}

// ---------------------------------------------------------------- store

int32_t TQTDGame::Money() const {
    int32_t money = 0;
    for (int w = 0; w <= WaveIndex && w < kLedgerWaves; ++w) {
        money += Ledger(lrIncome, w) + Ledger(lrRewards, w) + Ledger(lrRefunds, w) - Ledger(lrSpending, w);
    }
    return money;
}

int32_t TQTDGame::Score() const {
    int32_t score = 0;
    for (int w = 0; w <= WaveIndex && w < kLedgerWaves; ++w) {
        score += Ledger(lrRewards, w) + Ledger(lrWaveBonus, w) + Ledger(lrTimeBonus, w);
    }
    return score;
}

void TQTDGame::AddLedger(TLedgerRow row, int wave, int32_t amount) {
    Store_->Set(row, 0, wave, Store_->Get(row, 0, wave) + amount);
}

void TQTDGame::Report(const char* result, int wave, int enemiesLeft) {
    if (!OnRecord) return;
    OnRecord(TBattleRecord{Field, wave, Ticks, Money(), Score(), BaseHP(), enemiesLeft, result});
}

// ---------------------------------------------------------------- captions and sound

void TQTDGame::ShowCaption(const std::string& picture) {
    if (Caption) {
        Layers.Transitions.Cancel(*Caption);
        Layers.Remove(*Caption);
    }
    TLayerItem& caption = AddPicture(picture, kAnchorTopLeft, kHitNever);
    const int y = (600 - caption.Height()) * 3 / 8;
    caption.SetPosition(800, y, kCaptionZ);
    Layers.Transitions.MoveTo(caption, kCaptionSlideMs, 0, y, false);
    Caption = &caption;
}

// The area's title opens the battle in place; it goes after ten frames or a click.
void TQTDGame::ShowAreaTitle() {
    FirstCaption = true;
    Caption = &AddPicture(Format("fi戦場%.2d.png", Field), kAnchorTopLeft, kHitNever);
    Caption->SetPosition(0, 0, kCaptionZ);
    CaptionTimer = 10;
}

void TQTDGame::DismissCaption() {
    if (!Caption) return;
    if (FirstCaption) {
        Layers.Transitions.DepthFadeTo(*Caption, kTitleFadeMs, 20, 0, true);
        FirstCaption = false;
    } else {
        Layers.Transitions.MoveTo(*Caption, kCaptionSlideMs, -800, Caption->Position.Y, true);
    }
    Caption = nullptr;
}

// The music the wave-cleared jingle interrupted plays on.
void TQTDGame::ResumeSavedMusic() {
    if (SavedMusic.empty()) return;
    TOggData& music = Services_.Sound.Channel(SoundChannel::Music);
    music.Open(SavedMusic);
    music.Play(true);
    SavedMusic.clear();
}

// The effects the battle keeps ready on the interface channels, in order from the first.
void TQTDGame::PreloadEffects(std::initializer_list<const char*> names) {
    int channel = SoundChannel::FirstInterface;
    for (const char* name : names) Services_.Sound.Channel(channel++).Open(name);
}

void TQTDGame::PlayOnce(int channel, const std::string& name) {
    TOggData& sound = Services_.Sound.Channel(channel);
    sound.Open(name);
    sound.Play(false);
}

// Battle effects share the scene effect channels 1..3 with the five channels 16..20
// the battle preloads, and a sound that has only just started is not started again.
void TQTDGame::PlayEffect(const std::string& name) {
    TSoundPlayer& sound = Services_.Sound;
    const auto holds = [&](int channel) {
        const TOggData& c = sound.Channel(channel);
        return c.Opened() && SameFile(c.Name(), name);
    };
    const auto justStarted = [&](int channel) {
        return holds(channel) && sound.Channel(channel).Playing() &&
               sound.Channel(channel).Position() < kEffectJustStarted;
    };
    const auto restart = [&](int channel) {
        TOggData& c = sound.Channel(channel);
        if (c.Playing()) {
            c.Stop();
            c.Rewind();
        }
        c.Play(false);
    };
    for (int c = SoundChannel::FirstEffect; c <= SoundChannel::LastEffect; ++c) {
        if (justStarted(c)) return;
    }
    for (int c = SoundChannel::FirstInterface; c <= SoundChannel::LastBattleInterface; ++c) {
        if (justStarted(c)) return;
    }
    for (int c = SoundChannel::FirstInterface; c <= SoundChannel::LastBattleInterface; ++c) {
        if (holds(c)) return restart(c);
    }
    for (int c = SoundChannel::FirstEffect; c <= SoundChannel::LastEffect; ++c) {
        if (holds(c)) return restart(c);
    }
    for (int c = SoundChannel::FirstEffect; c <= SoundChannel::LastEffect; ++c) {
        if (!sound.Channel(c).Playing()) return PlayOnce(c, name);
    }
    int loudest = SoundChannel::FirstEffect;
    for (int c = SoundChannel::FirstEffect + 1; c <= SoundChannel::LastEffect; ++c) {
        if (sound.Channel(c).Position() > sound.Channel(loudest).Position()) loudest = c;
    }
    PlayOnce(loudest, name);
}

}  // namespace vandor
