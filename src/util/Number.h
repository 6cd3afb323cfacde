#pragma once
// Reading whole numbers from script text: the fields of commands and the operands of
// condition formulas share one reading.

#include <cstdint>
#include <string_view>

namespace vandor {

// A whole decimal number with an optional sign that fits 32 bits, nothing around it.
bool IsNumber(std::string_view text);
// The text as such a number; `fallback` for anything else, empty text included.
int32_t ToNumber(std::string_view text, int32_t fallback);

}  // namespace vandor
