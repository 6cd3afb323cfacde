#pragma once
// A small additive synthesiser for the demo's music and sounds: notes with an
// envelope written into a mono buffer that may wrap around (so a piece loops without
// a seam), noise from a fixed seed, and conversion to 16-bit PCM with headroom so
// that nothing clips. Mono keeps the generator fast: encoding is its costliest step.

#include <cstdint>
#include <vector>

#include "Canvas.h"

namespace vandor::demo {

inline constexpr int kRate = 44100;

enum class TTimbre {
    Pluck,  // harp-like: bright attack, long decay
    Pad,    // soft chord: slow attack and release
    Bell,   // inharmonic partials, long ring
    Flute,  // sine with breath and vibrato
    Brass,  // bright, swelling
    Bass,   // round low tone
};

struct TSound {
    explicit TSound(double seconds);
    int Frames() const { return static_cast<int>(Samples.size()); }
    std::vector<float> Samples;

    // Adds to the sample at frame; with Wrap set, frames past the end land at the start.
    void Add(int64_t frame, double value);
    bool Wrap = false;
};

double MidiToHz(int note);
// One note: start and length in seconds; gain about 0-1 before normalisation.
void AddNote(TSound& sound, TTimbre timbre, double start, double length, double hz, double gain);
// A noise burst shaped by an attack/decay envelope, low-passed towards `brightness` (0-1).
void AddNoise(TSound& sound, TRandom& random, double start, double length, double gain, double brightness,
              double attack = 0.005);
// Scales to the peak (a fraction of full scale) and converts to 16-bit samples.
std::vector<int16_t> ToPcm(const TSound& sound, double peak = 0.8);

}  // namespace vandor::demo
