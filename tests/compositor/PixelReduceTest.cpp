#include "compositor/PixelReduce.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "compositor/BlendReference.h"
#include "compositor/PixelRows.h"

namespace vandor {
namespace {

struct RawPicture {
    RawPicture(int w, int h, int bpp) : Bytes(static_cast<std::size_t>(w * h * bpp / 8)) {
        Info = {w, h, w * bpp / 8, Bytes.data(), bpp};
    }
    std::vector<uint8_t> Bytes;
    TBitmapInfo Info;
};

void Randomise(RawPicture& picture, std::mt19937& random) {
    for (auto& byte : picture.Bytes) byte = static_cast<uint8_t>(random());
}

// The arithmetic written out plainly, one channel at a time.
void ReferenceReduce(int block, RawPicture& dst, int dx, int dy, const RawPicture& src, int sx, int sy, int w, int h) {
    const int bytes = src.Info.BitsPerPixel / 8;
    for (int y = 0; y < h / block; ++y) {
        for (int x = 0; x < w / block; ++x) {
            for (int c = 0; c < bytes; ++c) {
                int sum = 0;
                for (int j = 0; j < block; ++j) {
                    for (int i = 0; i < block; ++i) {
                        if (block == 3 && i == 1 && j == 1) continue;
                        sum += src.Bytes[((sy + y * block + j) * src.Info.Width + sx + x * block + i) * bytes + c];
                    }
                }
                dst.Bytes[((dy + y) * dst.Info.Width + dx + x) * bytes + c] =
                    static_cast<uint8_t>(sum >> (block == 2 ? 2 : 3));
            }
        }
    }
}

TEST(PixelReduce, FastPathsMatchThePlainArithmeticOnRandomPixels) {
    const testing::TWideRowsRestorer restorer;
    std::mt19937 random(7);
    for (bool wide : testing::kRowKinds) {
        EnableWideRows(wide);
        for (int bpp : {24, 32}) {
            for (int block : {2, 3}) {
                for (int trial = 0; trial < 20; ++trial) {
                    const int w = 1 + static_cast<int>(random() % 70);
                    const int h = 1 + static_cast<int>(random() % 20);
                    RawPicture src(w + 5, h + 4, bpp);
                    Randomise(src, random);
                    RawPicture fast(w / block + 3, h / block + 2, bpp);
                    Randomise(fast, random);
                    RawPicture expected = fast;
                    expected.Info.Bits = expected.Bytes.data();
                    ReferenceReduce(block, expected, 2, 1, src, 3, 2, w, h);
                    if (block == 2) {
                        Reduce2(fast.Info, 2, 1, src.Info, 3, 2, w, h);
                    } else {
                        Reduce3(fast.Info, 2, 1, src.Info, 3, 2, w, h);
                    }
                    ASSERT_EQ(fast.Bytes, expected.Bytes)
                        << "wide " << wide << " bpp " << bpp << " block " << block << " " << w << "x" << h;
                }
            }
        }
    }
}

TEST(PixelReduce, WorkedBlocksAndMismatchedDepths) {
    RawPicture src(3, 3, 32);
    for (int i = 0; i < 9; ++i) src.Bytes[i * 4 + 2] = i == 4 ? 0 : 255;  // red border, dark centre
    RawPicture out(1, 1, 32);
    Reduce3(out.Info, 0, 0, src.Info, 0, 0, 3, 3);
    EXPECT_EQ(out.Bytes[2], 255);
    for (int i = 0; i < 9; ++i) src.Bytes[i * 4 + 2] = i == 4 ? 255 : 0;  // only the centre lit
    Reduce3(out.Info, 0, 0, src.Info, 0, 0, 3, 3);
    EXPECT_EQ(out.Bytes[2], 0);

    RawPicture two(2, 2, 32);
    two.Bytes[2] = two.Bytes[6] = two.Bytes[10] = 255;
    Reduce2(out.Info, 0, 0, two.Info, 0, 0, 2, 2);
    EXPECT_EQ(out.Bytes[2], 191);

    RawPicture other(1, 1, 24);
    other.Bytes[2] = 17;
    Reduce2(other.Info, 0, 0, two.Info, 0, 0, 2, 2);  // 32 into 24 bits: nothing happens
    EXPECT_EQ(other.Bytes[2], 17);
}

TEST(PixelReduce, AlphaFromRedMovesTheMaskIntoAlphaAndClips) {
    RawPicture mask(4, 2, 32);
    auto* maskPixels = reinterpret_cast<uint32_t*>(mask.Bytes.data());
    for (int i = 0; i < 8; ++i) maskPixels[i] = static_cast<uint32_t>(i * 30) << 16;
    RawPicture out(3, 3, 32);
    auto* outPixels = reinterpret_cast<uint32_t*>(out.Bytes.data());
    for (int i = 0; i < 9; ++i) outPixels[i] = 0x00123456;

    AlphaFromRed(out.Info, -1, 1, mask.Info, 0, 0, 4, 2);  // starts one column left of the picture
    EXPECT_EQ(outPixels[0], 0x00123456u);                  // row 0 untouched
    EXPECT_EQ(outPixels[3], 0x1E123456u);                  // mask (1, 0) = 30
    EXPECT_EQ(outPixels[5], 0x5A123456u);                  // mask (3, 0) = 90
    EXPECT_EQ(outPixels[6], 0x96123456u);                  // mask (1, 1) = 150
    EXPECT_EQ(outPixels[8], 0xD2123456u);                  // mask (3, 1) = 210

    RawPicture narrow(1, 1, 24);
    AlphaFromRed(narrow.Info, 0, 0, mask.Info, 0, 0, 1, 1);  // only 32-bit destinations take alpha
    EXPECT_EQ(narrow.Bytes, std::vector<uint8_t>(3, 0));
}

}  // namespace
}  // namespace vandor
