#include "engine/board.h"

namespace velmora {

namespace {

constexpr std::array<int, 64> kSquareList8 = {
    11, 18, 81, 88, 13, 31, 16, 61, 38, 83, 68, 86, 14, 41, 15, 51, 48, 84, 58, 85, 33, 36,
    63, 66, 34, 53, 46, 43, 35, 56, 64, 65, 24, 25, 42, 47, 52, 57, 74, 75, 23, 26, 32, 37,
    62, 67, 73, 76, 12, 17, 21, 28, 71, 78, 82, 87, 22, 27, 72, 77, 44, 55, 45, 54};

constexpr std::array<int, 100> kSquareList10 = {
    13,  22,  121, 130, 15,  20,  123, 128, 46,  106, 37,  97,  16,  19,  124, 127, 58,
    94,  49,  85,  17,  18,  125, 126, 70,  82,  61,  73,  39,  44,  99,  104, 41,  42,
    101, 102, 68,  80,  63,  75,  40,  43,  100, 103, 56,  92,  51,  87,  29,  30,  113,
    114, 69,  81,  62,  74,  14,  21,  122, 129, 34,  118, 25,  109, 28,  31,  112, 115,
    57,  93,  50,  86,  27,  32,  111, 116, 45,  105, 38,  98,  53,  54,  89,  90,  67,
    79,  64,  76,  52,  55,  88,  91,  26,  33,  110, 117, 65,  66,  78,  77};

}  // namespace

std::span<const int> SquareList(int size) {
    if (size == 10) {
        return kSquareList10;
    }
    return kSquareList8;
}

std::span<const int> MoveOrder(int size) {
    return SquareList(size).first(static_cast<std::size_t>(size * size - 4));
}

void InitBoard(Board& board, int size) {
    board.fill(Border);
    for (int column = 0; column < size; ++column) {
        for (int row = 0; row < size; ++row) {
            board[SquareAt(size, column, row)] = Empty;
        }
    }
    const int mid = size / 2;
    board[SquareAt(size, mid - 1, mid - 1)] = White;
    board[SquareAt(size, mid, mid)] = White;
    board[SquareAt(size, mid - 1, mid)] = Black;
    board[SquareAt(size, mid, mid - 1)] = Black;
}

}  // namespace velmora
