#pragma once
// The reference every ratio is measured against: a memcpy of the same number of bytes
// in the same run, so that figures from a busy machine still compare.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace vandor::bench {

inline void MemcpyBench(benchmark::State& state, std::size_t bytes) {
    std::vector<char> from(bytes, 1);
    std::vector<char> to(bytes, 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

}  // namespace vandor::bench
