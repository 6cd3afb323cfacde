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

// The maps keep the square within kOpenSquare of the base free of obstacles, so that
// every area offers the same inner cells to build on.
inline constexpr int kOpenSquare = 4;

std::vector<TTextFile> MakeBattleMaps();
std::vector<TTextFile> MakeWaveTables();

}  // namespace vandor::demo
