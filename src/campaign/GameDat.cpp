#include "campaign/GameDat.h"

#include <algorithm>
#include <bit>

#include "util/Wrapping.h"

namespace vandor {
namespace {

// The best score takes row 3, indexes 1..6: the plain score, then five forms derived
// from it by fixed rules, each scrambling its bits another way. The rules carry no
// per-run key because a save must load in any later run. A hand-edited save or a poke
// that does not rewrite all six cells consistently leaves them disagreeing.
constexpr int kBestScoreIndex = 1;
constexpr int kBestScoreForms = 6;

uint32_t ByteSwap(uint32_t u) { return (u >> 24) | ((u >> 8) & 0xFF00u) | ((u << 8) & 0xFF0000u) | (u << 24); }

uint32_t Scramble(uint32_t u) {
    u = (u ^ (u >> 16)) * 0x45D9F3Bu;
    return u ^ (u >> 16);
}

std::array<int32_t, kBestScoreForms> BestScoreForms(int32_t score) {
    const uint32_t u = static_cast<uint32_t>(score);
    return {score,
            static_cast<int32_t>(~u),
            static_cast<int32_t>(ByteSwap(u)),
            static_cast<int32_t>(u ^ 0x5A3C96E1u),
            static_cast<int32_t>(std::rotl(u, 11) + 0x2F6B1D47u),
            static_cast<int32_t>(Scramble(u))};
}

uint32_t PassFlagBit(int n) { return n >= 1 && n <= 11 ? uint32_t{1} << n : 1u; }

}  // namespace

TQTDGameDat::TQTDGameDat(TCryptMaps& store) : Store_(store) { ResetAll(); }

void TQTDGameDat::ResetCycle() {
    SetTurn(0);
    SetActions(2);
    SetItemUnlockFlag(false);
    SetRouteItemFlag(false);
    SetRouteFlag(false);
    SetRaw(kRowItems, 0, 0);
    for (int h = 1; h <= kHeroines; ++h) {
        SetHeroinePresent(h, false);
        SetAffection(h, 0);
        SetTraining(h, 0);
    }
    SetHeroinePresent(1, true);
    for (int a = 1; a <= kAreas; ++a) {
        SetAreaProgress(a, 0);
        SetAreaBattles(a, 0);
        SetAreaStrength(a, InitialStrength[a]);
    }
}

void TQTDGameDat::ResetAll() {
    ResetCycle();
    SetBestScore(0);
    for (int n = 1; n <= kItems; ++n) SetItem(n, false);
}

void TQTDGameDat::ValidateAfterLoad() {
    SetTurn(std::clamp(Turn(), 0, 9999));
    SetActions(std::clamp(Actions(), 1, 9));
    for (int h = 1; h <= kHeroines; ++h) {
        SetAffection(h, std::clamp(Affection(h), 0, 20));
        SetTraining(h, std::clamp(Training(h), 0, 20));
    }
    // The stored strength is not trusted: it follows from the battles fought.
    for (int a = 1; a <= kAreas; ++a) {
        SetAreaStrength(a, std::clamp(WrappingSub(InitialStrength[a], AreaBattles(a)), 0, InitialStrength[a]));
    }
    if (!BestScoreFormsAgree()) SetBestScore(0);
}

int32_t TQTDGameDat::Raw(int row, int index) const {
    if (row < 0 || row >= kRows) return 0;
    return Store_.Get(row, kPlane, index);
}

void TQTDGameDat::SetRaw(int row, int index, int32_t value) {
    if (row < 0 || row >= kRows) return;
    Store_.Set(row, kPlane, index, value);
}

int32_t TQTDGameDat::Turn() const { return Raw(kRowAffection, 0); }
void TQTDGameDat::SetTurn(int32_t v) { SetRaw(kRowAffection, 0, v); }
int32_t TQTDGameDat::Actions() const { return Raw(kRowTraining, 0); }
void TQTDGameDat::SetActions(int32_t v) { SetRaw(kRowTraining, 0, v); }

bool TQTDGameDat::HeroinePresent(int h) const { return Flag(kRowPresent, h); }
void TQTDGameDat::SetHeroinePresent(int h, bool on) { SetFlag(kRowPresent, h, on); }
int32_t TQTDGameDat::Affection(int h) const { return Raw(kRowAffection, h); }
void TQTDGameDat::SetAffection(int h, int32_t v) { SetRaw(kRowAffection, h, v); }
int32_t TQTDGameDat::Training(int h) const { return Raw(kRowTraining, h); }
void TQTDGameDat::SetTraining(int h, int32_t v) { SetRaw(kRowTraining, h, v); }

bool TQTDGameDat::ItemUnlockFlag() const { return Flag(kRowScore, 0); }
void TQTDGameDat::SetItemUnlockFlag(bool on) { SetFlag(kRowScore, 0, on); }
bool TQTDGameDat::RouteItemFlag() const { return Flag(kRowStrength, 0); }
void TQTDGameDat::SetRouteItemFlag(bool on) { SetFlag(kRowStrength, 0, on); }
bool TQTDGameDat::RouteFlag() const { return Flag(kRowProgress, 0); }
void TQTDGameDat::SetRouteFlag(bool on) { SetFlag(kRowProgress, 0, on); }

int32_t TQTDGameDat::AreaStrength(int a) const { return Raw(kRowStrength, a); }
void TQTDGameDat::SetAreaStrength(int a, int32_t v) { SetRaw(kRowStrength, a, v); }
int32_t TQTDGameDat::AreaProgress(int a) const { return Raw(kRowProgress, a); }
void TQTDGameDat::SetAreaProgress(int a, int32_t v) { SetRaw(kRowProgress, a, v); }
int32_t TQTDGameDat::AreaBattles(int a) const { return Raw(kRowBattles, a); }
void TQTDGameDat::SetAreaBattles(int a, int32_t v) { SetRaw(kRowBattles, a, v); }

bool TQTDGameDat::HasItem(int n) const { return Flag(kRowItems, n); }
void TQTDGameDat::SetItem(int n, bool owned) { SetFlag(kRowItems, n, owned); }

bool TQTDGameDat::PassFlag(int n) const { return (static_cast<uint32_t>(Raw(kRowItems, 0)) & PassFlagBit(n)) != 0; }

void TQTDGameDat::SetPassFlag(int n, bool on) {
    const uint32_t bits = static_cast<uint32_t>(Raw(kRowItems, 0));
    const uint32_t bit = PassFlagBit(n);
    SetRaw(kRowItems, 0, static_cast<int32_t>(on ? bits | bit : bits & ~bit));
}

int32_t TQTDGameDat::BestScore() const { return Raw(kRowScore, kBestScoreIndex); }

void TQTDGameDat::SetBestScore(int32_t v) {
    const auto forms = BestScoreForms(v);
    for (int k = 0; k < kBestScoreForms; ++k) SetRaw(kRowScore, kBestScoreIndex + k, forms[k]);
}

bool TQTDGameDat::BestScoreFormsAgree() const {
    const auto forms = BestScoreForms(BestScore());
    for (int k = 1; k < kBestScoreForms; ++k) {
        if (Raw(kRowScore, kBestScoreIndex + k) != forms[k]) return false;
    }
    return true;
}

int TQTDGameDat::ConqueredCount() const {
    int count = 0;
    for (int a = 1; a <= kAreas; ++a) count += AreaStrength(a) <= 0 ? 1 : 0;
    return count;
}

bool TQTDGameDat::IsGeneral(int h) const {
    // The area each heroine is bound to; 0 for those who need none, -1 for those who
    // never lead.
    static constexpr std::array<int, kHeroines + 1> kBoundArea{-1, 0, 3, 9, 10, 5, 0, 4, 11, -1, -1};
    if (h < 1 || h > kHeroines || kBoundArea[h] < 0 || !HeroinePresent(h)) return false;
    return kBoundArea[h] == 0 || AreaStrength(kBoundArea[h]) == 0;
}

int TQTDGameDat::GeneralCount() const {
    int count = 0;
    for (int h = 1; h <= kHeroines; ++h) count += IsGeneral(h) ? 1 : 0;
    return count;
}

}  // namespace vandor
