#include <gtest/gtest.h>
#include <png.h>
#include <turbojpeg.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "TestFiles.h"
#include "resources/ArchiveFormat.h"
#include "resources/ImageCache.h"
#include "resources/PictureCodec.h"

namespace vandor {
namespace {

using test::Bytes;

// Encoded here with libpng's RGB(A) byte order, independent of the codec under test.
TBytes MakePng(int width, int height, const std::vector<uint8_t>& pixels, bool withAlpha) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = withAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr));
    TBytes out(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr));
    out.resize(size);
    return out;
}

TBytes MakeJpeg(int width, int height, const std::vector<uint8_t>& rgb) {
    tjhandle handle = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    EXPECT_EQ(tjCompress2(handle, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_444, 100, 0), 0);
    TBytes out(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(handle);
    return out;
}

TBytes MakeJpeg(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < width * height; ++i) rgb.insert(rgb.end(), {r, g, b});
    return MakeJpeg(width, height, rgb);
}

TBitmap32 Decode(const TBytes& bytes, std::string* error = nullptr) {
    return DecodePicture(bytes.data(), bytes.size(), error);
}

TEST(PictureCodecTest, PngAlphaIsKeptStraightAndOpaquePngsGetFullAlpha) {
    // RGBA: a transparent pixel with colour, a half-transparent one, an opaque one.
    const TBytes rgba = MakePng(3, 1, {10, 20, 30, 0, 200, 100, 50, 128, 1, 2, 3, 255}, true);
    const TBitmap32 picture = Decode(rgba);
    ASSERT_EQ(picture.Width(), 3);
    ASSERT_EQ(picture.Height(), 1);
    EXPECT_EQ(picture.Bits()[0], 0x000A141Eu);
    EXPECT_EQ(picture.Bits()[1], 0x80C86432u);
    EXPECT_EQ(picture.Bits()[2], 0xFF010203u);
    EXPECT_EQ(picture.DrawMode(), TDrawMode::dmBlend);
    EXPECT_EQ(picture.MasterAlpha(), 255);

    const TBitmap32 opaque = Decode(MakePng(2, 2, {10, 20, 30, 0, 0, 0, 255, 255, 255, 7, 8, 9}, false));
    ASSERT_EQ(opaque.Width(), 2);
    EXPECT_EQ(opaque.Bits()[0], 0xFF0A141Eu);
    EXPECT_EQ(opaque.Bits()[1], 0xFF000000u);
    EXPECT_EQ(opaque.Bits()[3], 0xFF070809u);
}

TEST(PictureCodecTest, JpegIsOpaque) {
    const TBitmap32 picture = Decode(MakeJpeg(16, 8, 200, 100, 50));
    ASSERT_EQ(picture.Width(), 16);
    ASSERT_EQ(picture.Height(), 8);
    for (int i = 0; i < 16 * 8; ++i) {
        const TColor32 pixel = picture.Bits()[i];
        ASSERT_EQ(pixel >> 24, 0xFFu);
        EXPECT_NEAR(int(pixel >> 16 & 0xFF), 200, 2);
        EXPECT_NEAR(int(pixel >> 8 & 0xFF), 100, 2);
        EXPECT_NEAR(int(pixel & 0xFF), 50, 2);
    }
}

TEST(PictureCodecTest, JpegsThatDecodeWithAWarningShowWhatWasDecoded) {
    constexpr int kWidth = 64, kHeight = 48;
    std::mt19937 random(3);
    std::vector<uint8_t> noise(kWidth * kHeight * 3);
    for (uint8_t& sample : noise) sample = static_cast<uint8_t>(random());
    const TBytes jpeg = MakeJpeg(kWidth, kHeight, noise);
    ASSERT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    ASSERT_EQ(jpeg[jpeg.size() - 1], 0xD9);
    const TBitmap32 whole = Decode(jpeg);
    ASSERT_EQ(whole.Width(), kWidth);
    ASSERT_EQ(whole.Height(), kHeight);
    const auto rowsEqual = [&](const TBitmap32& picture, int rows) {
        return std::equal(picture.Bits(), picture.Bits() + kWidth * rows, whole.Bits());
    };

    TBytes trailing = jpeg;
    for (uint8_t byte : Bytes("bytes an old tool left after the end marker")) trailing.push_back(byte);
    const TBytes unterminated(jpeg.begin(), jpeg.end() - 2);
    for (const auto& [what, bytes] : {std::pair{"trailing bytes", trailing}, {"no end marker", unterminated}}) {
        std::string error;
        const TBitmap32 picture = Decode(bytes, &error);
        ASSERT_EQ(picture.Width(), kWidth) << what << ": " << error;
        ASSERT_EQ(picture.Height(), kHeight) << what;
        EXPECT_TRUE(rowsEqual(picture, kHeight)) << what;
    }

    // Cut halfway through the compressed pixels: the picture keeps its size, the rows
    // decoded before the cut are there and everything is opaque.
    const uint8_t startOfScan[] = {0xFF, 0xDA};
    const auto scan = std::search(jpeg.begin(), jpeg.end(), std::begin(startOfScan), std::end(startOfScan));
    ASSERT_NE(scan, jpeg.end());
    const TBytes cut(jpeg.begin(), scan + (jpeg.end() - scan) / 2);
    std::string error;
    const TBitmap32 picture = Decode(cut, &error);
    ASSERT_EQ(picture.Width(), kWidth) << error;
    ASSERT_EQ(picture.Height(), kHeight);
    EXPECT_TRUE(rowsEqual(picture, 8));
    for (int i = 0; i < kWidth * kHeight; ++i) ASSERT_EQ(picture.Bits()[i] >> 24, 0xFFu) << i;
}

