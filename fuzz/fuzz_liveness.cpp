// Arbitrary bytes as a story script made of the real commands and a player's input
// for it: whatever the player did, a player who then lets go of everything and keeps
// clicking, pressing Enter and turning the wheel reaches the script's end. A run that
// does not stops with the script and the input on stderr, ready to replay headless.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "LivenessCase.h"
#include "LivenessRun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vandor::liveness;
    static const TLivenessRunner runner(
        (std::filesystem::temp_directory_path() / ("vandor-fuzz-liveness-" + std::to_string(getpid()))).string());
    const TLivenessCase liveCase = MakeLivenessCase(data, size);
    const TLivenessResult result = runner.Run(liveCase);
    if (!result.Reached) {
        std::fputs(TLivenessRunner::Report(liveCase, result).c_str(), stderr);
        __builtin_trap();
    }
    return 0;
}
