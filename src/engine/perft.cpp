#include "engine/perft.h"

#include "engine/fast_search.h"
#include "engine/rules.h"

namespace velmora {

namespace {

template <int Size>
std::uint64_t MailboxPerftOn(const Board& board, int side, int depth) {
    if (depth == 0) {
        return 1;
    }
    std::uint64_t leaves = 0;
    bool moved = false;
    for (const int q : MoveOrder(Size)) {
        if (IsLegalOn<Size>(board, q, side, Opponent(side))) {
            moved = true;
            Board child = board;
            MakeMoveOn<Size>(child, q, side, Opponent(side));
            leaves += MailboxPerftOn<Size>(child, Opponent(side), depth - 1);
        }
    }
    if (moved) {
        return leaves;
    }
    // A pass when the opponent can move; otherwise the game is over here.
    if (!HasLegalMove(board, Size, Opponent(side))) {
        return 1;
    }
    return MailboxPerftOn<Size>(board, Opponent(side), depth - 1);
}

}  // namespace

std::uint64_t MailboxPerft(const Board& board, int size, int sideToMove, int depth) {
    return size == 10 ? MailboxPerftOn<10>(board, sideToMove, depth)
                      : MailboxPerftOn<8>(board, sideToMove, depth);
}

std::uint64_t Perft(const Board& board, int size, int sideToMove, int depth) {
    return FastPerft(board, size, sideToMove, depth);
}

}  // namespace velmora
