#pragma once
// The blend arithmetic for whole rows, as templates over the number of pixels handled
// per step. PixelRows.cpp instantiates them for the baseline instruction set;
// PixelRowsAvx2.cpp, built with AVX2 enabled, has kernels of its own and takes the
// single-pixel functions for the ends of rows. The names have internal linkage so the
// two builds never get mixed up at link time.
//
// Per channel, alpha included: (B * (256 - W) + F * W + 128) >> 8, which equals
// (256 * B + W * (F - B) + 128) div 256 exactly. Blue and red share one 32-bit word,
// green and alpha the other, each channel in a 16-bit half: the sum is at most
// 255 * 256 + 128 = 65408, so every step fits 16 bits and no carry reaches the
// neighbouring channel. W runs 0 ... 256; 256 takes F whole, 0 keeps B.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vandor {
namespace {

inline uint32_t Mix(uint32_t source, uint32_t destination, uint32_t weight) {
    const uint32_t inverse = 256 - weight;
    const uint32_t blueRed =
        (((destination & 0x00FF00FFu) * inverse + (source & 0x00FF00FFu) * weight + 0x00800080u) >> 8) & 0x00FF00FFu;
    const uint32_t greenAlpha =
        (((destination >> 8) & 0x00FF00FFu) * inverse + ((source >> 8) & 0x00FF00FFu) * weight + 0x00800080u) &
        0xFF00FF00u;
    return blueRed | greenAlpha;
}

// With master alpha 255 the weight is the source alpha, except that alpha 255
// copies the source.
inline uint32_t FullWeight(uint32_t source) {
    const uint32_t alpha = source >> 24;
    return alpha + (alpha == 255);
}

// Below 255 the master alpha scales the weight, which then never exceeds 254, so
// even an opaque pixel goes through the formula.
inline uint32_t ScaledWeight(uint32_t source, uint32_t masterPlusOne) { return ((source >> 24) * masterPlusOne) >> 8; }

// N pixels per step in the same arithmetic; vector types let the 16-bit products
// map onto SIMD multiplies.
template <std::size_t N>
struct TPixelVector {
    typedef uint32_t Pixels __attribute__((vector_size(N * 4)));
    typedef uint16_t Lanes __attribute__((vector_size(N * 4)));

    static Pixels Load(const uint32_t* p) {
        Pixels v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }

    static void Store(uint32_t* p, Pixels v) { std::memcpy(p, &v, sizeof v); }

    // weight holds W in the low half of each pixel. One multiply per lane instead of
    // two: 256 * B + W * (F - B) + 128 taken modulo 2^16 is the true sum, which lies
    // in 0 ... 65408, so the wrapped difference times W lands on it exactly.
    static Pixels Mix(Pixels source, Pixels destination, Pixels weight) {
        const Lanes w = reinterpret_cast<Lanes>(weight | (weight << 16));
        const Lanes destinationBlueRed = reinterpret_cast<Lanes>(destination & 0x00FF00FFu);
        const Lanes blueRed = ((destinationBlueRed << 8) +
                               (reinterpret_cast<Lanes>(source & 0x00FF00FFu) - destinationBlueRed) * w + 0x80) >>
                              8;
        const Lanes destinationGreenAlpha = reinterpret_cast<Lanes>(destination) >> 8;
        const Lanes greenAlpha = reinterpret_cast<Lanes>(destination & 0xFF00FF00u) +
                                 ((reinterpret_cast<Lanes>(source) >> 8) - destinationGreenAlpha) * w + 0x80;
        return reinterpret_cast<Pixels>(blueRed) | (reinterpret_cast<Pixels>(greenAlpha) & 0xFF00FF00u);
    }

    static Pixels FullWeight(Pixels source) {
        const Pixels alpha = source >> 24;
        return alpha - reinterpret_cast<Pixels>(alpha == 255);  // a true lane is all ones, i.e. -1
    }

    // The alpha times M + 1 fits 16 bits; it is formed in the upper half of each pixel.
    static Pixels ScaledWeight(Pixels source, uint16_t masterPlusOne) {
        return reinterpret_cast<Pixels>((reinterpret_cast<Lanes>(source) >> 8) * masterPlusOne) >> 24;
    }
};

enum class TAlphaRun { Transparent, Opaque, Mixed };

// Whether the N pixels at p are all transparent, all opaque or neither.
template <std::size_t N>
TAlphaRun ClassifyAlphas(const uint32_t* p) {
    constexpr uint64_t kAlphas = 0xFF000000FF000000u;
    uint64_t any = 0;
    uint64_t all = kAlphas;
    for (std::size_t k = 0; k < N; k += 2) {
        uint64_t pair;
        std::memcpy(&pair, p + k, sizeof pair);
        any |= pair;
        all &= pair;
    }
    if ((any & kAlphas) == 0) return TAlphaRun::Transparent;
    return all == kAlphas ? TAlphaRun::Opaque : TAlphaRun::Mixed;
}

// Master alpha 255: runs of transparent pixels are skipped, runs of opaque ones copied.
template <std::size_t N>
void BlendRowFullKernel(uint32_t* destination, const uint32_t* source, std::size_t count) {
    using V = TPixelVector<N>;
    std::size_t i = 0;
    for (; i + N <= count; i += N) {
        const typename V::Pixels s = V::Load(source + i);
        switch (ClassifyAlphas<N>(source + i)) {
            case TAlphaRun::Transparent: break;
            case TAlphaRun::Opaque: V::Store(destination + i, s); break;
            case TAlphaRun::Mixed:
                V::Store(destination + i, V::Mix(s, V::Load(destination + i), V::FullWeight(s)));
                break;
        }
    }
    for (; i < count; ++i) destination[i] = Mix(source[i], destination[i], FullWeight(source[i]));
}

template <std::size_t N>
void BlendRowScaledKernel(uint32_t* destination, const uint32_t* source, std::size_t count, uint16_t masterPlusOne) {
    using V = TPixelVector<N>;
    std::size_t i = 0;
    for (; i + N <= count; i += N) {
        const typename V::Pixels s = V::Load(source + i);
        V::Store(destination + i, V::Mix(s, V::Load(destination + i), V::ScaledWeight(s, masterPlusOne)));
    }
    for (; i < count; ++i) destination[i] = Mix(source[i], destination[i], ScaledWeight(source[i], masterPlusOne));
}

}  // namespace
}  // namespace vandor
