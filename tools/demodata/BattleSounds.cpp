// The battle's effects: shots of the towers, the fall of an enemy, and the sounds of
// building, raising and removing towers. Short one-shots, each a few notes and noise
// bursts, so that many may overlap in a busy wave.

#include "BattleSounds.h"

namespace vandor::demo {
namespace {

// An arrow: a plucked string, then the hiss of its flight.
TSound Arrow(TRandom& random) {
    TSound sound(0.35);
    AddNote(sound, TTimbre::Pluck, 0, 0.05, 196, 0.8);
    AddNoise(sound, random, 0.01, 0.15, 0.5, 0.8, 0.01);
    return sound;
}

// A magic bolt: a bright bell falling a fifth.
TSound Bolt() {
    TSound sound(0.6);
    AddNote(sound, TTimbre::Bell, 0, 0.06, MidiToHz(88), 0.6);
    AddNote(sound, TTimbre::Bell, 0.05, 0.1, MidiToHz(81), 0.5);
    return sound;
}

// A thrown stone: the creak of the arm and a dull thud.
TSound Catapult(TRandom& random) {
    TSound sound(0.6);
    AddNoise(sound, random, 0, 0.12, 0.4, 0.15, 0.04);
    AddNote(sound, TTimbre::Bass, 0.12, 0.15, 62, 1.0);
    return sound;
}

// Fire of the base, the sorcery and the dragon: a low roar with a crackle.
TSound Blast(TRandom& random) {
    TSound sound(0.8);
    AddNoise(sound, random, 0, 0.5, 1.0, 0.1, 0.02);
    AddNoise(sound, random, 0, 0.2, 0.4, 0.7, 0.002);
    AddNote(sound, TTimbre::Bass, 0, 0.2, 48, 0.7);
    return sound;
}

// An enemy falls: a short cry of noise and a thump.
TSound Fall(TRandom& random) {
    TSound sound(0.4);
    AddNoise(sound, random, 0, 0.08, 0.6, 0.45, 0.002);
    AddNote(sound, TTimbre::Bass, 0.04, 0.08, 80, 0.9);
    return sound;
}

// Building: three hammer blows on wood.
TSound Build(TRandom& random) {
    TSound sound(0.8);
    for (int blow = 0; blow < 3; ++blow) {
        AddNoise(sound, random, blow * 0.16, 0.05, 0.8, 0.3, 0.001);
        AddNote(sound, TTimbre::Bass, blow * 0.16, 0.04, 110, 0.6);
    }
    return sound;
}

// Removing: stones sliding down.
TSound Tumble(TRandom& random) {
    TSound sound(0.9);
    for (int stone = 0; stone < 6; ++stone) AddNoise(sound, random, stone * 0.07, 0.12, 0.5, 0.25, 0.003);
    return sound;
}

// Raising a tower: a rising arpeggio.
TSound Raise() {
    TSound sound(0.9);
    const int notes[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i) AddNote(sound, TTimbre::Pluck, i * 0.06, 0.1, MidiToHz(notes[i]), 0.6);
    return sound;
}

}  // namespace

std::vector<TPiece> MakeBattleEffects() {
    TRandom random(303);
    std::vector<TPiece> effects;
    effects.push_back({"se-b-00.ogg", Fall(random)});
    effects.push_back({"se-b-01.ogg", Arrow(random)});
    effects.push_back({"se-b-03.ogg", Bolt()});
    effects.push_back({"se-b-04.ogg", Catapult(random)});
    effects.push_back({"se-b-07.ogg", Blast(random)});
    effects.push_back({"se-b-09.ogg", Build(random)});
    effects.push_back({"se-b-10.ogg", Tumble(random)});
    effects.push_back({"se-t-02.ogg", Raise()});
    return effects;
}

}  // namespace vandor::demo
