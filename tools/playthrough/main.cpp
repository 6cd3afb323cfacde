// playthrough: writes the headless input that plays the demo campaign from the title
// to its ending (see Campaign.h for the way it takes).
//
//   playthrough [--shots FOLDER] SCENARIO_FOLDER
//
// SCENARIO_FOLDER holds the demo's wave tables (the generated scenario folder); with
// --shots the run also writes pictures of the moments worth looking at into FOLDER.
// The input's last line names the frames the run needs.

#include <iostream>
#include <stdexcept>
#include <string>

#include "Campaign.h"

using namespace vandor::playthrough;

int main(int argc, char** argv) {
    std::string shots;
    std::string scenario;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--shots" && i + 1 < argc) {
            shots = argv[++i];
        } else if (scenario.empty() && !arg.starts_with("--")) {
            scenario = arg;
        } else {
            scenario.clear();
            break;
        }
    }
    if (scenario.empty()) {
        std::cerr << "usage: playthrough [--shots FOLDER] SCENARIO_FOLDER\n";
        return 2;
    }
    try {
        TRoute route(scenario, shots);
        PlayCampaign(route);
        std::cout << route.Text();
    } catch (const std::exception& error) {
        std::cerr << "playthrough: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
