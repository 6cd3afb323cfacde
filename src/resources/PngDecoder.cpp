// PNG through libpng's regular reader. Every kind of PNG (palette, grey, grey with
// alpha, RGB, RGBA, 1 to 16 bits, interlaced, tRNS) becomes 8-bit B, G, R, A, the
// surface's byte order. Colours go into the surface exactly as stored: no transform
// that reads gAMA, cHRM, sRGB or iCCP is set, so pictures look the same whatever
// colour chunks their painting program wrote.
//
// libpng reports errors by longjmp. The functions that call into it between setjmp
// and the jump hold no C++ object with a destructor, so the jump skips none; the
// surface and the row table live in the caller, made between the two libpng phases.

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resources/PictureDecoders.h"

namespace vandor {
namespace {

// Plain data only: it is shared with libpng's callbacks across the longjmp.
struct TPngInput {
    const uint8_t* Data;
    std::size_t Size;
    std::size_t Offset;
    char Message[160];
};

[[noreturn]] void FailPng(png_structp png, png_const_charp message) {
    TPngInput& input = *static_cast<TPngInput*>(png_get_error_ptr(png));
    std::snprintf(input.Message, sizeof input.Message, "%s", message);
    png_longjmp(png, 1);
}

// Warnings (a damaged ancillary chunk, an odd colour profile) never stop a picture.
void IgnorePngWarning(png_structp, png_const_charp) {}

void ReadPngBytes(png_structp png, png_bytep target, png_size_t length) {
    TPngInput& input = *static_cast<TPngInput*>(png_get_io_ptr(png));
    if (length > input.Size - input.Offset) png_error(png, "data ends early");
    std::memcpy(target, input.Data + input.Offset, length);
    input.Offset += length;
}

struct TPngHeader {
    png_uint_32 Width;
    png_uint_32 Height;
    png_size_t RowBytes;
};

// Reads the chunks before the pixels and sets the transforms that turn any PNG into
// 8-bit BGRA. 16-bit samples are reduced to the nearest 8-bit value,
// (v × 255 + 32767) div 65535 (libpng's scale_16), rather than cut to the high byte.
bool ReadPngHeader(png_structp png, png_infop info, TPngHeader* header) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    const int colourType = png_get_color_type(png, info);
    const bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
    png_set_scale_16(png);
    if ((colourType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (!hasAlpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    header->Width = png_get_image_width(png, info);
    header->Height = png_get_image_height(png, info);
    header->RowBytes = png_get_rowbytes(png, info);
    return true;
}

bool ReadPngPixels(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    return true;
}

struct TPngReadGuard {
    png_structp Png = nullptr;
    png_infop Info = nullptr;
    ~TPngReadGuard() { png_destroy_read_struct(&Png, &Info, nullptr); }
};

}  // namespace

TBitmap32 DecodePng(const uint8_t* data, std::size_t size, std::string& why) {
    TPngInput input{data, size, 0, "cannot start the decoder"};
    TPngReadGuard guard;
    guard.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &input, FailPng, IgnorePngWarning);
    if (guard.Png) guard.Info = png_create_info_struct(guard.Png);
    if (!guard.Info) {
        why = "PNG: cannot start the decoder";
        return {};
    }
    png_set_read_fn(guard.Png, &input, ReadPngBytes);

    TPngHeader header{};
    if (!ReadPngHeader(guard.Png, guard.Info, &header)) {
        why = std::string("PNG: ") + input.Message;
        return {};
    }
    if (!PictureSizeAllowed(header.Width, header.Height, why)) return {};
    if (header.RowBytes != std::size_t{header.Width} * 4) {
        why = "PNG: unexpected row size " + std::to_string(header.RowBytes);
        return {};
    }
    TBitmap32 picture(static_cast<int>(header.Width), static_cast<int>(header.Height));
    std::vector<png_bytep> rows(header.Height);
    for (png_uint_32 y = 0; y < header.Height; ++y) {
        rows[y] = reinterpret_cast<png_bytep>(picture.ScanLine(static_cast<int>(y)));
    }
    if (!ReadPngPixels(guard.Png, rows.data())) {
        why = std::string("PNG: ") + input.Message;
        return {};
    }
    return picture;
}

}  // namespace vandor
