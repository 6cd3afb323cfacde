#pragma once
// The demo's battle data, text files for the "scenario" folder: a map of obstacles for
// each of the fourteen areas ("st%.2d.txt") and a wave table for every battle the
// campaign can fight there ("bt%.2d-%.2d.txt", with "bt00-00.txt" as the last resort).

#include <string>
#include <vector>

namespace vandor::demo {

struct TTextFile {
    std::string Name;
    std::string Text;
};

std::vector<TTextFile> MakeBattleMaps();
std::vector<TTextFile> MakeWaveTables();

}  // namespace vandor::demo
