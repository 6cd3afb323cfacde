#pragma once
// Ogg Vorbis encoding of 16-bit PCM at 44,100 Hz with libvorbisenc. The game itself
// only decodes; this serves the content generator and the tests that need sound
// files made on the spot. The stream serial number is fixed and the encoder holds no
// clock or random state, so the same samples always give the same bytes.

#include <cstdint>
#include <span>

#include "resources/MemoryStream.h"

namespace vandor {

// samples are interleaved, channels per frame; quality is libvorbisenc's VBR
// quality from -0.1 (smallest) to 1.0 (best). Throws when the encoder refuses the setup.
TBytes EncodeOgg(int channels, std::span<const int16_t> samples, float quality = 0.4f);

}  // namespace vandor
