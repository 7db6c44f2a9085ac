// Throughput of the block comparison at the size the engine reads.

#include "engine/BlockCompare.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr std::int64_t kBlock = 200000;

// Compares two blocks that first differ at `differsAt` (equal when it is kBlock); the bytes
// counted are those that had to be looked at on both sides.
void blocksEqual(benchmark::State& state, std::int64_t differsAt) {
    std::vector<char> first(kBlock);
    for (std::int64_t i = 0; i < kBlock; ++i) {
        first[static_cast<std::size_t>(i)] = static_cast<char>((i * 131) ^ (i >> 7));
    }
    std::vector<char> second = first;
    if (differsAt < kBlock) {
        second[static_cast<std::size_t>(differsAt)] ^= 1;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(quorvel::blocksEqual(first.data(), second.data(), kBlock));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 2 * std::min(differsAt + 1, kBlock));
}

BENCHMARK_CAPTURE(blocksEqual, equal, kBlock);
BENCHMARK_CAPTURE(blocksEqual, differ_in_last_byte, kBlock - 1);
BENCHMARK_CAPTURE(blocksEqual, differ_in_middle, kBlock / 2);
BENCHMARK_CAPTURE(blocksEqual, differ_in_first_byte, std::int64_t{0});

} // namespace
