#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vandor::demo {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

struct TEnvelope {
    double Attack, Decay, Sustain, Release;
    // Level at time t of a note held for `length` seconds.
    double At(double t, double length) const {
        double level = t < Attack ? t / Attack : Sustain + (1 - Sustain) * std::exp(-(t - Attack) / Decay);
        if (t > length) level *= std::max(0.0, 1 - (t - length) / Release);
        return level;
    }
};

TEnvelope EnvelopeOf(TTimbre timbre) {
    switch (timbre) {
        case TTimbre::Pluck: return {0.004, 0.35, 0.0, 0.25};
        case TTimbre::Pad: return {0.35, 1.0, 0.7, 0.6};
        case TTimbre::Bell: return {0.002, 0.9, 0.0, 1.2};
        case TTimbre::Flute: return {0.06, 0.4, 0.8, 0.12};
        case TTimbre::Brass: return {0.08, 0.5, 0.75, 0.15};
        case TTimbre::Bass: return {0.01, 0.5, 0.5, 0.1};
    }
    return {0.01, 0.3, 0.5, 0.1};
}

// Partials as (frequency ratio, amplitude); bells are inharmonic.
std::vector<std::pair<double, double>> PartialsOf(TTimbre timbre) {
    switch (timbre) {
        case TTimbre::Pluck: return {{1, 1}, {2, 0.45}, {3, 0.22}, {4, 0.12}, {5, 0.06}};
        case TTimbre::Pad: return {{1, 1}, {2, 0.3}, {3, 0.15}, {1.003, 0.6}, {0.997, 0.6}};
        case TTimbre::Bell:
            return {{0.5, 0.35}, {1, 1}, {1.19, 0.45}, {1.56, 0.35}, {2, 0.3}, {2.51, 0.2}, {3.01, 0.1}};
        case TTimbre::Flute: return {{1, 1}, {2, 0.12}, {3, 0.05}};
        case TTimbre::Brass: return {{1, 1}, {2, 0.7}, {3, 0.5}, {4, 0.35}, {5, 0.22}, {6, 0.12}};
        case TTimbre::Bass: return {{1, 1}, {2, 0.35}, {3, 0.08}};
    }
    return {{1, 1}};
}

}  // namespace

TSound::TSound(double seconds) : Samples(static_cast<std::size_t>(std::lround(seconds * kRate)), 0.0f) {}

void TSound::Add(int64_t frame, double value) {
    const auto count = static_cast<int64_t>(Samples.size());
    if (Wrap) frame %= count;
    if (frame < 0 || frame >= count) return;
    Samples[static_cast<std::size_t>(frame)] += static_cast<float>(value);
}

double MidiToHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

void AddNote(TSound& sound, TTimbre timbre, double start, double length, double hz, double gain) {
    const TEnvelope envelope = EnvelopeOf(timbre);
    const auto partials = PartialsOf(timbre);
    const double total = length + envelope.Release;
    const auto first = static_cast<int64_t>(std::lround(start * kRate));
    const auto frames = static_cast<int64_t>(total * kRate);
    // Higher partials of plucked and struck tones die away faster.
    const bool struck = timbre == TTimbre::Pluck || timbre == TTimbre::Bell;
    const bool vibrato = timbre == TTimbre::Flute || timbre == TTimbre::Brass;

    // Each partial is a phasor turned by a fixed angle per sample, which costs a few
    // multiplications instead of a sine. Vibrato timbres have whole-number partials:
    // they follow one swaying phase through the Chebyshev recurrence instead.
    struct TPartial {
        double Cos = 1, Sin = 0, StepCos, StepSin, Amplitude, Damping = 1, DampingStep;
    };
    std::vector<TPartial> oscillators;
    for (const auto& [ratio, amplitude] : partials) {
        const double angle = kTwoPi * hz * ratio / kRate;
        oscillators.push_back(
            {1, 0, std::cos(angle), std::sin(angle), amplitude, 1, struck ? std::exp(-ratio * 1.5 / kRate) : 1.0});
    }
    double phase = 0;
    for (int64_t i = 0; i < frames; ++i) {
        const double t = double(i) / kRate;
        double value = 0;
        if (vibrato) {
            phase += kTwoPi * hz * (1 + 0.004 * std::sin(kTwoPi * 5.2 * t) * std::min(1.0, t * 2)) / kRate;
            const double c = std::cos(phase);
            double previous = 0, current = std::sin(phase);
            for (std::size_t k = 0; k < partials.size(); ++k) {
                value += partials[k].second * current;
                const double next = 2 * c * current - previous;
                previous = current;
                current = next;
            }
        } else {
            for (TPartial& o : oscillators) {
                value += o.Amplitude * o.Damping * o.Sin;
                const double cos = o.Cos * o.StepCos - o.Sin * o.StepSin;
                o.Sin = o.Sin * o.StepCos + o.Cos * o.StepSin;
                o.Cos = cos;
                o.Damping *= o.DampingStep;
            }
            // Rounding would slowly change the phasors' length; put it back now and then.
            if ((i & 1023) == 0) {
                for (TPartial& o : oscillators) {
                    const double length = std::hypot(o.Cos, o.Sin);
                    o.Cos /= length;
                    o.Sin /= length;
                }
            }
        }
        sound.Add(first + i, value * envelope.At(t, length) * gain * 0.3);
    }
}

void AddNoise(TSound& sound, TRandom& random, double start, double length, double gain, double brightness,
              double attack) {
    const auto first = static_cast<int64_t>(std::lround(start * kRate));
    const auto frames = static_cast<int64_t>(length * kRate);
    const double smoothing = std::clamp(brightness, 0.01, 1.0);
    double filtered = 0;
    for (int64_t i = 0; i < frames; ++i) {
        const double t = double(i) / kRate;
        filtered += smoothing * ((random.Next() * 2 - 1) - filtered);
        const double envelope = t < attack ? t / attack : std::exp(-(t - attack) / (length / 4));
        sound.Add(first + i, filtered * envelope * gain);
    }
}

std::vector<int16_t> ToPcm(const TSound& sound, double peak) {
    float loudest = 1e-9f;
    for (float v : sound.Samples) loudest = std::max(loudest, std::abs(v));
    const double scale = peak / loudest * 32767;
    std::vector<int16_t> pcm(sound.Samples.size());
    std::transform(sound.Samples.begin(), sound.Samples.end(), pcm.begin(), [&](float v) {
        return static_cast<int16_t>(std::lround(std::clamp(v * scale, -32767.0, 32767.0)));
    });
    return pcm;
}

}  // namespace vandor::demo
