#pragma once
// printf-style formatting into a std::string, for the game's many numbered names
// ("bt%.2d-%.2d.txt", "敵ユニット%.2d.png") and number displays ("%7d").

#include <cstdio>
#include <string>

namespace vandor {

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char text[128];
    const int length = std::snprintf(text, sizeof text, format, args...);
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < sizeof text) return std::string(text, static_cast<std::size_t>(length));
    std::string longText(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(longText.data(), longText.size(), format, args...);
    longText.pop_back();
    return longText;
}

}  // namespace vandor
