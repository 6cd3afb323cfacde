// Arbitrary bytes as a picture: decoding gives a picture within the size limits
// or an empty one with a reason, never a crash.

#include <cstddef>
#include <cstdint>
#include <string>

#include "resources/PictureCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    const vandor::TBitmap32 picture = vandor::DecodePicture(data, size, &error);
    if (picture.Empty() ? error.empty() || picture.Width() != 0
                        : picture.Width() > vandor::kMaxPictureSide || picture.Height() > vandor::kMaxPictureSide) {
        __builtin_trap();
    }
    return 0;
}
