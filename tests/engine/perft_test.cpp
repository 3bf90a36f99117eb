#include <gtest/gtest.h>

#include <vector>

#include "engine/perft.h"
#include "engine/random_positions.h"

namespace velmora {
namespace {

TEST(PerftTest, KnownCountsFromThe8x8Start) {
    Board start;
    InitBoard(start, 8);
    const std::vector<std::uint64_t> known = {1, 4, 12, 56, 244, 1396, 8200, 55092, 390216};
    for (std::size_t depth = 0; depth < known.size(); ++depth) {
        EXPECT_EQ(Perft(start, 8, White, static_cast<int>(depth)), known[depth]) << depth;
    }
    EXPECT_EQ(MailboxPerft(start, 8, White, 6), 8200u);
}

// Random positions reach passes and finished games, which the start position's first plies
// never do.
TEST(PerftTest, FastGeneratorMatchesTheMailboxRules) {
    for (const int size : {8, 10}) {
        for (const SampledPosition& p : SampleRandomPositions(size, 30, 17)) {
            for (int depth = 1; depth <= 3; ++depth) {
                EXPECT_EQ(Perft(p.board, size, p.sideToMove, depth),
                          MailboxPerft(p.board, size, p.sideToMove, depth))
                    << size << " depth " << depth;
            }
        }
    }
    // A finished game is one leaf at any depth; a forced pass is a move.
    Board board;
    InitBoard(board, 8);
    for (const int q : SquareList(8)) {
        board[q] = Empty;
    }
    board[11] = White;
    board[88] = Black;
    EXPECT_EQ(Perft(board, 8, White, 5), 1u);
    // White's discs sit under Black corners: White must pass, then Black has two moves.
    board[11] = Black;
    board[12] = White;
    board[81] = Black;
    board[82] = White;
    board[88] = Empty;
    for (const auto perft : {&Perft, &MailboxPerft}) {
        EXPECT_EQ(perft(board, 8, White, 1), 1u);
        EXPECT_EQ(perft(board, 8, White, 2), 2u);
        EXPECT_EQ(perft(board, 8, Black, 1), 2u);
    }
}

}  // namespace
}  // namespace velmora
