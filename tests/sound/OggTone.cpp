#include "sound/OggTone.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <stdexcept>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

namespace vandor::test {

std::vector<int16_t> ToneSamples(int channels, int frames, double frequency, double amplitude, double noise) {
    std::vector<int16_t> samples(static_cast<std::size_t>(frames) * channels);
    uint32_t seed = 12345;
    for (int frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < channels; ++channel) {
            seed = seed * 1664525u + 1013904223u;
            const double white = (seed >> 8) / double(1 << 24) * 2 - 1;
            const double phase = 2 * std::numbers::pi * frequency * (channel + 1) * frame / 44100;
            const double value = amplitude * std::sin(phase) + noise * white;
            samples[std::size_t(frame) * channels + channel] =
                static_cast<int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767));
        }
    }
    return samples;
}

TBytes MakeToneOgg(int channels, int milliseconds, double frequency, double amplitude, double noise) {
    return EncodeOgg(channels, ToneSamples(channels, 44100 * milliseconds / 1000, frequency, amplitude, noise));
}

std::vector<int16_t> DecodeOgg(const TBytes& ogg) {
    FILE* file = fmemopen(const_cast<uint8_t*>(ogg.data()), ogg.size(), "rb");
    if (file == nullptr) throw std::runtime_error("fmemopen failed");
    OggVorbis_File decoder;
    if (ov_open(file, &decoder, nullptr, 0) != 0) {
        std::fclose(file);
        throw std::runtime_error("not an Ogg Vorbis stream");
    }
    std::vector<int16_t> samples;
    char buffer[8192];
    int bitstream = 0;
    long read;
    while ((read = ov_read(&decoder, buffer, sizeof buffer, 0, 2, 1, &bitstream)) > 0) {
        const auto* decoded = reinterpret_cast<const int16_t*>(buffer);
        samples.insert(samples.end(), decoded, decoded + read / 2);
    }
    ov_clear(&decoder);  // closes the file too
    return samples;
}

}  // namespace vandor::test
