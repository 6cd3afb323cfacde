#include "SoundEffects.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace vandor::demo {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

TSound Loop(double seconds) {
    TSound sound(seconds);
    sound.Wrap = true;
    return sound;
}

// Wind: dark noise whose loudness swells and falls twice per loop.
TSound Wind(TRandom& random) {
    TSound sound = Loop(6);
    double filtered = 0, slow = 0;
    for (int i = 0; i < sound.Frames(); ++i) {
        const double t = double(i) / kRate;
        filtered += 0.04 * ((random.Next() * 2 - 1) - filtered);
        slow += 0.002 * (filtered - slow);
        const double swell = 0.55 + 0.45 * std::sin(kTwoPi * t / 3.0);
        sound.Add(i, (filtered * 0.7 + slow * 4) * swell);
    }
    return sound;
}

// Night: crickets chirping in pairs over a faint hush.
TSound Night(TRandom& random) {
    TSound sound = Loop(4);
    AddNoise(sound, random, 0, 4, 0.0, 0.1);
    for (double start = 0.1; start < 4; start += 0.5) {
        for (int chirp = 0; chirp < 3; ++chirp) {
            const double at = start + chirp * 0.06 + random.Range(0, 0.01);
            for (int i = 0; i < static_cast<int>(0.04 * kRate); ++i) {
                const double t = double(i) / kRate;
                sound.Add(static_cast<int64_t>(at * kRate) + i,
                          0.25 * std::sin(kTwoPi * 4600 * t) * std::sin(std::numbers::pi * t / 0.04));
            }
        }
    }
    return sound;
}

// Rain: a bright hiss with many small drops.
TSound Rain(TRandom& random) {
    TSound sound = Loop(4);
    double filtered = 0;
    for (int i = 0; i < sound.Frames(); ++i) {
        filtered += 0.5 * ((random.Next() * 2 - 1) - filtered);
        sound.Add(i, filtered * 0.25);
    }
    for (int drop = 0; drop < 160; ++drop) AddNoise(sound, random, random.Range(0, 4), 0.03, 0.5, 0.9, 0.001);
    return sound;
}

TSound Thunder(TRandom& random) {
    TSound sound(3.0);
    AddNoise(sound, random, 0, 0.25, 0.9, 0.6, 0.001);
    AddNoise(sound, random, 0.05, 2.9, 1.6, 0.02, 0.05);
    AddNoise(sound, random, 0.6, 1.8, 1.0, 0.015, 0.2);
    return sound;
}

TSound Steps(TRandom& random) {
    TSound sound(1.3);
    for (int step = 0; step < 3; ++step) {
        AddNoise(sound, random, 0.05 + step * 0.38, 0.16, 1.0, 0.08, 0.002);
        AddNote(sound, TTimbre::Bass, 0.05 + step * 0.38, 0.05, 70, 0.8);
    }
    return sound;
}

// A door: a creaking sweep, then the heavy stop.
TSound Door(TRandom& random) {
    TSound sound(1.6);
    double phase = 0;
    for (int i = 0; i < static_cast<int>(0.9 * kRate); ++i) {
        const double t = double(i) / kRate;
        const double hz = 180 + 120 * t + 25 * std::sin(kTwoPi * 11 * t);
        phase += hz / kRate;
        const double saw = 2 * (phase - std::floor(phase)) - 1;
        sound.Add(i, 0.25 * saw * std::sin(std::numbers::pi * t / 0.9));
    }
    AddNoise(sound, random, 0.95, 0.5, 1.2, 0.05, 0.002);
    AddNote(sound, TTimbre::Bass, 0.95, 0.2, 55, 1.0);
    return sound;
}

TSound Sparkle(TRandom& random) {
    TSound sound(1.4);
    for (int i = 0; i < 9; ++i) {
        AddNote(sound, TTimbre::Bell, i * 0.08, 0.1, MidiToHz(84 + (i * 5) % 14 + static_cast<int>(random.Range(0, 3))),
                0.35);
    }
    return sound;
}

