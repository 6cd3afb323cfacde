#include "util/Number.h"

#include <charconv>

namespace vandor {

bool IsNumber(std::string_view text) {
    // from_chars reads a "-" but no "+"; a "+" before a "-" would be a second sign.
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-')) return false;
    }
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

int32_t ToNumber(std::string_view text, int32_t fallback) {
    if (!IsNumber(text)) return fallback;
    if (text.front() == '+') text.remove_prefix(1);
    int32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace vandor
