#include <ostream>

#include "engine/perft.h"
#include "velmora-engine/command_options.h"

namespace velmora {

// Counts the leaves of the legal-move tree from the start position.
int RunPerftCommand(std::span<const std::string> args, std::ostream& out) {
    const CommandOptions options(args, {"size", "depth"}, {});
    const int size = options.BoardSize();
    const int depth = options.Integer("depth", 0, 64, std::nullopt);
    Board start;
    InitBoard(start, size);
    out << Perft(start, size, White, depth) << "\n";
    return 0;
}

}  // namespace velmora
