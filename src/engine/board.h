#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace velmora {

// A position: a mailbox of 144 cells with a one-cell border ring. Square index is
// stride * (column + 1) + (row + 1), column from the left, row from the top; the
// 8 x 8 board uses only the first 100 cells and keeps the rest Border.
constexpr int kBoardCells = 144;
using Board = std::array<std::uint8_t, kBoardCells>;

enum Cell : std::uint8_t { Border = 0, Empty = 1, White = 2, Black = 3 };

// A pass, or no move at all.
constexpr int NoMove = 1000;

constexpr int Opponent(int side) { return side == White ? Black : White; }
constexpr bool IsSide(int value) { return value == White || value == Black; }
constexpr bool IsValidBoardSize(int size) { return size == 8 || size == 10; }
constexpr int StrideOf(int size) { return size + 2; }

constexpr int SquareAt(int size, int column, int row) {
    return StrideOf(size) * (column + 1) + row + 1;
}
constexpr int ColumnOf(int size, int square) { return square / StrideOf(size) - 1; }
constexpr int RowOf(int size, int square) { return square % StrideOf(size) - 1; }
constexpr int FirstSquare(int size) { return SquareAt(size, 0, 0); }
constexpr int LastSquare(int size) { return SquareAt(size, size - 1, size - 1); }

constexpr bool IsPlayingSquare(int size, int square) {
    if (!IsValidBoardSize(size) || square < FirstSquare(size) || square > LastSquare(size)) {
        return false;
    }
    const int row = RowOf(size, square);
    return row >= 0 && row < size;
}

// Every playing square once: the search's move order (corners first, the squares next
// to the corners last), then the four centre squares.
std::span<const int> SquareList(int size);
// The first SquareList entries, the ones a move can ever be played on.
std::span<const int> MoveOrder(int size);

// Lays the start position of the given size: playing squares Empty, the four discs,
// everything else Border.
void InitBoard(Board& board, int size);

}  // namespace velmora
