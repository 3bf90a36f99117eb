#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <thread>
#include <vector>

#include "engine/deep_search.h"
#include "engine/fast_search.h"
#include "engine/random_positions.h"
#include "engine/rules.h"
#include "engine/search.h"
#include "velmora-engine/command_options.h"

namespace velmora {

namespace {

// 50 positions per size and algorithm, from games the engine plays against itself at this
// level after a few random opening moves; the seed fixes them.
constexpr std::size_t kPerSizeAndAlgorithm = 50;
constexpr int kSelfPlayLevel = 4;
constexpr std::uint32_t kSeed = 20261207;

struct RealPosition {
    SampledPosition position;
    bool advanced = false;
};

std::vector<RealPosition> RealPositions(int onlySize) {
    std::vector<RealPosition> positions;
    for (const int size : {8, 10}) {
        if (onlySize != 0 && size != onlySize) {
            continue;
        }
        for (const bool advanced : {false, true}) {
            // Twice as many as needed, keeping those with a move to make.
            const auto sampled =
                SampleSelfPlayPositions(size, advanced, kSelfPlayLevel, 2 * kPerSizeAndAlgorithm,
                                        kSeed + static_cast<std::uint32_t>(size) + advanced);
            std::size_t taken = 0;
            for (const SampledPosition& p : sampled) {
                if (taken < kPerSizeAndAlgorithm && HasLegalMove(p.board, size, p.sideToMove)) {
                    positions.push_back({p, advanced});
                    ++taken;
                }
            }
        }
    }
    return positions;
}

// On a busy machine the CPU time the search took says more than the clock.
double ProcessCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

std::string Row(const char* format, auto... values) {
    char line[200];
    std::snprintf(line, sizeof line, format, values...);
    return line;
}

struct Timings {
    std::vector<double> ms;
    std::vector<double> cpuMs;
    double total = 0;
    double cpu = 0;
    std::uint64_t nodes = 0;
    int mismatches = 0;
};

double Percentile(std::vector<double> ms, double fraction) {
    std::sort(ms.begin(), ms.end());
    const auto index =
        static_cast<std::size_t>(fraction * static_cast<double>(ms.size() - 1) + 0.5);
    return ms[std::min(index, ms.size() - 1)];
}

}  // namespace

// Level 9 on positions from real games: for each size, engine and thread count, the slowest
// search, the 99th percentile and the median, and how much faster the deep search is than
// the fast one. The deep search's answers are checked against the fast search's on the way.
int RunRealBench(const CommandOptions& options, std::ostream& out) {
    const int onlySize = options.Value("size") ? options.BoardSize() : 0;
    const bool oneEngine = options.Has("engine");
    const EngineKind only = oneEngine ? options.Engine() : EngineKind::Fast;
    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    std::vector<int> threadCounts;
    if (options.Has("threads")) {
        threadCounts = {options.Integer("threads", 1, 256, std::nullopt)};
    } else {
        for (int n = 1; n <= cores; n *= 2) {
            threadCounts.push_back(n);
        }
        if (threadCounts.back() != cores) {
            threadCounts.push_back(cores);
        }
    }
    // (engine, threads) runs; the literal and fast searches use one thread.
    std::vector<std::pair<EngineKind, int>> runs;
    for (const EngineKind kind : {EngineKind::Literal, EngineKind::Fast, EngineKind::Deep}) {
        if (oneEngine ? kind != only : kind == EngineKind::Literal) {
            continue;
        }
        if (kind == EngineKind::Deep) {
            for (const int n : threadCounts) {
                runs.emplace_back(kind, n);
            }
        } else {
            runs.emplace_back(kind, 1);
        }
    }

    const std::vector<RealPosition> positions = RealPositions(onlySize);
    out << "Level 9 on " << positions.size()
        << " positions from self-play games (both algorithms); fast search build "
        << FastSearchBuildName(SelectedFastSearchBuild()) << ", " << cores << " cores\n";
    out << "size   engine  threads    slowest        p99     median      total  (CPU time)        "
           "nodes\n";
    for (const int size : {8, 10}) {
        if (onlySize != 0 && size != onlySize) {
            continue;
        }
        // The fast search's answers, to check the others by, and its total time.
        std::vector<SearchResult> reference;
        double fastTotal = 0;
        for (const auto& [kind, threads] : runs) {
            Timings timings;
            std::size_t index = 0;
            for (const RealPosition& r : positions) {
                if (r.position.size != size) {
                    continue;
                }
                const SearchSettings settings{9, false, r.advanced};
                const auto started = std::chrono::steady_clock::now();
                const double cpuStarted = ProcessCpuMs();
                const SearchResult result =
                    kind == EngineKind::Deep
                        ? DeepSearch(size, r.position.board, r.position.sideToMove, settings,
                                     nullptr, threads)
                        : SelectSearch(size, kind)(r.position.board, r.position.sideToMove,
                                                   settings, nullptr);
                const double ms = std::chrono::duration<double, std::milli>(
                                      std::chrono::steady_clock::now() - started)
                                      .count();
                timings.ms.push_back(ms);
                timings.total += ms;
                timings.cpuMs.push_back(ProcessCpuMs() - cpuStarted);
                timings.cpu += timings.cpuMs.back();
                timings.nodes += result.nodes;
                if (index < reference.size()) {
                    const SearchResult& expected = reference[index];
                    timings.mismatches +=
                        expected.move != result.move || expected.value != result.value ? 1 : 0;
                } else {
                    reference.push_back(result);
                }
                ++index;
            }
            if (kind == EngineKind::Fast) {
                fastTotal = timings.total;
            }
            out << Row("%2dx%-2d  %-7s  %7d  %7.1f ms %7.1f ms %7.1f ms %8.0f ms (%8.0f ms) %12llu",
                       size, size, std::string(EngineKindName(kind)).c_str(), threads,
                       Percentile(timings.ms, 1.0), Percentile(timings.ms, 0.99),
                       Percentile(timings.ms, 0.5), timings.total, timings.cpu,
                       static_cast<unsigned long long>(timings.nodes));
            // CPU time, for a loaded machine (with several threads, theirs added up).
            out << Row("  CPU slowest %.1f ms, median %.1f ms", Percentile(timings.cpuMs, 1.0),
                       Percentile(timings.cpuMs, 0.5));
            if (kind == EngineKind::Deep && fastTotal > 0) {
                out << Row("  %.1fx fast", fastTotal / timings.total);
            }
            if (timings.mismatches != 0) {
                out << "  " << timings.mismatches << " answers differ";
            }
            out << "\n";
            if (timings.mismatches != 0) {
                return 1;
            }
        }
    }
    // How long the deep search takes to unwind after a stop request, on every core: stopped
    // at varying moments in each position.
    std::vector<double> stopMs;
    int stops = 0;
    for (const RealPosition& r : positions) {
        if (r.position.size != (onlySize != 0 ? onlySize : 10)) {
            continue;
        }
        std::atomic<bool> stop{false};
        std::chrono::steady_clock::time_point requested;
        std::thread search([&] {
            DeepSearch(r.position.size, r.position.board, r.position.sideToMove,
                       {9, false, r.advanced}, &stop, 0);
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(1 + stops % 20));
        requested = std::chrono::steady_clock::now();
        stop.store(true, std::memory_order_relaxed);
        search.join();
        stopMs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - requested)
                .count());
        ++stops;
    }
    if (!stopMs.empty()) {
        out << Row(
            "deep search on every core, %d stop requests: slowest answer %.2f ms, "
            "median %.2f ms\n",
            stops, Percentile(stopMs, 1.0), Percentile(stopMs, 0.5));
    }
    return 0;
}

}  // namespace velmora
