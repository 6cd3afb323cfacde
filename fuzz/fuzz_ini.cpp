// Arbitrary bytes as a settings file: reading never crashes, a value written reads
// back, and the text the file would be saved as reads back to the same text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "util/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vandor::TIniFile ini;
    ini.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    ini.ReadInteger("Window", "X", -32768);
    ini.WriteString("Window", "X", "12");
    if (ini.ReadInteger("window", "x", 0) != 12) __builtin_trap();
    const std::string text = ini.Text();
    vandor::TIniFile again;
    again.Parse(text);
    if (again.Text() != text) __builtin_trap();
    return 0;
}
