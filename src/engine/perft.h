#pragma once

#include <cstdint>

#include "engine/board.h"

namespace velmora {

// Leaf count of the legal-move tree to the given depth, by the usual Othello convention: a
// forced pass counts as a move and a finished game is a leaf.
std::uint64_t Perft(const Board& board, int size, int sideToMove, int depth);
// The same through the mailbox rules (IsLegal and MakeMove), to check the fast generator.
std::uint64_t MailboxPerft(const Board& board, int size, int sideToMove, int depth);

}  // namespace velmora
