#pragma once
// The demo's battle data, text files for the "scenario" folder: a map of obstacles for
// each of the fourteen areas ("st%.2d.txt") and a wave table for every battle the
// campaign can fight there ("bt%.2d-%.2d.txt", with "bt00-00.txt" as the last resort),
// and the briefings that report those battles.

#include <string>
#include <vector>

namespace vandor::demo {

struct TTextFile {
    std::string Name;
    std::string Text;
};

std::vector<TTextFile> MakeBattleMaps();
std::vector<TTextFile> MakeWaveTables();
// "偵察.txt": *偵察A, the scouts' report on area A's next battle, with the buttons of
// its briefing (to 出陣.txt *A's name + 出撃, or back to *地図).
TTextFile MakeBriefings();

}  // namespace vandor::demo
