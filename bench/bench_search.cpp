// The engine's speed: every bench position searched at level 9 (the slowest a move gets),
// with the fast and the literal search, and perft through the fast move generator.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/bench_positions.h"
#include "engine/notation.h"
#include "engine/perft.h"
#include "engine/search.h"

namespace velmora {
namespace {

std::vector<BenchPosition> PositionsOfSize(int size) {
    std::vector<BenchPosition> positions;
    for (const BenchPosition& p : BenchPositions()) {
        if (p.size == size) {
            positions.push_back(p);
        }
    }
    return positions;
}

void Search(benchmark::State& state, const std::vector<BenchPosition>& positions, int size,
            EngineKind engine, bool advanced) {
    const SearchFunction search = SelectSearch(size, engine);
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        for (const BenchPosition& p : positions) {
            const SearchResult r =
                search(*BoardFromText(size, p.board), p.sideToMove, {9, false, advanced}, nullptr);
            benchmark::DoNotOptimize(r);
            nodes += r.nodes;
        }
    }
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}

// One level-9 move per position: size, position index, algorithm; fast search.
void BM_FastMove(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const auto positions = PositionsOfSize(size);
    const BenchPosition& p = positions.at(static_cast<std::size_t>(state.range(1)));
    state.SetLabel("ply " + std::to_string(p.ply));
    Search(state, {p}, size, EngineKind::Fast, state.range(2) != 0);
}
BENCHMARK(BM_FastMove)
    ->ArgsProduct({{8, 10}, {0, 1, 2, 3, 4, 5}, {0, 1}})
    ->ArgNames({"size", "position", "advanced"})
    ->Unit(benchmark::kMillisecond);

// All positions of a size: size, engine (0 literal, 1 fast), algorithm.
void BM_AllPositions(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    Search(state, PositionsOfSize(size), size,
           state.range(1) == 0 ? EngineKind::Literal : EngineKind::Fast, state.range(2) != 0);
}
BENCHMARK(BM_AllPositions)
    ->ArgsProduct({{8, 10}, {1, 0}, {0, 1}})
    ->ArgNames({"size", "fast", "advanced"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_Perft8(benchmark::State& state) {
    Board start;
    InitBoard(start, 8);
    std::uint64_t leaves = 0;
    for (auto _ : state) {
        leaves += Perft(start, 8, White, static_cast<int>(state.range(0)));
    }
    state.counters["leaves/s"] =
        benchmark::Counter(static_cast<double>(leaves), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Perft8)->Arg(9)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora
