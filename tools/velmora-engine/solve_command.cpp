#include <time.h>

#include <chrono>
#include <cstdio>
#include <ostream>

#include "engine/bench_positions.h"
#include "engine/endgame_solver.h"
#include "engine/fast_search.h"
#include "engine/notation.h"
#include "engine/solver_bench_positions.h"
#include "velmora-engine/command_options.h"

namespace velmora {

namespace {

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Since(std::chrono::steady_clock::time_point started) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

std::string MoveName(int size, int move) {
    return move == NoMove ? std::string("pass") : SquareName(size, move);
}

// Times the solver on the fixed 20-empty positions, each with a fresh table, and the fast
// search at level 9 on the 8 x 8 bench positions for comparison of their speeds.
int Bench(std::ostream& out) {
    char line[400];
    out << "Endgame solver, build " << FastSearchBuildName(SelectedFastSearchBuild())
        << ": 8 x 8, 20 empties\n";
    out << "  #  move  value       nodes      time   CPU time\n";
    std::uint64_t nodes = 0;
    double cpuTotal = 0;
    double worst = 0;
    int number = 0;
    for (const BenchPosition& p : SolverBenchPositions()) {
        EndgameSolver solver(p.size);
        const auto started = std::chrono::steady_clock::now();
        const double cpuStarted = ThreadCpuSeconds();
        const SolveResult r = solver.Solve(*BoardFromText(p.size, p.board), p.sideToMove, nullptr);
        const double cpu = ThreadCpuSeconds() - cpuStarted;
        const double seconds = Since(started);
        nodes += r.nodes;
        cpuTotal += cpu;
        worst = cpu > worst ? cpu : worst;
        std::snprintf(line, sizeof line, "%3d  %-4s  %+5d %11llu %8.3f s %8.3f s\n", ++number,
                      MoveName(p.size, r.move).c_str(), r.value,
                      static_cast<unsigned long long>(r.nodes), seconds, cpu);
        out << line;
    }
    std::uint64_t fastNodes = 0;
    double fastCpu = 0;
    for (const BenchPosition& p : BenchPositions()) {
        if (p.size != 8) {
            continue;
        }
        const double cpuStarted = ThreadCpuSeconds();
        fastNodes += FastSearchOn<8>(*BoardFromText(p.size, p.board), p.sideToMove,
                                     {9, false, false}, nullptr)
                         .nodes;
        fastCpu += ThreadCpuSeconds() - cpuStarted;
    }
    std::snprintf(line, sizeof line,
                  "solver: %llu nodes in %.3f s of CPU, %.3f s on average, %.3f s at most: "
                  "%.2f million nodes per CPU second\n"
                  "fast search, level 9 on the 8 x 8 bench positions: %.2f million nodes per "
                  "CPU second\n",
                  static_cast<unsigned long long>(nodes), cpuTotal, cpuTotal / number, worst,
                  static_cast<double>(nodes) / cpuTotal / 1e6,
                  static_cast<double>(fastNodes) / fastCpu / 1e6);
    out << line;
    return 0;
}

}  // namespace

// Solves one position exactly: the best move (or "pass"), the final disc difference for the
// side to move, the nodes and the time. With --bench, times the solver instead.
int RunSolveCommand(std::span<const std::string> args, std::ostream& out) {
    const CommandOptions options(args, {"size", "board", "to-move"}, {"bench"});
    if (options.Has("bench")) {
        return Bench(out);
    }
    const int size = options.BoardSize();
    const Board board = options.Position(size);
    const int toMove = options.SideToMove();
    EndgameSolver solver(size);
    const auto started = std::chrono::steady_clock::now();
    const SolveResult r = solver.Solve(board, toMove, nullptr);
    char line[128];
    std::snprintf(line, sizeof line, "%+d\nnodes %llu\ntime %.3f s\n", r.value,
                  static_cast<unsigned long long>(r.nodes), Since(started));
    out << MoveName(size, r.move) << "\n" << line;
    return 0;
}

}  // namespace velmora
