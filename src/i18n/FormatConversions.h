#pragma once
// A translated printf format is only as safe as its conversions: a translator's "%s"
// where the game passes a number, or a "%n", would read or write memory the call
// never gave. A translation is used as a format only when its conversions are the
// original's, one for one and in order; widths and flags may differ.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vandor {

// The conversions of a format, each as its length modifier and letter ("d", "ld",
// "s"); nullopt when the format holds anything this game never passes to printf
// itself: "%n", "*" widths, positional arguments, wide widths or a lone "%".
std::optional<std::vector<std::string>> FormatConversions(std::string_view format);

// Whether `translation` may be given the arguments `original` is given.
bool SameConversions(std::string_view original, std::string_view translation);

}  // namespace vandor
