#include "Music.h"

#include <string_view>

namespace vandor::demo {
namespace {

// A note in a melody: MIDI number (0 is a rest) and length in beats.
struct TStep {
    int Note;
    double Beats;
};

struct TArrangement {
    double Tempo;  // beats per minute
    int BeatsPerBar;
    std::vector<TStep> Melody;
    std::vector<std::vector<int>> Chords;  // one chord per bar, MIDI numbers
    TTimbre Lead;
    TTimbre Harmony;
    double LeadGain;
    bool EighthBass;  // a driving bass line instead of whole notes
    bool Drums;
};

TSound Render(const TArrangement& a, TRandom& random) {
    const double beat = 60.0 / a.Tempo;
    const double bar = beat * a.BeatsPerBar;
    const auto bars = static_cast<double>(a.Chords.size());
    TSound sound(bar * bars);
    // Tails of the last notes ring on into the start: the loop has no seam.
    sound.Wrap = true;

    double time = 0;
    for (const TStep& step : a.Melody) {
        if (step.Note > 0) {
            AddNote(sound, a.Lead, time, step.Beats * beat * 0.92, MidiToHz(step.Note), a.LeadGain);
            // A quiet echo an octave down thickens the melody.
            AddNote(sound, TTimbre::Pluck, time, step.Beats * beat * 0.5, MidiToHz(step.Note - 12), 0.18);
        }
        time += step.Beats * beat;
    }
    for (std::size_t b = 0; b < a.Chords.size(); ++b) {
        const double start = b * bar;
        const std::vector<int>& chord = a.Chords[b];
        for (std::size_t i = 1; i < chord.size(); ++i) {
            if (a.Harmony == TTimbre::Pad) {
                AddNote(sound, TTimbre::Pad, start, bar * 0.9, MidiToHz(chord[i]), 0.22);
            } else {
                // Broken chords, one note per beat.
                for (int k = 0; k < a.BeatsPerBar; ++k) {
                    const int note = chord[1 + static_cast<std::size_t>(k) % (chord.size() - 1)];
                    AddNote(sound, a.Harmony, start + k * beat, beat, MidiToHz(note), 0.2);
                }
                break;
            }
        }
        if (a.EighthBass) {
            for (int k = 0; k < 2 * a.BeatsPerBar; ++k) {
                const int note = chord[0] + (k % 4 == 3 ? 7 : 0);
                AddNote(sound, TTimbre::Bass, start + k * beat / 2, beat / 2 * 0.8, MidiToHz(note), 0.5);
            }
        } else {
            AddNote(sound, TTimbre::Bass, start, bar * 0.95, MidiToHz(chord[0]), 0.45);
        }
        if (a.Drums) {
            for (int k = 0; k < a.BeatsPerBar; ++k) {
                // A low drum on the beats, a snare-like hiss on two and four.
                AddNote(sound, TTimbre::Bass, start + k * beat, 0.08, 55, 0.7);
                if (k % 2 == 1) AddNoise(sound, random, start + k * beat, 0.18, 0.25, 0.5);
            }
        }
    }
    return sound;
}

// Notes by name: "A4" = 69, "C#5" = 73, "r" = rest.
int Note(std::string_view name) {
    if (name == "r") return 0;
    static constexpr int kSemitones[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    int note = kSemitones[name[0] - 'A'];
    std::size_t i = 1;
    if (name[i] == '#') {
        ++note;
        ++i;
    } else if (name[i] == 'b') {
        --note;
        ++i;
    }
    return note + 12 * (name[i] - '0' + 1);
}

std::vector<TStep> Melody(std::initializer_list<std::pair<const char*, double>> steps) {
    std::vector<TStep> melody;
    for (const auto& [name, beats] : steps) melody.push_back({Note(name), beats});
    return melody;
}

std::vector<int> Chord(std::initializer_list<const char*> names) {
    std::vector<int> chord;
    for (const char* name : names) chord.push_back(Note(name));
    return chord;
}

// A jingle played once: a brass line over one held chord, without the loop's wrap.
TSound Jingle(double tempo, const std::vector<TStep>& melody, const std::vector<int>& chord) {
    const double beat = 60.0 / tempo;
    double length = 0;
    for (const TStep& step : melody) length += step.Beats * beat;
    TSound sound(length + 1.2);
    double time = 0;
    for (const TStep& step : melody) {
        if (step.Note > 0) AddNote(sound, TTimbre::Brass, time, step.Beats * beat * 0.9, MidiToHz(step.Note), 0.7);
        time += step.Beats * beat;
    }
    AddNote(sound, TTimbre::Bass, 0, length, MidiToHz(chord[0]), 0.45);
    for (std::size_t i = 1; i < chord.size(); ++i) AddNote(sound, TTimbre::Pad, 0, length, MidiToHz(chord[i]), 0.2);
    return sound;
}

}  // namespace

std::vector<TPiece> MakeMusic() {
    TRandom random(2024);
    std::vector<TPiece> pieces;

    // Title: a broad minor theme that rises towards the fortress and settles home.
    pieces.push_back(
        {"bgm_title.ogg",
         Render({84,
                 4,
                 Melody({{"A4", 1}, {"C5", 1}, {"E5", 1.5}, {"D5", 0.5}, {"C5", 1}, {"B4", 1}, {"A4", 2},
                         {"F4", 1}, {"A4", 1}, {"C5", 1.5}, {"B4", 0.5}, {"A4", 1}, {"G4", 1}, {"E4", 2},
                         {"F4", 1}, {"A4", 1}, {"D5", 1.5}, {"C5", 0.5}, {"B4", 1}, {"G4", 1}, {"E5", 2},
                         {"D5", 1}, {"C5", 1}, {"B4", 1},   {"G#4", 1},  {"A4", 4}}),
                 {Chord({"A2", "A3", "C4", "E4"}), Chord({"E2", "G3", "B3", "E4"}), Chord({"F2", "F3", "A3", "C4"}),
                  Chord({"C2", "G3", "C4", "E4"}), Chord({"D2", "F3", "A3", "D4"}), Chord({"E2", "G3", "B3", "E4"}),
                  Chord({"D2", "F3", "B3", "E4"}), Chord({"A2", "A3", "C4", "E4"})},
                 TTimbre::Flute,
                 TTimbre::Pad,
                 0.55,
                 false,
                 false},
                random)});

    // The fortress by day: a light, walking tune in F major.
    pieces.push_back(
        {"bgm_fort.ogg",
         Render({108,
                 4,
                 Melody({{"C5", 1},  {"A4", 1},  {"C5", 1}, {"F5", 1}, {"E5", 1}, {"D5", 1}, {"C5", 2},
                         {"Bb4", 1}, {"D5", 1},  {"F5", 1}, {"D5", 1}, {"C5", 3}, {"r", 1},  {"A4", 1},
                         {"C5", 1},  {"F5", 1},  {"A5", 1}, {"G5", 1}, {"F5", 1}, {"E5", 1}, {"D5", 1},
                         {"C5", 1},  {"Bb4", 1}, {"A4", 1}, {"G4", 1}, {"F4", 3}, {"r", 1}}),
                 {Chord({"F2", "F3", "A3", "C4"}), Chord({"C2", "E3", "G3", "C4"}), Chord({"Bb1", "D3", "F3", "Bb3"}),
                  Chord({"F2", "F3", "A3", "C4"}), Chord({"F2", "F3", "A3", "C4"}), Chord({"C2", "E3", "G3", "Bb3"}),
                  Chord({"Bb1", "D3", "F3", "Bb3"}), Chord({"F2", "F3", "A3", "C4"})},
                 TTimbre::Pluck,
                 TTimbre::Pluck,
                 0.7,
                 false,
                 false},
                random)});

    // The observatory: slow bells over a hovering pad.
    pieces.push_back(
        {"bgm_star.ogg", Render({66,
                                 4,
                                 Melody({{"E5", 2},
                                         {"B4", 1},
                                         {"F#5", 1},
                                         {"G5", 3},
                                         {"r", 1},
                                         {"F#5", 2},
                                         {"D5", 1},
                                         {"A4", 1},
                                         {"B4", 3},
                                         {"r", 1},
                                         {"E5", 2},
                                         {"G5", 1},
                                         {"B5", 1},
                                         {"A5", 2},
                                         {"F#5", 2},
                                         {"G5", 1},
                                         {"F#5", 1},
                                         {"D5", 1},
                                         {"E5", 5}}),
                                 {Chord({"E2", "E3", "G3", "B3", "D4"}), Chord({"C2", "E3", "G3", "B3", "D4"}),
                                  Chord({"D2", "D3", "F#3", "A3", "C4"}), Chord({"G2", "D3", "G3", "B3", "D4"}),
                                  Chord({"E2", "E3", "G3", "B3", "D4"}), Chord({"C2", "E3", "G3", "B3", "D4"}),
                                  Chord({"D2", "D3", "F#3", "A3", "C4"}), Chord({"E2", "E3", "G3", "B3", "D4"})},
                                 TTimbre::Bell,
                                 TTimbre::Pad,
                                 0.6,
                                 false,
                                 false},
                                random)});

    // The alarm: a driving minor ostinato with drums and a brass call.
    pieces.push_back(
        {"bgm_alarm.ogg",
         Render({132,
                 4,
                 Melody({{"D4", 1.5}, {"D4", 0.5}, {"F4", 1},  {"A4", 1},   {"G4", 1.5},  {"F4", 0.5}, {"E4", 2},
                         {"D4", 1.5}, {"D4", 0.5}, {"F4", 1},  {"A4", 1},   {"C5", 2},    {"Bb4", 2},  {"A4", 1.5},
                         {"G4", 0.5}, {"F4", 1},   {"G4", 1},  {"A4", 1.5}, {"Bb4", 0.5}, {"A4", 2},   {"G4", 1},
                         {"F4", 1},   {"E4", 1},   {"C#4", 1}, {"D4", 4}}),
                 {Chord({"D2", "D3", "F3", "A3"}), Chord({"C2", "C3", "E3", "G3"}), Chord({"D2", "D3", "F3", "A3"}),
                  Chord({"Bb1", "Bb2", "D3", "F3"}), Chord({"F2", "F3", "A3", "C4"}), Chord({"G2", "G3", "Bb3", "D4"}),
                  Chord({"A1", "A2", "C#3", "E3"}), Chord({"D2", "D3", "F3", "A3"})},
                 TTimbre::Brass,
                 TTimbre::Pad,
                 0.6,
                 true,
                 true},
                random)});

    // The battle: a marching tune in E minor over a driving bass and drums.
    pieces.push_back(
        {"bgm003.ogg",
         Render({120,
                 4,
                 Melody({{"E4", 1}, {"G4", 1},  {"B4", 1.5}, {"A4", 0.5}, {"G4", 1},   {"F#4", 1}, {"E4", 2},
                         {"C5", 1}, {"B4", 1},  {"A4", 1},   {"G4", 1},   {"F#4", 2},  {"D4", 2},  {"E4", 1},
                         {"G4", 1}, {"B4", 1},  {"E5", 1},   {"D5", 1.5}, {"C5", 0.5}, {"B4", 2},  {"A4", 1},
                         {"G4", 1}, {"F#4", 1}, {"D#4", 1},  {"E4", 4}}),
                 {Chord({"E2", "E3", "G3", "B3"}), Chord({"E2", "E3", "G3", "B3"}), Chord({"C2", "C3", "E3", "G3"}),
                  Chord({"D2", "D3", "F#3", "A3"}), Chord({"E2", "E3", "G3", "B3"}), Chord({"G2", "G3", "B3", "D4"}),
                  Chord({"B1", "B2", "D#3", "F#3"}), Chord({"E2", "E3", "G3", "B3"})},
                 TTimbre::Brass,
                 TTimbre::Pad,
                 0.55,
                 true,
                 true},
                random)});
    // A wave beaten, the battle won, the battle lost.
    pieces.push_back({"bgm012.ogg", Jingle(140, Melody({{"G4", 0.5}, {"C5", 0.5}, {"E5", 0.5}, {"G5", 1.5}}),
                                           Chord({"C2", "C3", "E3", "G3"}))});
    pieces.push_back(
        {"bgm013.ogg",
         Jingle(120, Melody({{"C5", 0.5}, {"C5", 0.5}, {"C5", 0.5}, {"E5", 1}, {"D5", 0.5}, {"E5", 0.5}, {"G5", 2.5}}),
                Chord({"C2", "C3", "E3", "G3", "C4"}))});
    pieces.push_back({"bgm014.ogg", Jingle(70, Melody({{"E4", 1}, {"D#4", 1}, {"D4", 1}, {"C#4", 3}}),
                                           Chord({"A1", "A2", "C3", "E3"}))});
    return pieces;
}

}  // namespace vandor::demo
