// playthrough: writes the headless input that plays the demo campaign from the title
// to its ending (see Campaign.h for the way it takes).
//
//   playthrough [--shots FOLDER] [--passes N [--pad-to FRAMES]] SCENARIO_FOLDER
//
// SCENARIO_FOLDER holds the demo's wave tables (the generated scenario folder); with
// --shots the run also writes pictures of the moments worth looking at into FOLDER;
// --passes plays the campaign N times in a row, each from the title the one before
// ended on (for long runs), each padded with frames at the title to a multiple of
// --pad-to, so that samples taken every so many frames fall on the same moments of
// every pass. The input's last line names the frames the run needs.

#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>

#include "Campaign.h"

using namespace vandor::playthrough;

int main(int argc, char** argv) {
    std::string shots;
    std::string scenario;
    int passes = 1;
    int padTo = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--shots" && i + 1 < argc) {
            shots = argv[++i];
        } else if (arg == "--passes" && i + 1 < argc) {
            passes = std::atoi(argv[++i]);
        } else if (arg == "--pad-to" && i + 1 < argc) {
            padTo = std::atoi(argv[++i]);
        } else if (scenario.empty() && !arg.starts_with("--")) {
            scenario = arg;
        } else {
            scenario.clear();
            break;
        }
    }
    if (scenario.empty() || passes < 1 || padTo < 1) {
        std::cerr << "usage: playthrough [--shots FOLDER] [--passes N [--pad-to FRAMES]] SCENARIO_FOLDER\n";
        return 2;
    }
    try {
        TRoute route(scenario, shots);
        for (int pass = 0; pass < passes; ++pass) {
            route.NewCampaign();
            PlayCampaign(route);
            route.Wait((padTo - route.Frames() % padTo) % padTo);
        }
        std::cout << route.Text();
    } catch (const std::exception& error) {
        std::cerr << "playthrough: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
