// Shared main of every benchmark program. Besides Google Benchmark's own report
// (on stderr), it prints one line per figure on stdout, "NAME VALUE UNIT": the time
// of each benchmark, and for a benchmark "X" that has a reference "X_memcpy" (a
// memcpy of the same bytes, measured in the same run) the ratio "X_vs_memcpy".

#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <map>
#include <string>

namespace {

class FigureReporter : public benchmark::ConsoleReporter {
public:
    FigureReporter() {
        SetOutputStream(&std::cerr);
        SetErrorStream(&std::cerr);
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
            Times_[run.benchmark_name()] = run.GetAdjustedRealTime() * Scale(run.time_unit);
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [name, nanoseconds] : Times_) {
            std::printf("%s %.3f us\n", name.c_str(), nanoseconds / 1000.0);
            const std::string suffix = "_memcpy";
            if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
                continue;
            }
            auto reference = Times_.find(name + suffix);
            if (reference != Times_.end() && reference->second > 0) {
                std::printf("%s_vs_memcpy %.2f x\n", name.c_str(), nanoseconds / reference->second);
            }
        }
        std::fflush(stdout);
    }

private:
    static double Scale(benchmark::TimeUnit unit) {
        switch (unit) {
            case benchmark::kSecond: return 1e9;
            case benchmark::kMillisecond: return 1e6;
            case benchmark::kMicrosecond: return 1e3;
            default: return 1.0;
        }
    }
    std::map<std::string, double> Times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
