#include <time.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <vector>

#include "engine/bench_positions.h"
#include "engine/deep_search.h"
#include "engine/fast_search.h"
#include "engine/notation.h"
#include "engine/search.h"
#include "velmora-engine/command_options.h"

namespace velmora {

namespace {

struct EngineTotals {
    std::uint64_t nodes = 0;
    double seconds = 0;
    double cpuSeconds = 0;
};

// On a busy machine the thread's own CPU time says more about the engine than the clock.
double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

std::string Row(const char* format, auto... values) {
    char line[160];
    std::snprintf(line, sizeof line, format, values...);
    return line;
}

}  // namespace

// Searches the bench positions at level 9 with both algorithms, with each engine, and prints
// the moves, node counts and times, the totals and speeds, and the node-count signature that
// both engines must share.
int RunRealBench(const CommandOptions& options, std::ostream& out);

int RunBenchCommand(std::span<const std::string> args, std::ostream& out) {
    const CommandOptions options(args, {"engine", "size", "threads"}, {"real"});
    if (options.Has("real")) {
        return RunRealBench(options, out);
    }
    if (options.Has("threads")) {
        SetDeepSearchThreads(options.Integer("threads", 1, 256, std::nullopt));
    }
    std::vector<EngineKind> engines = {EngineKind::Literal, EngineKind::Fast};
    if (options.Has("engine")) {
        engines = {options.Engine()};
    }
    const auto sizeText = options.Value("size");
    const int onlySize = sizeText ? options.BoardSize() : 0;

    out << "Level 9, normal and advanced algorithms; fast search build "
        << FastSearchBuildName(SelectedFastSearchBuild()) << "\n";
    out << "engine   size  ply  side   algorithm  move       nodes      time\n";
    std::vector<EngineTotals> totals(engines.size());
    // CPU seconds per engine and algorithm (normal, advanced).
    std::vector<std::array<double, 2>> algorithmSeconds(engines.size());
    for (std::size_t e = 0; e < engines.size(); ++e) {
        for (const BenchPosition& position : BenchPositions()) {
            if (onlySize != 0 && position.size != onlySize) {
                continue;
            }
            const Board board = *BoardFromText(position.size, position.board);
            const SearchFunction search = SelectSearch(position.size, engines[e]);
            for (const bool advanced : {false, true}) {
                const auto started = std::chrono::steady_clock::now();
                const double cpuStarted = ThreadCpuSeconds();
                const SearchResult r =
                    search(board, position.sideToMove, {9, false, advanced}, nullptr);
                const double seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - started)
                        .count();
                totals[e].nodes += r.nodes;
                totals[e].seconds += seconds;
                const double cpuSeconds = ThreadCpuSeconds() - cpuStarted;
                totals[e].cpuSeconds += cpuSeconds;
                algorithmSeconds[e][advanced ? 1 : 0] += cpuSeconds;
                const std::string move =
                    r.move == NoMove ? std::string("pass") : SquareName(position.size, r.move);
                out << Row("%-8s %2dx%-2d %4d  %-5s  %-9s  %-4s %11llu %9.1f ms\n",
                           std::string(EngineKindName(engines[e])).c_str(), position.size,
                           position.size, position.ply,
                           position.sideToMove == White ? "white" : "black",
                           advanced ? "advanced" : "normal", move.c_str(),
                           static_cast<unsigned long long>(r.nodes), seconds * 1000);
            }
        }
    }
    out << "\n";
    for (std::size_t e = 0; e < engines.size(); ++e) {
        const double nodes = static_cast<double>(totals[e].nodes);
        out << Row(
            "%-8s total %llu nodes in %.3f s (%.3f s of CPU): %.2f million nodes per "
            "second (%.2f per CPU second)\n",
            std::string(EngineKindName(engines[e])).c_str(),
            static_cast<unsigned long long>(totals[e].nodes), totals[e].seconds,
            totals[e].cpuSeconds, nodes / totals[e].seconds / 1e6,
            nodes / totals[e].cpuSeconds / 1e6);
    }
    if (engines.size() == 2) {
        out << Row("fast search %.1f times as fast as the literal one (%.1f by CPU time)\n",
                   totals[0].seconds / totals[1].seconds,
                   totals[0].cpuSeconds / totals[1].cpuSeconds);
        out << Row(
            "by CPU time, %.1f times with the normal algorithm, %.1f with the advanced one\n",
            algorithmSeconds[0][0] / algorithmSeconds[1][0],
            algorithmSeconds[0][1] / algorithmSeconds[1][1]);
        if (totals[0].nodes != totals[1].nodes) {
            out << "signature mismatch: literal " << totals[0].nodes << ", fast " << totals[1].nodes
                << "\n";
            return 1;
        }
    }
    out << "signature " << totals[0].nodes << "\n";
    return 0;
}

}  // namespace velmora
