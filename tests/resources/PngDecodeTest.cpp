#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "resources/PictureCodec.h"

namespace vandor {
namespace {

// A PNG described by its stored samples (one list per row, channels interleaved in
// the file's order) and the chunks around them; written with libpng's own writer,
// so every kind of file the game may meet can be made here.
struct TPngFile {
    int Width = 1;
    int Height = 1;
    int BitDepth = 8;
    int ColourType = PNG_COLOR_TYPE_RGB;
    std::vector<std::vector<int>> Samples = {};
    bool Interlaced = false;
    std::vector<png_color> Palette = {};
    std::vector<uint8_t> PaletteAlpha = {};
    std::optional<png_color_16> TransparentColour = {};
    double Gamma = 0;           // a gAMA chunk with this file gamma when not 0
    bool ColourChunks = false;  // sRGB with its gAMA and cHRM
};

// Samples as the format stores them: several to a byte below 8 bits (first one in
// the high bits), two bytes big-endian at 16.
std::vector<uint8_t> PackRow(const std::vector<int>& samples, int bitDepth) {
    std::vector<uint8_t> row;
    if (bitDepth == 16) {
        for (int sample : samples) row.insert(row.end(), {uint8_t(sample >> 8), uint8_t(sample)});
        return row;
    }
    const int perByte = 8 / bitDepth;
    row.assign((samples.size() + perByte - 1) / perByte, 0);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        row[i / perByte] |= uint8_t(samples[i] << (8 - bitDepth * (1 + int(i) % perByte)));
    }
    return row;
}

void AppendPngBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<TBytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// No object with a destructor lives here: libpng leaves by longjmp on an error.
bool WritePngChunks(png_structp png, png_infop info, const TPngFile& file, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, file.Width, file.Height, file.BitDepth, file.ColourType,
                 file.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!file.Palette.empty()) png_set_PLTE(png, info, file.Palette.data(), int(file.Palette.size()));
    if (!file.PaletteAlpha.empty()) {
        png_set_tRNS(png, info, file.PaletteAlpha.data(), int(file.PaletteAlpha.size()), nullptr);
    }
    if (file.TransparentColour) png_set_tRNS(png, info, nullptr, 0, &*file.TransparentColour);
    if (file.Gamma != 0) png_set_gAMA(png, info, file.Gamma);
    if (file.ColourChunks) png_set_sRGB_gAMA_and_cHRM(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

TBytes WritePng(const TPngFile& file) {
    std::vector<std::vector<uint8_t>> packed;
    std::vector<png_bytep> rows;
    for (const auto& samples : file.Samples) packed.push_back(PackRow(samples, file.BitDepth));
    for (auto& row : packed) rows.push_back(row.data());
    TBytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, AppendPngBytes, nullptr);
    const bool written = WritePngChunks(png, info, file, rows.data());
    png_destroy_write_struct(&png, &info);
    EXPECT_TRUE(written);
    return out;
}

std::vector<TColor32> DecodedPixels(const TBytes& png, int width, int height) {
    std::string error;
    const TBitmap32 picture = DecodePicture(png.data(), png.size(), &error);
    EXPECT_EQ(picture.Width(), width) << error;
    EXPECT_EQ(picture.Height(), height) << error;
    if (picture.Width() != width || picture.Height() != height) return {};
    return std::vector<TColor32>(picture.Bits(), picture.Bits() + std::size_t(width) * height);
}

// The rounding rule for 16-bit samples, written out here on its own.
uint32_t RoundTo8Bits(uint32_t sample) { return (sample * 255 + 32767) / 65535; }

TEST(PngDecode, EveryKindOfPngShowsTheColoursItStores) {
    const std::vector<png_color> palette = {{0x80, 0x40, 0x20}, {0x10, 0x20, 0x30}, {0xFF, 0xFF, 0xFF}};
    struct TCase {
        std::string What;
        TPngFile File;
        std::vector<TColor32> Expected;
    };
    const std::vector<TCase> cases = {
        {"RGB with gAMA 1.0",
         {.Width = 2, .Samples = {{0x80, 0x40, 0x20, 0xFF, 0x00, 0x7F}}, .Gamma = 1.0},
         {0xFF804020, 0xFFFF007F}},
        {"RGB with gAMA 1/1.8",
         {.Width = 2, .Samples = {{0x80, 0x40, 0x20, 0xFF, 0x00, 0x7F}}, .Gamma = 1 / 1.8},
         {0xFF804020, 0xFFFF007F}},
        {"RGB with sRGB and cHRM",
         {.Width = 2, .Samples = {{0x80, 0x40, 0x20, 0xFF, 0x00, 0x7F}}, .ColourChunks = true},
         {0xFF804020, 0xFFFF007F}},
        {"RGB 16-bit",
         {.Width = 2, .BitDepth = 16, .Samples = {{0x8080, 0x4040, 0x2020, 0xFFFF, 0x0000, 0x0081}}},
         {0xFF804020, 0xFFFF0001}},
        {"RGBA 8-bit, colour under full transparency kept",
         {.Width = 2, .ColourType = PNG_COLOR_TYPE_RGBA, .Samples = {{0x80, 0x40, 0x20, 0x00, 1, 2, 3, 0x80}}},
         {0x00804020, 0x80010203}},
        {"RGBA 16-bit with gAMA 1.0",
         {.BitDepth = 16,
          .ColourType = PNG_COLOR_TYPE_RGBA,
          .Samples = {{0x8080, 0x4040, 0x2020, 0x8080}},
          .Gamma = 1.0},
         {0x80804020}},
        {"grey 8-bit",
         {.Width = 3, .ColourType = PNG_COLOR_TYPE_GRAY, .Samples = {{0x00, 0x5A, 0xFF}}},
         {0xFF000000, 0xFF5A5A5A, 0xFFFFFFFF}},
        {"grey 16-bit",
         {.Width = 3, .BitDepth = 16, .ColourType = PNG_COLOR_TYPE_GRAY, .Samples = {{0x5A5A, 0xFFFF, 0x0081}}},
         {0xFF5A5A5A, 0xFFFFFFFF, 0xFF010101}},
        {"grey 4-bit",
         {.Width = 3, .BitDepth = 4, .ColourType = PNG_COLOR_TYPE_GRAY, .Samples = {{0, 7, 15}}},
         {0xFF000000, 0xFF777777, 0xFFFFFFFF}},
        {"grey 2-bit over two rows",
         {.Width = 3, .Height = 2, .BitDepth = 2, .ColourType = PNG_COLOR_TYPE_GRAY, .Samples = {{0, 1, 2}, {3, 2, 1}}},
         {0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF, 0xFFAAAAAA, 0xFF555555}},
        {"grey 1-bit across a byte",
         {.Width = 10, .BitDepth = 1, .ColourType = PNG_COLOR_TYPE_GRAY, .Samples = {{1, 0, 0, 0, 0, 0, 0, 0, 0, 1}}},
         {0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000,
          0xFFFFFFFF}},
        {"grey with alpha 8-bit",
         {.Width = 2, .ColourType = PNG_COLOR_TYPE_GRAY_ALPHA, .Samples = {{0x80, 0x40, 0x10, 0xFF}}},
         {0x40808080, 0xFF101010}},
        {"grey with alpha 16-bit",
         {.BitDepth = 16, .ColourType = PNG_COLOR_TYPE_GRAY_ALPHA, .Samples = {{0x8080, 0x4040}}},
         {0x40808080}},
        {"palette 8-bit",
         {.Width = 3, .ColourType = PNG_COLOR_TYPE_PALETTE, .Samples = {{2, 0, 1}}, .Palette = palette},
         {0xFFFFFFFF, 0xFF804020, 0xFF102030}},
        {"palette 4-bit with tRNS shorter than the palette",
         {.Width = 3,
          .BitDepth = 4,
          .ColourType = PNG_COLOR_TYPE_PALETTE,
          .Samples = {{0, 1, 2}},
          .Palette = palette,
          .PaletteAlpha = {0x00, 0x80}},
         {0x00804020, 0x80102030, 0xFFFFFFFF}},
        {"palette 2-bit",
         {.Width = 5,
          .BitDepth = 2,
          .ColourType = PNG_COLOR_TYPE_PALETTE,
          .Samples = {{2, 1, 0, 0, 2}},
          .Palette = palette},
         {0xFFFFFFFF, 0xFF102030, 0xFF804020, 0xFF804020, 0xFFFFFFFF}},
        {"palette 1-bit with tRNS",
         {.Width = 3,
          .BitDepth = 1,
          .ColourType = PNG_COLOR_TYPE_PALETTE,
          .Samples = {{1, 0, 1}},
          .Palette = {palette[0], palette[1]},
          .PaletteAlpha = {0xFF, 0x20}},
         {0x20102030, 0xFF804020, 0x20102030}},
        {"grey 8-bit with tRNS",
         {.Width = 2,
          .ColourType = PNG_COLOR_TYPE_GRAY,
          .Samples = {{0x33, 0x34}},
          .TransparentColour = png_color_16{0, 0, 0, 0, 0x33}},
         {0x00333333, 0xFF343434}},
        {"grey 2-bit with tRNS",
         {.Width = 2,
          .BitDepth = 2,
          .ColourType = PNG_COLOR_TYPE_GRAY,
          .Samples = {{1, 2}},
          .TransparentColour = png_color_16{0, 0, 0, 0, 1}},
         {0x00555555, 0xFFAAAAAA}},
        {"RGB 8-bit with tRNS",
         {.Width = 2,
          .Samples = {{0x80, 0x40, 0x20, 0x80, 0x40, 0x21}},
          .TransparentColour = png_color_16{0, 0x80, 0x40, 0x20, 0}},
         {0x00804020, 0xFF804021}},
        {"RGB 16-bit with tRNS, matched before reduction",
         {.Width = 2,
          .BitDepth = 16,
          .Samples = {{0x1010, 0x2020, 0x3030, 0x1010, 0x2020, 0x3031}},
          .TransparentColour = png_color_16{0, 0x1010, 0x2020, 0x3030, 0}},
         {0x00102030, 0xFF102030}},
        {"interlaced palette 4-bit with tRNS",
         {.Width = 3,
          .Height = 3,
          .BitDepth = 4,
          .ColourType = PNG_COLOR_TYPE_PALETTE,
          .Samples = {{0, 1, 2}, {2, 0, 1}, {1, 2, 0}},
          .Interlaced = true,
          .Palette = palette,
          .PaletteAlpha = {0x00, 0x80}},
         {0x00804020, 0x80102030, 0xFFFFFFFF, 0xFFFFFFFF, 0x00804020, 0x80102030, 0x80102030, 0xFFFFFFFF, 0x00804020}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(DecodedPixels(WritePng(c.File), c.File.Width, c.File.Height), c.Expected);
    }
}

TEST(PngDecode, SixteenBitSamplesAreRoundedToEightBits) {
    // Every 16-bit value once as grey and once as alpha, in an interlaced file.
    TPngFile file{
        .Width = 256, .Height = 256, .BitDepth = 16, .ColourType = PNG_COLOR_TYPE_GRAY_ALPHA, .Interlaced = true};
    for (int y = 0; y < 256; ++y) {
        std::vector<int>& row = file.Samples.emplace_back();
        for (int x = 0; x < 256; ++x) row.insert(row.end(), {y * 256 + x, 65535 - (y * 256 + x)});
    }
    const std::vector<TColor32> pixels = DecodedPixels(WritePng(file), 256, 256);
    ASSERT_EQ(pixels.size(), 65536u);
    for (uint32_t v = 0; v < 65536; ++v) {
        const uint32_t grey = RoundTo8Bits(v);
        const TColor32 expected = RoundTo8Bits(65535 - v) << 24 | grey << 16 | grey << 8 | grey;
        ASSERT_EQ(pixels[v], expected) << "sample " << v;
    }
}

TEST(PngDecode, InterlacedPngsGiveTheSamePixelsAsStraightOnes) {
    std::mt19937 random(5);
    TPngFile file{.Width = 13, .Height = 11, .ColourType = PNG_COLOR_TYPE_RGBA};
    std::vector<TColor32> expected;
    for (int y = 0; y < file.Height; ++y) {
        std::vector<int>& row = file.Samples.emplace_back();
        for (int x = 0; x < file.Width; ++x) {
            const TColor32 pixel = random();
            const int alpha = int(pixel >> 24);
            row.insert(row.end(), {int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF), alpha});
            expected.push_back(pixel);
        }
    }
    EXPECT_EQ(DecodedPixels(WritePng(file), 13, 11), expected);
    file.Interlaced = true;
    EXPECT_EQ(DecodedPixels(WritePng(file), 13, 11), expected);
}

TEST(PngDecode, DamagedPngsFailWithAReason) {
    TPngFile file{.Width = 9, .Height = 7, .BitDepth = 16, .ColourType = PNG_COLOR_TYPE_RGBA, .Interlaced = true};
    for (int y = 0; y < file.Height; ++y) file.Samples.push_back(std::vector<int>(9 * 4, y * 9000));
    const TBytes png = WritePng(file);
    // Cut anywhere before the last row's data: libpng stops in the middle of its work.
    const std::size_t iend = png.size() - 12;
    for (std::size_t length = 8; length < iend - 16; ++length) {
        std::string error;
        const TBitmap32 picture = DecodePicture(png.data(), length, &error);
        ASSERT_TRUE(picture.Empty()) << "cut at " << length;
        ASSERT_EQ(error.rfind("PNG: ", 0), 0u) << "cut at " << length << ": " << error;
    }
    // Damaged pixel data: the zlib stream's or the chunk's checksum no longer matches.
    TBytes damaged = png;
    damaged[iend - 8] ^= 0x55;
    std::string error;
    EXPECT_TRUE(DecodePicture(damaged.data(), damaged.size(), &error).Empty());
    EXPECT_EQ(error.rfind("PNG: ", 0), 0u) << error;
}

}  // namespace
}  // namespace vandor
