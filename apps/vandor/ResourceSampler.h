#pragma once
// What a long run checks for growth: the process's resident memory, open file
// descriptors and threads (read from /proc/self), and the layers on the game's two
// stages, written as one line every so many frames. scripts/soak reads the lines.

#include <cstdint>
#include <fstream>
#include <string>

namespace vandor {

class TggTDMain;

struct TResourceSample {
    uint64_t Frame = 0;
    long ResidentKiB = 0;
    int OpenFiles = 0;
    int Threads = 0;
    int Layers = 0;
};

// The process's own figures now; the layers are the caller's to fill in.
TResourceSample SampleThisProcess(uint64_t frame);

class TResourceSampler {
public:
    // Throws std::runtime_error when the file cannot be written.
    TResourceSampler(const std::string& path, uint32_t everyFrames);

    // Writes a line when the window's frame count is a multiple of the period.
    void AfterFrame(TggTDMain& window);

private:
    std::ofstream Out_;
    uint32_t EveryFrames_;
    uint64_t SampledAt_ = 0;  // frames resting are counted many at a time
};

}  // namespace vandor
