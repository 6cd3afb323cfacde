// battleplan: writes the headless input that plays a plan of towers through a battle.
//
//   battleplan [--waves N] [--period FRAMES] [--first FRAME] [--map stNN.txt [--chips PICTURE]] PLAN
//
// With the area's map it refuses a plan whose towers the battle would refuse, and its
// clicks avoid the map's obstacles; with the map chips' picture ("マップチップ.png")
// only where they are visible.
// It prints the input file for `vandor --headless --input FILE --battle-log LOG`; its last
// line names the frames the run needs. See Plan.h for the plan's lines.

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "Plan.h"
#include "resources/PictureCodec.h"

using namespace vandor;
using namespace vandor::plan;

namespace {

int Number(const std::string& text, int lowest) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < lowest || value > 1000000) throw std::invalid_argument(text);
    return static_cast<int>(value);
}

int Usage() {
    std::cerr << "usage: battleplan [--waves N] [--period FRAMES] [--first FRAME] [--map stNN.txt [--chips PICTURE]] "
                 "PLAN\n"
                 "PLAN lines: WAVE X Y TYPE LEVEL (before wave WAVE, the tower of TYPE on (X, Y) at LEVEL)\n";
    return 2;
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in) {
        std::cerr << "battleplan: cannot read \"" << path << "\"\n";
        return false;
    }
    text = bytes.str();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    TSchedule schedule;
    std::string planPath;
    std::string mapPath;
    std::string chipsPath;
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string arg = argv[i];
            if (arg == "--waves" && i + 1 < argc) {
                schedule.Waves = Number(argv[++i], 1);
            } else if (arg == "--period" && i + 1 < argc) {
                schedule.Period = Number(argv[++i], 50);
            } else if (arg == "--first" && i + 1 < argc) {
                schedule.FirstFrame = Number(argv[++i], 2);
            } else if (arg == "--map" && i + 1 < argc) {
                mapPath = argv[++i];
            } else if (arg == "--chips" && i + 1 < argc) {
                chipsPath = argv[++i];
            } else if (planPath.empty() && !arg.starts_with("--")) {
                planPath = arg;
            } else {
                return Usage();
            }
        }
    } catch (const std::invalid_argument&) {
        return Usage();
    }
    if (planPath.empty() || (!chipsPath.empty() && mapPath.empty())) return Usage();
    std::string plan;
    std::string map;
    std::string chipsFile;
    if (!ReadFile(planPath, plan) || (!mapPath.empty() && !ReadFile(mapPath, map)) ||
        (!chipsPath.empty() && !ReadFile(chipsPath, chipsFile))) {
        return 1;
    }
    TBitmap32 chips;
    if (!chipsPath.empty()) {
        std::string why;
        chips = DecodePicture(reinterpret_cast<const uint8_t*>(chipsFile.data()), chipsFile.size(), &why);
        if (chips.Empty()) {
            std::cerr << "battleplan: \"" << chipsPath << "\" is no picture: " << why << "\n";
            return 1;
        }
    }
    try {
        const std::vector<TStep> steps = ParsePlan(plan);
        if (!mapPath.empty()) CheckPlanOnMap(steps, map);
        std::cout << WriteInput(steps, schedule, TFieldView(map, std::move(chips)));
    } catch (const std::runtime_error& error) {
        std::cerr << "battleplan: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
