#pragma once
// The decoders behind DecodePicture, one per file kind. Each gives the picture with
// straight alpha in the surface's byte order, or an empty one with the reason in `why`.

#include <cstddef>
#include <cstdint>
#include <string>

#include "compositor/Bitmap32.h"

namespace vandor {

// False, with the reason, for sizes outside kMaxPictureSide and kMaxPicturePixels.
bool PictureSizeAllowed(int64_t width, int64_t height, std::string& why);

TBitmap32 DecodePng(const uint8_t* data, std::size_t size, std::string& why);
TBitmap32 DecodeJpeg(const uint8_t* data, std::size_t size, std::string& why);

}  // namespace vandor
