// liveness: plays random liveness cases, for long runs by hand without the fuzzer's
// instrumentation. Prints a report and exits 1 at the first case that gets stuck.
//
//   liveness [--runs N] [--seed S] [--folder DIR]

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "LivenessCase.h"
#include "LivenessRun.h"

int main(int argc, char** argv) {
    using namespace vandor::liveness;
    long runs = 1000;
    unsigned long seed = 1;
    std::string folder =
        (std::filesystem::temp_directory_path() / ("vandor-liveness-" + std::to_string(getpid()))).string();
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--runs") {
            runs = std::strtol(argv[i + 1], nullptr, 10);
        } else if (option == "--seed") {
            seed = std::strtoul(argv[i + 1], nullptr, 10);
        } else if (option == "--folder") {
            folder = argv[i + 1];
        } else {
            std::cerr << "usage: liveness [--runs N] [--seed S] [--folder DIR]\n";
            return 2;
        }
    }
    const TLivenessRunner runner(folder);
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    uint64_t frames = 0;
    for (long run = 0; run < runs; ++run) {
        std::vector<uint8_t> bytes(random() % 600);
        for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
        const TLivenessCase liveCase = MakeLivenessCase(bytes.data(), bytes.size());
        const TLivenessResult result = runner.Run(liveCase);
        frames += result.Frames;
        if (!result.Reached) {
            std::cout << "run " << run << " of seed " << seed << ":\n" << TLivenessRunner::Report(liveCase, result);
            std::filesystem::remove_all(folder);
            return 1;
        }
    }
    std::cout << runs << " cases from seed " << seed << ", " << frames << " frames: none stuck\n";
    std::filesystem::remove_all(folder);
    return 0;
}