// Hammer on metal: two clanks a second, so that it loops in time.
TSound Hammer(TRandom& random) {
    TSound sound = Loop(1.2);
    for (double at : {0.0, 0.6}) {
        AddNoise(sound, random, at, 0.05, 0.8, 0.7, 0.001);
        AddNote(sound, TTimbre::Bell, at, 0.05, 620, 0.9);
    }
    return sound;
}

TSound Bell() {
    TSound sound(3.5);
    AddNote(sound, TTimbre::Bell, 0, 0.2, 330, 1.0);
    AddNote(sound, TTimbre::Bell, 1.1, 0.2, 330, 0.9);
    return sound;
}

TSound Horn() {
    TSound sound(2.4);
    AddNote(sound, TTimbre::Brass, 0, 0.7, MidiToHz(50), 0.9);
    AddNote(sound, TTimbre::Brass, 0.75, 1.2, MidiToHz(57), 1.0);
    return sound;
}

TSound Page(TRandom& random) {
    TSound sound(0.5);
    AddNoise(sound, random, 0, 0.22, 0.6, 0.5, 0.03);
    AddNoise(sound, random, 0.18, 0.25, 0.5, 0.35, 0.02);
    return sound;
}

TSound Chime(std::initializer_list<int> notes, double spacing, double gain) {
    TSound sound(0.1 + spacing * static_cast<double>(notes.size()) + 0.5);
    double at = 0;
    for (int note : notes) {
        AddNote(sound, TTimbre::Pluck, at, 0.08, MidiToHz(note), gain);
        at += spacing;
    }
    return sound;
}

// The voice model: a buzzing pulse through two resonances (the vowel's formants),
// one syllable after another, with the pitch falling at the end of the phrase.
struct TVoice {
    double Pitch;   // Hz
    double Speed;   // syllable length in seconds
    double Breath;  // share of noise in the source
};

struct TBiquad {
    double B0 = 0, B2 = 0, A1 = 0, A2 = 0, X1 = 0, X2 = 0, Y1 = 0, Y2 = 0;
    TBiquad(double hz, double q) {
        const double w = kTwoPi * hz / kRate;
        const double alpha = std::sin(w) / (2 * q);
        const double a0 = 1 + alpha;
        B0 = alpha / a0;
        B2 = -alpha / a0;
        A1 = -2 * std::cos(w) / a0;
        A2 = (1 - alpha) / a0;
    }
    double Step(double x) {
        const double y = B0 * x + B2 * X2 - A1 * Y1 - A2 * Y2;
        X2 = X1;
        X1 = x;
        Y2 = Y1;
        Y1 = y;
        return y;
    }
};

TSound Speak(const TVoice& voice, const char* vowels, TRandom& random, bool loop = false) {
    static constexpr double kFormants[5][2] = {{800, 1200}, {300, 2300}, {350, 1300}, {500, 1900}, {500, 850}};
    const int count = static_cast<int>(std::char_traits<char>::length(vowels));
    TSound sound = loop ? Loop(count * voice.Speed) : TSound(count * voice.Speed + 0.3);
    double phase = 0;
    for (int s = 0; s < count; ++s) {
        if (vowels[s] == ' ') continue;
        const int v = vowels[s] == 'a' ? 0 : vowels[s] == 'i' ? 1 : vowels[s] == 'u' ? 2 : vowels[s] == 'e' ? 3 : 4;
        TBiquad low(kFormants[v][0], 6), high(kFormants[v][1], 9);
        const double start = s * voice.Speed;
        const int frames = static_cast<int>(voice.Speed * 0.92 * kRate);
        const double rise = 1 + 0.06 * std::sin(s * 1.7);
        const double fall = loop ? 1.0 : 1 - 0.18 * double(s) / count;
        for (int i = 0; i < frames; ++i) {
            const double t = double(i) / kRate;
            phase += voice.Pitch * rise * fall * (1 + 0.01 * std::sin(kTwoPi * 6 * t)) / kRate;
            const double pulse = 2 * (phase - std::floor(phase)) - 1;
            const double source = pulse * (1 - voice.Breath) + (random.Next() * 2 - 1) * voice.Breath;
            const double envelope = std::sin(std::numbers::pi * i / frames);
            sound.Add(static_cast<int64_t>(start * kRate) + i, (low.Step(source) + 0.6 * high.Step(source)) * envelope);
        }
    }
    return sound;
}

}  // namespace

