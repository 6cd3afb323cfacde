#pragma once
// Test sound made on the spot: tones encoded as Ogg Vorbis at 44,100 Hz with
// the shared encoder, and an independent decoder to compare the mixer's output with.

#include <cstdint>
#include <span>
#include <vector>

#include "resources/MemoryStream.h"
#include "sound/OggEncoder.h"

namespace vandor::test {

// Interleaved 16-bit samples; channel c sounds at frequency × (c + 1), so the
// sides of a stereo tone differ. noise adds white noise of that amplitude (0-1)
// from a fixed seed, which makes the material cost about as much to decode as music.
std::vector<int16_t> ToneSamples(int channels, int frames, double frequency, double amplitude, double noise = 0);
using vandor::EncodeOgg;
TBytes MakeToneOgg(int channels, int milliseconds, double frequency = 440, double amplitude = 0.5, double noise = 0);
// Decodes through libvorbisfile's own stdio path, not through the game's callbacks.
std::vector<int16_t> DecodeOgg(const TBytes& ogg);

}  // namespace vandor::test
