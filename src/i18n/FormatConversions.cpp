#include "i18n/FormatConversions.h"

namespace vandor {
namespace {

constexpr std::string_view kFlags = "-+ #0";
constexpr std::string_view kLengths = "hlLqjzt";
// Everything printf converts except "n", which writes through its argument.
constexpr std::string_view kLetters = "diouxXeEfFgGaAcsp";
// Wider fields than this are no layout a panel needs, only a way to make a huge string.
constexpr std::size_t kMaxDigits = 2;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips up to kMaxDigits digits at `pos`; false when there are more.
bool SkipNumber(std::string_view format, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < format.size() && IsDigit(format[pos])) ++pos;
    return pos - start <= kMaxDigits;
}

}  // namespace

std::optional<std::vector<std::string>> FormatConversions(std::string_view format) {
    std::vector<std::string> conversions;
    for (std::size_t pos = format.find('%'); pos != std::string_view::npos; pos = format.find('%', pos)) {
        ++pos;
        if (pos < format.size() && format[pos] == '%') {
            ++pos;
            continue;
        }
        while (pos < format.size() && kFlags.find(format[pos]) != std::string_view::npos) ++pos;
        if (!SkipNumber(format, pos)) return std::nullopt;
        if (pos < format.size() && format[pos] == '.') {
            ++pos;
            if (!SkipNumber(format, pos)) return std::nullopt;
        }
        const std::size_t kindStart = pos;
        while (pos < format.size() && kLengths.find(format[pos]) != std::string_view::npos) ++pos;
        if (pos >= format.size() || kLetters.find(format[pos]) == std::string_view::npos) return std::nullopt;
        ++pos;
        conversions.emplace_back(format.substr(kindStart, pos - kindStart));
    }
    return conversions;
}

bool SameConversions(std::string_view original, std::string_view translation) {
    const auto wanted = FormatConversions(original);
    return wanted && wanted == FormatConversions(translation);
}

}  // namespace vandor
