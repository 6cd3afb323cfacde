#pragma once
// The game's integer arithmetic: 32-bit signed values that wrap on overflow, as the
// scripts and saves expect, and quotients truncated toward zero. The sums are done
// unsigned so that no overflow is undefined.

#include <cstdint>

namespace vandor {

inline int32_t WrappingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

inline int32_t WrappingSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

inline int32_t WrappingMul(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// b must not be 0. INT_MIN / -1 wraps to INT_MIN, and its remainder is 0.
inline int32_t WrappingDiv(int32_t a, int32_t b) { return b == -1 ? WrappingSub(0, a) : a / b; }

inline int32_t WrappingRem(int32_t a, int32_t b) { return b == -1 ? 0 : a % b; }

}  // namespace vandor