TEST(PictureCodecTest, UndecodableBytesGiveAnEmptyPicture) {
    const TBytes png = MakePng(64, 64, std::vector<uint8_t>(64 * 64 * 4, 77), true);
    const TBytes jpeg = MakeJpeg(64, 64, 1, 2, 3);
    // A PNG claiming 100000 pixels per side: IHDR width patched, CRC fixed.
    TBytes wide = MakePng(1, 1, {1, 2, 3}, false);
    WriteLE32(wide.data() + 16, 0xA0860100u);  // big-endian 100000
    const uLong crc = crc32(0, wide.data() + 12, 17);
    for (int i = 0; i < 4; ++i) wide[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));

    const std::vector<std::pair<std::string, TBytes>> cases = {
        {"nothing", {}},
        {"text", Bytes("not a picture")},
        {"png cut in half", TBytes(png.begin(), png.begin() + png.size() / 2)},
        {"png signature only", TBytes(png.begin(), png.begin() + 8)},
        {"jpeg cut inside its header", TBytes(jpeg.begin(), jpeg.begin() + 40)},
        {"huge png", wide},
    };
    for (const auto& [what, bytes] : cases) {
        std::string error;
        const TBitmap32 picture = Decode(bytes, &error);
        EXPECT_TRUE(picture.Empty()) << what;
        EXPECT_EQ(picture.Width(), 0) << what;
        EXPECT_FALSE(error.empty()) << what;
    }
    std::string error;
    Decode(wide, &error);
    EXPECT_NE(error.find("100000"), std::string::npos) << error;
}

TEST(PictureCodecTest, EncodedPngDecodesToTheSamePixels) {
    TBitmap32 picture(5, 3);
    for (int i = 0; i < 15; ++i) picture.Bits()[i] = 0x01020304u * static_cast<uint32_t>(i + 1) + 0x10u;
    const TBitmap32 again = Decode(EncodePng(picture));
    ASSERT_EQ(again.Width(), 5);
    ASSERT_EQ(again.Height(), 3);
    EXPECT_TRUE(std::equal(again.Bits(), again.Bits() + 15, picture.Bits()));

    const TBitmap32 opaque = Decode(EncodePng(picture, TPngAlpha::Opaque));
    ASSERT_EQ(opaque.Width(), 5);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(opaque.Bits()[i], picture.Bits()[i] | 0xFF000000u);
    EXPECT_TRUE(EncodePng(TBitmap32()).empty());

    test::TTempFolder dir;
    ASSERT_TRUE(SavePng(picture, dir / "shot.png"));
    EXPECT_EQ(test::ReadFile(dir / "shot.png"), EncodePng(picture));
    EXPECT_FALSE(SavePng(picture, dir / "no/such/folder/shot.png"));
}

class ImageCacheTest : public ::testing::Test {
protected:
    ImageCacheTest() {
        Log.Enabled = true;
        Files.AddFolder(Dir.Folder());
    }
    test::TTempFolder Dir;
    TDebugLog Log{""};
    TFileCache Files{&Log};
    TAImageCache Images{Files, &Log, TAImageCache::kNormalLimit};
};

TEST_F(ImageCacheTest, SharesDecodedPicturesAndReleasesTheFileBytes) {
    test::WriteFile(Dir / "bg.png", EncodePng(TBitmap32(800, 600)));
    TBitmap32* first = Images.GetImage("bg.png");
    TBitmap32* second = Images.GetImage("BG.png");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->Width(), 800);
    EXPECT_EQ(first->DrawMode(), TDrawMode::dmBlend);
    EXPECT_EQ(Images.Item(0).Size, 1921024);
    EXPECT_EQ(Images.Item(0).RefCount, 2);
    EXPECT_EQ(Files.Item(0).RefCount, 0);  // the bytes went back to the file cache
    Images.Release(first);
    EXPECT_EQ(second->Height(), 600);  // still held by the other user
    Images.Release(second);
}

TEST_F(ImageCacheTest, MissingAndBrokenPicturesAreLogged) {
    EXPECT_EQ(Images.GetImage("none.png"), nullptr);
    EXPECT_EQ(Images.GetImage("none.png"), nullptr);
    EXPECT_EQ(Images.Count(), 0u);
    // Asked for twice, told once.
    ASSERT_EQ(Log.Lines().size(), 1u);
    EXPECT_NE(Log.Lines()[0].find("\"none.png\""), std::string::npos);

    test::WriteFile(Dir / "broken.png", Bytes("\x89PNG\r\n\x1A\n garbage"));
    TBitmap32* broken = Images.GetImage("broken.png");
    ASSERT_NE(broken, nullptr);
    EXPECT_TRUE(broken->Empty());
    EXPECT_EQ(Images.Item(0).Size, 1024);
    ASSERT_EQ(Log.Lines().size(), 2u);
    EXPECT_NE(Log.Lines()[1].find("\"broken.png\""), std::string::npos);
    Images.Release(broken);
}

}  // namespace
}  // namespace vandor
