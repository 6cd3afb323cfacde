#include "resources/PictureCodec.h"

#include <png.h>
#include <turbojpeg.h>

#include <cstring>
#include <fstream>
#include <memory>

namespace vandor {
namespace {

constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kJpegSignature[] = {0xFF, 0xD8, 0xFF};

template <std::size_t N>
bool StartsWith(const uint8_t* data, std::size_t size, const uint8_t (&signature)[N]) {
    return size >= N && std::memcmp(data, signature, N) == 0;
}

bool SizeAllowed(int64_t width, int64_t height, std::string& why) {
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
        width * height > kMaxPicturePixels) {
        why = "unsupported picture size " + std::to_string(width) + " x " + std::to_string(height);
        return false;
    }
    return true;
}

// libpng's simplified reader with PNG_FORMAT_BGRA gives straight alpha in the
// surface's byte order (B, G, R, A = AARRGGBB little-endian); opaque formats get 255.
TBitmap32 DecodePng(const uint8_t* data, std::size_t size, std::string& why) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) {
        why = std::string("PNG: ") + image.message;
        png_image_free(&image);
        return {};
    }
    if (!SizeAllowed(image.width, image.height, why)) {
        png_image_free(&image);
        return {};
    }
    image.format = PNG_FORMAT_BGRA;
    TBitmap32 picture(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!png_image_finish_read(&image, nullptr, picture.Bits(), 0, nullptr)) {
        why = std::string("PNG: ") + image.message;
        png_image_free(&image);
        return {};
    }
    return picture;
}

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
    if (!SizeAllowed(width, height, why)) return {};
    TBitmap32 picture(width, height);
    // A warning (for instance data ending early) fails too: a truncated picture
    // would show a grey remainder, so it counts as undecodable.
    if (tjDecompress2(handle.get(), data, length, reinterpret_cast<unsigned char*>(picture.Bits()), width, width * 4,
                      height, TJPF_BGRX, 0) != 0) {
        why = std::string("JPEG: ") + tjGetErrorStr2(handle.get());
        return {};
    }
    // The library does not promise what it writes into the X byte; a JPEG is opaque.
    TColor32* pixel = picture.Bits();
    for (std::size_t i = 0, n = std::size_t(width) * height; i < n; ++i) pixel[i] |= 0xFF000000u;
    return picture;
}

}  // namespace

TBitmap32 DecodePicture(const uint8_t* data, std::size_t size, std::string* error) {
    std::string why;
    TBitmap32 picture;
    if (StartsWith(data, size, kPngSignature)) {
        picture = DecodePng(data, size, why);
    } else if (StartsWith(data, size, kJpegSignature)) {
        picture = DecodeJpeg(data, size, why);
    } else {
        why = "neither PNG nor JPEG data";
    }
    if (picture.Empty() && error != nullptr) *error = why;
    picture.SetDrawMode(TDrawMode::dmBlend);
    picture.SetMasterAlpha(255);
    return picture;
}

TBytes EncodePng(const TBitmap32& picture, TPngAlpha alpha) {
    if (picture.Empty()) return {};
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.Width());
    image.height = static_cast<png_uint_32>(picture.Height());
    const void* pixels = picture.Bits();
    TBytes rgb;
    if (alpha == TPngAlpha::Keep) {
        image.format = PNG_FORMAT_BGRA;
    } else {
        image.format = PNG_FORMAT_BGR;
        const std::size_t count = std::size_t(picture.Width()) * picture.Height();
        rgb.resize(count * 3);
        const TColor32* source = picture.Bits();
        for (std::size_t i = 0; i < count; ++i) {
            rgb[3 * i] = static_cast<uint8_t>(source[i]);
            rgb[3 * i + 1] = static_cast<uint8_t>(source[i] >> 8);
            rgb[3 * i + 2] = static_cast<uint8_t>(source[i] >> 16);
        }
        pixels = rgb.data();
    }
    png_alloc_size_t length = 0;
    if (!png_image_write_to_memory(&image, nullptr, &length, 0, pixels, 0, nullptr)) return {};
    TBytes out(length);
    if (!png_image_write_to_memory(&image, out.data(), &length, 0, pixels, 0, nullptr)) return {};
    out.resize(length);
    return out;
}

bool SavePng(const TBitmap32& picture, const std::string& path, TPngAlpha alpha) {
    const TBytes png = EncodePng(picture, alpha);
    if (png.empty()) return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size())) &&
           out.flush();
}

}  // namespace vandor
