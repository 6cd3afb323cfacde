#pragma once
// The words of a script command line and the numbers in them, shared by the scenario
// engine, the campaign's commands and its conditions.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vandor {

using TFields = std::vector<std::string>;

// Splits a command at every "/": ASCII blanks around each field are trimmed, empty
// fields in between are kept, and a "/" at the very end adds no field.
TFields SplitFields(std::string_view command);

// Pads the list with empty fields up to `count`.
void PadFields(TFields& fields, std::size_t count);

// The field as a whole decimal number (optional sign); `fallback` for anything else,
// an empty or missing field included.
int32_t ToNumber(std::string_view text, int32_t fallback);
bool IsNumber(std::string_view text);

bool StartsWith(std::string_view text, std::string_view prefix);

}  // namespace vandor
