#include <ostream>

#include "engine/deep_search.h"
#include "engine/notation.h"
#include "engine/search.h"
#include "velmora-engine/command_options.h"

namespace velmora {

// Chooses a move for one position: the square (or "pass") and the number of nodes searched.
int RunMoveCommand(std::span<const std::string> args, std::ostream& out) {
    const CommandOptions options(args, {"size", "board", "to-move", "level", "engine", "threads"},
                                 {"advanced"});
    const int size = options.BoardSize();
    const Board board = options.Position(size);
    const int toMove = options.SideToMove();
    const SearchSettings settings = options.Settings();
    SetDeepSearchThreads(options.Integer("threads", 1, 256, 0));
    const SearchResult result =
        SelectSearch(size, options.Engine())(board, toMove, settings, nullptr);
    out << (result.move == NoMove ? std::string("pass") : SquareName(size, result.move)) << "\n"
        << "nodes " << result.nodes << "\n";
    return 0;
}

}  // namespace velmora
