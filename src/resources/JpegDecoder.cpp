// JPEG through libturbojpeg, opaque BGRX into the surface.

#include <turbojpeg.h>

#include <memory>

#include "resources/PictureDecoders.h"

namespace vandor {

TBitmap32 DecodeJpeg(const uint8_t* data, std::size_t size, std::string& why) {
    std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitDecompress(), tjDestroy);
    if (!handle) {
        why = "JPEG: cannot start the decoder";
        return {};
    }
    int width = 0, height = 0, subsampling = 0, colourSpace = 0;
    const auto length = static_cast<unsigned long>(size);
    if (tjDecompressHeader3(handle.get(), data, length, &width, &height, &subsampling, &colourSpace) != 0) {
        why = std::string("JPEG: ") + tjGetErrorStr2(handle.get());
        return {};
    }
    if (!PictureSizeAllowed(width, height, why)) return {};
    TBitmap32 picture(width, height);
    // Old pictures end without their end-of-image marker or carry bytes after it; the
    // library decodes what is there and reports a warning, and the picture shows as
    // decoded. Only a fatal error makes it undecodable.
    if (tjDecompress2(handle.get(), data, length, reinterpret_cast<unsigned char*>(picture.Bits()), width, width * 4,
                      height, TJPF_BGRX, 0) != 0 &&
        tjGetErrorCode(handle.get()) != TJERR_WARNING) {
        why = std::string("JPEG: ") + tjGetErrorStr2(handle.get());
        return {};
    }
    // The library does not promise what it writes into the X byte; a JPEG is opaque.
    TColor32* pixel = picture.Bits();
    for (std::size_t i = 0, n = std::size_t(width) * height; i < n; ++i) pixel[i] |= 0xFF000000u;
    return picture;
}

}  // namespace vandor
