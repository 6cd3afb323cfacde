// The battle's effects: shots of the towers, the fall of an enemy, and the sounds of
// building, raising and removing towers. Short one-shots, each a few tones and noise
// bursts, so that many may overlap in a busy wave.

#include "BattleSounds.h"

namespace vandor::demo {
namespace {

struct TTone {
    TTimbre Timbre;
    double Start, Length, Hz, Gain;
};

struct TBurst {
    double Start, Length, Gain, Brightness, Attack;
};

struct TEffect {
    const char* Name;
    double Seconds;
    std::vector<TTone> Tones;
    std::vector<TBurst> Bursts;
};

TSound Render(const TEffect& effect, TRandom& random) {
    TSound sound(effect.Seconds);
    for (const TTone& t : effect.Tones) AddNote(sound, t.Timbre, t.Start, t.Length, t.Hz, t.Gain);
    for (const TBurst& b : effect.Bursts) AddNoise(sound, random, b.Start, b.Length, b.Gain, b.Brightness, b.Attack);
    return sound;
}

const double kHigh = MidiToHz(88), kFifthBelow = MidiToHz(81);

const std::vector<TEffect> kEffects = {
    // An enemy falls: a short cry of noise and a thump.
    {"se-b-00.ogg", 0.4, {{TTimbre::Bass, 0.04, 0.08, 80, 0.9}}, {{0, 0.08, 0.6, 0.45, 0.002}}},
    // An arrow: a plucked string, then the hiss of its flight.
    {"se-b-01.ogg", 0.35, {{TTimbre::Pluck, 0, 0.05, 196, 0.8}}, {{0.01, 0.15, 0.5, 0.8, 0.01}}},
    // A magic bolt: a bright bell falling a fifth.
    {"se-b-03.ogg", 0.6, {{TTimbre::Bell, 0, 0.06, kHigh, 0.6}, {TTimbre::Bell, 0.05, 0.1, kFifthBelow, 0.5}}, {}},
    // A thrown stone: the creak of the arm and a dull thud.
    {"se-b-04.ogg", 0.6, {{TTimbre::Bass, 0.12, 0.15, 62, 1.0}}, {{0, 0.12, 0.4, 0.15, 0.04}}},
    // Fire of the base, the sorcery and the dragon: a low roar with a crackle.
    {"se-b-07.ogg", 0.8, {{TTimbre::Bass, 0, 0.2, 48, 0.7}}, {{0, 0.5, 1.0, 0.1, 0.02}, {0, 0.2, 0.4, 0.7, 0.002}}},
    // Building: three hammer blows on wood.
    {"se-b-09.ogg",
     0.8,
     {{TTimbre::Bass, 0, 0.04, 110, 0.6}, {TTimbre::Bass, 0.16, 0.04, 110, 0.6}, {TTimbre::Bass, 0.32, 0.04, 110, 0.6}},
     {{0, 0.05, 0.8, 0.3, 0.001}, {0.16, 0.05, 0.8, 0.3, 0.001}, {0.32, 0.05, 0.8, 0.3, 0.001}}},
    // Removing: stones sliding down.
    {"se-b-10.ogg",
     0.9,
     {},
     {{0, 0.12, 0.5, 0.25, 0.003},
      {0.07, 0.12, 0.5, 0.25, 0.003},
      {0.14, 0.12, 0.5, 0.25, 0.003},
      {0.21, 0.12, 0.5, 0.25, 0.003},
      {0.28, 0.12, 0.5, 0.25, 0.003},
      {0.35, 0.12, 0.5, 0.25, 0.003}}},
    // Raising a tower: a rising arpeggio.
    {"se-t-02.ogg",
     0.9,
     {{TTimbre::Pluck, 0, 0.1, MidiToHz(72), 0.6},
      {TTimbre::Pluck, 0.06, 0.1, MidiToHz(76), 0.6},
      {TTimbre::Pluck, 0.12, 0.1, MidiToHz(79), 0.6},
      {TTimbre::Pluck, 0.18, 0.1, MidiToHz(84), 0.6}},
     {}},
};

}  // namespace

std::vector<TPiece> MakeBattleEffects() {
    TRandom random(303);
    std::vector<TPiece> effects;
    for (const TEffect& effect : kEffects) effects.push_back({effect.Name, Render(effect, random)});
    return effects;
}

}  // namespace vandor::demo
