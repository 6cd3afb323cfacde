#include "ResourceSampler.h"

#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "battle/QTDGame.h"
#include "scenario/NovelGame.h"
#include "shell/MainWindow.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

int CountEntries(const char* folder) {
    std::error_code error;
    int count = 0;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) ++count;
    return count;
}

}  // namespace

TResourceSample SampleThisProcess(uint64_t frame) {
    TResourceSample sample;
    sample.Frame = frame;
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    if (statm >> pages >> resident) sample.ResidentKiB = resident * (sysconf(_SC_PAGESIZE) / 1024);
    // The directory listing holds its own descriptor while it counts.
    sample.OpenFiles = CountEntries("/proc/self/fd") - 1;
    sample.Threads = CountEntries("/proc/self/task");
    return sample;
}

TResourceSampler::TResourceSampler(const std::string& path, uint32_t everyFrames)
    : Out_(path, std::ios::trunc), EveryFrames_(everyFrames == 0 ? 1 : everyFrames) {
    if (!Out_) throw std::runtime_error("cannot write \"" + path + "\"");
    Out_ << "frame resident_kib open_files threads layers\n";
}

void TResourceSampler::AfterFrame(TggTDMain& window) {
    if (window.FrameCount() - SampledAt_ < EveryFrames_) return;
    SampledAt_ = window.FrameCount();
    TResourceSample sample = SampleThisProcess(window.FrameCount());
    sample.Layers = window.Engine().Layers.Count() + window.Battle().Layers.Count();
    Out_ << sample.Frame << ' ' << sample.ResidentKiB << ' ' << sample.OpenFiles << ' ' << sample.Threads << ' '
         << sample.Layers << '\n'
         << std::flush;
}

}  // namespace vandor
