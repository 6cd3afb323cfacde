#pragma once
// PNG and JPEG to and from TBitmap32. Decoded pictures have straight alpha: a
// JPEG or a PNG without alpha is opaque, a PNG with alpha keeps it exactly and the
// colours of its transparent pixels stay as stored. Colours are never gamma- or
// colour-space-corrected: the surface gets the values the file stores.

#include <cstddef>
#include <cstdint>
#include <string>

#include "compositor/Bitmap32.h"
#include "resources/MemoryStream.h"

namespace vandor {

// Larger pictures are refused before any memory is taken for them: no game picture
// comes near, and a few bytes of a damaged or hostile file can claim any size.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr int64_t kMaxPicturePixels = int64_t{8192} * 8192;

// The picture in dmBlend with MasterAlpha 255, or an empty (0 x 0) picture when
// the bytes are not a complete PNG or JPEG; then `error` (when given) says why.
TBitmap32 DecodePicture(const uint8_t* data, std::size_t size, std::string* error = nullptr);

enum class TPngAlpha { Keep, Opaque };

// PNG bytes of the picture; Opaque writes RGB only (for screenshots, whose alpha
// means nothing). Empty when the picture is empty or encoding failed.
TBytes EncodePng(const TBitmap32& picture, TPngAlpha alpha = TPngAlpha::Keep);
bool SavePng(const TBitmap32& picture, const std::string& path, TPngAlpha alpha = TPngAlpha::Keep);

}  // namespace vandor
