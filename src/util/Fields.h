#pragma once
// The words of a script command line, shared by the scenario engine and the
// campaign's commands; their numbers are read with util/Number.h.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "util/Number.h"

namespace vandor {

using TFields = std::vector<std::string>;

// Splits a command at every "/": ASCII blanks around each field are trimmed, empty
// fields in between are kept, and a "/" at the very end adds no field.
TFields SplitFields(std::string_view command);

// Pads the list with empty fields up to `count`.
void PadFields(TFields& fields, std::size_t count);

bool StartsWith(std::string_view text, std::string_view prefix);

// Whether the word is one of `words`.
bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words);

}  // namespace vandor
