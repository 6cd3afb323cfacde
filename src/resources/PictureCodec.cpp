#include "resources/PictureCodec.h"

#include <png.h>

#include <cstring>
#include <fstream>

#include "resources/PictureDecoders.h"

namespace vandor {
namespace {

constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kJpegSignature[] = {0xFF, 0xD8, 0xFF};

template <std::size_t N>
bool StartsWith(const uint8_t* data, std::size_t size, const uint8_t (&signature)[N]) {
    return size >= N && std::memcmp(data, signature, N) == 0;
}

}  // namespace

bool PictureSizeAllowed(int64_t width, int64_t height, std::string& why) {
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
        width * height > kMaxPicturePixels) {
        why = "unsupported picture size " + std::to_string(width) + " x " + std::to_string(height);
        return false;
    }
    return true;
}

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
