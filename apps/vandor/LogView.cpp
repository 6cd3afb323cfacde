// vandor --log FILE: the debug log is written in the game's code page with CR LF, which
// a terminal shows as garbage; this prints it as the UTF-8 text the game logged.

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "GameRuns.h"
#include "util/Encoding.h"

namespace vandor {

int ShowDebugLog(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "vandor: cannot read the debug log \"" << path << "\"\n";
        return 1;
    }
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::string text = Cp932ToUtf8(bytes);
    std::erase(text, '\r');
    std::cout << text;
    return 0;
}

}  // namespace vandor
