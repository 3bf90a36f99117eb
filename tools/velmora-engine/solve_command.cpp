#include <chrono>
#include <cstdio>
#include <ostream>

#include "engine/endgame_solver.h"
#include "engine/notation.h"
#include "velmora-engine/command_options.h"

namespace velmora {

// Solves one position exactly: the best move (or "pass"), the final disc difference for the
// side to move, the nodes and the time.
int RunSolveCommand(std::span<const std::string> args, std::ostream& out) {
    const CommandOptions options(args, {"size", "board", "to-move"}, {});
    const int size = options.BoardSize();
    const std::string text = options.Required("board");
    const auto board = BoardFromText(size, text);
    if (!board) {
        throw UsageError("--board must be " + std::to_string(size * size) +
                         " characters of w, b and +, column by column");
    }
    const std::string toMove = options.Required("to-move");
    if (toMove != "white" && toMove != "black") {
        throw UsageError("--to-move must be white or black, not '" + toMove + "'");
    }
    EndgameSolver solver(size);
    const auto started = std::chrono::steady_clock::now();
    const SolveResult r = solver.Solve(*board, toMove == "white" ? White : Black, nullptr);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    char line[128];
    std::snprintf(line, sizeof line, "%+d\nnodes %llu\ntime %.3f s\n", r.value,
                  static_cast<unsigned long long>(r.nodes), seconds);
    out << (r.move == NoMove ? std::string("pass") : SquareName(size, r.move)) << "\n" << line;
    return 0;
}

}  // namespace velmora