std::vector<TPiece> MakeEffects() {
    TRandom random(77);
    std::vector<TPiece> effects;
    effects.push_back({"se_click.ogg", Chime({88}, 0.05, 0.8)});
    effects.push_back({"se_hover.ogg", Chime({93}, 0.03, 0.35)});
    effects.push_back({"se_decide.ogg", Chime({79, 84, 91}, 0.07, 0.8)});
    effects.push_back({"se_wind.ogg", Wind(random)});
    effects.push_back({"se_night.ogg", Night(random)});
    effects.push_back({"se_rain.ogg", Rain(random)});
    effects.push_back({"se_thunder.ogg", Thunder(random)});
    effects.push_back({"se_steps.ogg", Steps(random)});
    effects.push_back({"se_door.ogg", Door(random)});
    effects.push_back({"se_sparkle.ogg", Sparkle(random)});
    effects.push_back({"se_hammer.ogg", Hammer(random)});
    effects.push_back({"se_bell.ogg", Bell()});
    effects.push_back({"se_horn.ogg", Horn()});
    effects.push_back({"se_page.ogg", Page(random)});
    return effects;
}

std::vector<TPiece> MakeVoices() {
    TRandom random(5);
    const TVoice rize{220, 0.14, 0.08};
    const TVoice mio{300, 0.10, 0.05};
    const TVoice noel{250, 0.19, 0.3};
    std::vector<TPiece> voices;
    voices.push_back({"cv_rize_001.ogg", Speak(rize, "oo o o eaeo ei aeu", random)});
    voices.push_back({"cv_rize_002.ogg", Speak(rize, "aio uei", random)});
    voices.push_back({"cv_rize_003.ogg", Speak(rize, "aai o i oo ae", random)});
    voices.push_back({"cv_rize_004.ogg", Speak(rize, "ieaa", random)});
    voices.push_back({"cv_mio_001.ogg", Speak(mio, "iei aa a", random)});
    voices.push_back({"cv_mio_002.ogg", Speak(mio, "iaai", random)});
    voices.push_back({"cv_mio_003.ogg", Speak(mio, "ao a ioo", random)});
    voices.push_back({"cv_noel_001.ogg", Speak(noel, "oeu  o", random)});
    voices.push_back({"cv_noel_002.ogg", Speak(noel, "iaoe", random)});
    voices.push_back({"cv_noel_003.ogg", Speak(noel, "ieaa", random)});
    voices.push_back({"cv_noel_chant.ogg", Speak({196, 0.45, 0.25}, "uuoa uoou", random, true)});

    // The battle's stand-ins, "cv00H-sys-0NN.ogg": heroine 1 commands the base and calls
    // the wave's start (26), victory (29), defeat (30), her cut-ins (31-35) and the
    // hits on the base (36-40); heroines 2-5 call their towers' start and cut-ins.
    const TVoice commanders[] = {rize, mio, noel, {340, 0.12, 0.1}, {190, 0.15, 0.15}};
    const char* const phrases[] = {"aa ei", "ou ia", "eia o", "iaa u", "oeo ai", "uaia"};
    for (int heroine = 1; heroine <= 5; ++heroine) {
        for (int line = 26; line <= 40; ++line) {
            if (heroine > 1 && (line == 29 || line == 30 || line > 35)) continue;
            if (line == 27 || line == 28) continue;
            char name[48];  // room for any two ints, as the compiler checks
            std::snprintf(name, sizeof name, "cv%03d-sys-%03d.ogg", heroine, line);
            voices.push_back({name, Speak(commanders[heroine - 1], phrases[(heroine + line) % 6], random)});
        }
    }
    return voices;
}

}  // namespace vandor::demo
