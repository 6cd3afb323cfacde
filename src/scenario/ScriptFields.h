#pragma once
// Small helpers for reading script lines: command fields, numbers with defaults and
// the few name rules the commands share.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Numeric fields are read with IsNumber and ToNumber.
#include "util/Number.h"

namespace vandor {

using TFields = std::vector<std::string>;

// Splits a command at every "/": ASCII blanks around each field are trimmed, empty
// fields in between are kept, and a "/" at the very end adds no field.
TFields SplitFields(std::string_view command);

// Pads the list with empty fields up to `count`.
void PadFields(TFields& fields, std::size_t count);

bool StartsWith(std::string_view text, std::string_view prefix);
// The extension from the last "." on (".png"), empty when there is none.
std::string_view Extension(std::string_view name);

// Of one or two target fields, the one beginning with "*" is the label and any other
// the script.
struct TScriptTarget {
    std::string Script;
    std::string Label;
};
TScriptTarget ReadTarget(const std::string& first, const std::string& second, bool two);

}  // namespace vandor
