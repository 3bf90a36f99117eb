#pragma once

#include <cstddef>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "engine/board.h"
#include "engine/notation.h"
#include "engine/rules.h"

namespace velmora::testing {

// The sanitizer and debug builds run the differential comparisons on fewer positions.
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
inline constexpr std::size_t kDifferentialScale = 1;
#else
inline constexpr std::size_t kDifferentialScale = 12;
#endif

// An otherwise empty board with the named discs, e.g. {{"A8", White}, {"B8", Black}}.
inline Board MakeBoard(int size, std::initializer_list<std::pair<const char*, int>> discs) {
    Board board;
    InitBoard(board, size);
    for (const int square : SquareList(size)) {
        board[square] = Empty;
    }
    for (const auto& [name, side] : discs) {
        const auto square = ParseSquare(size, name);
        if (!square) {
            throw std::invalid_argument(std::string("bad square ") + name);
        }
        board[*square] = static_cast<std::uint8_t>(side);
    }
    return board;
}

// The legal moves of side in search order.
inline std::vector<int> OrderedMoves(const Board& board, int size, int side) {
    std::vector<int> moves;
    for (const int square : MoveOrder(size)) {
        if (IsLegal(board, size, square, side, Opponent(side))) {
            moves.push_back(square);
        }
    }
    return moves;
}

}  // namespace velmora::testing
