#include <chrono>
#include <cstdio>
#include <ostream>
#include <vector>

#include "engine/compute_move.h"
#include "engine/deep_search.h"
#include "engine/engine_worker.h"
#include "engine/game_position.h"
#include "engine/notation.h"
#include "engine/rules.h"
#include "engine/side_names.h"
#include "velmora-engine/board_picture.h"
#include "velmora-engine/command_options.h"

namespace velmora {

namespace {

std::string Padded(std::string text, std::size_t width) {
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

}  // namespace

// Plays a whole game computer against computer through the engine worker, as the game does,
// and prints the moves, the final position and the result.
int RunSelfplayCommand(std::span<const std::string> args, std::ostream& out) {
    const CommandOptions options(args, {"size", "level", "engine", "threads"}, {"advanced"});
    const int size = options.BoardSize();
    const SearchSettings settings = options.Settings();
    const EngineKind engine = options.Engine();
    SetDeepSearchThreads(options.Integer("threads", 1, 256, 0));

    out << "Velmora Reversi, computer against computer: " << size << " x " << size << ", level "
        << settings.ShownLevel() << ", " << (settings.advanced ? "advanced" : "normal")
        << " algorithm, " << EngineKindName(engine) << " engine\n\n";

    GamePosition position;
    position.Reset(size);
    EngineWorker worker;
    std::vector<std::string> plies;  // White's and Black's turns alternate, passes included.
    std::uint64_t nodes = 0;
    const auto started = std::chrono::steady_clock::now();
    for (;;) {
        const ScanResult scan = ScanBoard(position.board, size);
        if (scan.GameOver()) {
            break;
        }
        const int side = position.sideToMove;
        if (!scan.CanMove(side)) {
            plies.emplace_back("pass");
            position.sideToMove = Opponent(side);
            continue;
        }
        const bool searched = !position.openingPending;
        const int move =
            ComputeMove(worker, position, settings, BlockingPump(worker), nullptr, engine);
        if (move == NoMove || !IsLegal(position.board, size, move, side, Opponent(side))) {
            out << "the engine gave no legal move\n";
            return 1;
        }
        nodes += searched ? worker.Result().nodes : 0;
        MakeMove(position.board, size, move, side, Opponent(side));
        position.openingPending = false;
        position.sideToMove = Opponent(side);
        plies.push_back(SquareName(size, move));
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    out << "       White  Black\n";
    for (std::size_t i = 0; i < plies.size(); i += 2) {
        char number[32];
        std::snprintf(number, sizeof number, "%4zu.  ", i / 2 + 1);
        out << number << Padded(plies[i], 7) << (i + 1 < plies.size() ? plies[i + 1] : "") << "\n";
    }
    const ScanResult scan = ScanBoard(position.board, size);
    out << "\n" << BoardPicture(position.board, size) << "\n";
    out << "O White (" << SideName(White) << ") " << scan.whiteCount << ", X Black ("
        << SideName(Black) << ") " << scan.blackCount << ": ";
    if (scan.whiteCount == scan.blackCount) {
        out << "a draw.\n";
    } else {
        const bool whiteWins = scan.whiteCount > scan.blackCount;
        out << (whiteWins ? "White" : "Black") << " wins by "
            << (whiteWins ? scan.whiteCount - scan.blackCount : scan.blackCount - scan.whiteCount)
            << ".\n";
    }
    char timing[96];
    std::snprintf(timing, sizeof timing, "%.2f s", seconds);
    out << "Searched " << nodes << " nodes in " << timing << ".\n";
    return 0;
}

}  // namespace velmora
