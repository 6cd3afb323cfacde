#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "compositor/Bitmap32.h"
#include "compositor/BlendReference.h"
#include "compositor/PixelRows.h"

namespace vandor {
namespace {

TEST(Blend, WorkedExamplesHoldBitForBit) {
    constexpr TColor32 kHalfRed = 0x80FF0000;
    constexpr TColor32 kOpaqueBlue = 0xFF0000FF;
    EXPECT_EQ(BlendPixel(kHalfRed, kOpaqueBlue, 255), 0xC0800080u);
    EXPECT_EQ(BlendPixel(kHalfRed, 0x00000000, 255), 0x40800000u);
    EXPECT_EQ(BlendPixel(0xFFFF0000, kOpaqueBlue, 254), 0xFFFD0002u);
}

TEST(Blend, AlphaZeroKeepsAndFullAlphaCopiesOnlyAtFullMasterAlpha) {
    for (TColor32 destination : {0x00000000u, 0xFF0000FFu, 0x7F3C5A99u}) {
        EXPECT_EQ(BlendPixel(0x00FFFFFF, destination, 255), destination);
        EXPECT_EQ(BlendPixel(0x00FFFFFF, destination, 100), destination);
        EXPECT_EQ(BlendPixel(0xFF123456, destination, 255), 0xFF123456u);
    }
    // M = 1: W = (a * 2) div 256, 0 below alpha 128, so nothing changes.
    EXPECT_EQ(BlendPixel(0x7FFFFFFF, 0xFF000000, 1), 0xFF000000u);
    EXPECT_EQ(BlendPixel(0x80FFFFFF, 0xFF000000, 1), 0xFF010101u);
    // M = 254 with an opaque source still blends (W = 254).
    EXPECT_EQ(BlendPixel(0xFFFFFFFF, 0x00000000, 254), 0xFDFDFDFDu);
}

// Lengths and offsets around the vector widths, with runs of one alpha and
// random alphas including 0 and 255.
void CheckRowsAgainstReference(std::mt19937& random, uint8_t masterAlpha) {
    auto pixel = [&] {
        const TColor32 value = random();
        switch (random() % 4) {
            case 0: return value & 0x00FFFFFF;
            case 1: return value | 0xFF000000;
            default: return value;
        }
    };
    for (int trial = 0; trial < 300; ++trial) {
        const std::size_t count = random() % 70;
        const std::size_t offset = random() % 8;
        std::vector<TColor32> source(count + offset);
        std::vector<TColor32> destination(count + offset);
        for (std::size_t i = 0; i < source.size(); ++i) {
            source[i] = (i / 8) % 3 == 0 ? (random() % 2 ? 0xFF000000 : 0) | (random() & 0xFFFFFF) : pixel();
            destination[i] = pixel();
        }
        std::vector<TColor32> expected = destination;
        for (std::size_t i = offset; i < expected.size(); ++i) {
            expected[i] = testing::ReferenceBlend(source[i], destination[i], masterAlpha);
            ASSERT_EQ(BlendPixel(source[i], destination[i], masterAlpha), expected[i]);
        }
        BlendRow(destination.data() + offset, source.data() + offset, count, masterAlpha);
        ASSERT_EQ(destination, expected) << count << " pixels";
    }
}

// Every master alpha over every source alpha, with channels at both extremes and between:
// the vector kernels take the weight apart differently from the plain formula.
TEST(Blend, RowKernelsMatchThePlainFormulaForEveryAlphaAndMasterAlpha) {
    const testing::TWideRowsRestorer restorer;
    std::mt19937 random(777);
    for (bool wide : testing::kRowKinds) {
        EnableWideRows(wide);
        for (int masterAlpha = 0; masterAlpha <= 255; ++masterAlpha) {
            for (TColor32 channels : {0x00FF00FFu, 0x0000FF00u, 0x00000000u, 0x00FFFFFFu, 0x00123456u}) {
                std::vector<TColor32> source(256);
                std::vector<TColor32> destination(256);
                for (TColor32 alpha = 0; alpha < 256; ++alpha) {
                    source[alpha] = alpha << 24 | channels;
                    destination[alpha] = (random() & 0x7F000000) | (~channels & 0x00FFFFFF);
                }
                std::vector<TColor32> expected(256);
                for (std::size_t i = 0; i < 256; ++i) {
                    expected[i] = testing::ReferenceBlend(source[i], destination[i], static_cast<uint8_t>(masterAlpha));
                }
                BlendRow(destination.data(), source.data(), source.size(), static_cast<uint8_t>(masterAlpha));
                ASSERT_EQ(destination, expected) << "wide " << wide << ", master alpha " << masterAlpha;
            }
        }
    }
}

TEST(Blend, RowKernelsMatchThePlainFormulaOverRandomPixels) {
    const testing::TWideRowsRestorer restorer;
    std::mt19937 random(12345);
    for (bool wide : testing::kRowKinds) {
        EnableWideRows(wide);
        for (int masterAlpha : {255, 254, 200, 128, 1, 0}) {
            SCOPED_TRACE(::testing::Message() << "wide " << wide << ", master alpha " << masterAlpha);
            CheckRowsAgainstReference(random, static_cast<uint8_t>(masterAlpha));
        }
    }
}

}  // namespace
}  // namespace vandor
