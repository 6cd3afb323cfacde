// Arbitrary bytes as a scenario script: normalising never crashes, and its lines
// hold no line breaks, no NUL and no lone bracket.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "resources/ScriptText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto lines = vandor::NormalizeScript(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& line : lines) {
        if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) __builtin_trap();
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '[' && line[i] != ']') continue;
            // Brackets only survive doubled.
            const bool doubled = (i + 1 < line.size() && line[i + 1] == line[i]);
            if (!doubled) __builtin_trap();
            ++i;
        }
    }
    return 0;
}
