#pragma once

#include "engine/board.h"

namespace velmora {

// The eight directions in the order the rules walk them: S-1, S, S+1, 1, -1, -(S-1), -S, -(S+1).
template <int Size>
constexpr std::array<int, 8> kDirections = {Size + 1, Size + 2, Size + 3, 1,
                                            -1,       -(Size + 1), -(Size + 2), -(Size + 3)};

// A move is legal when it lands on an empty cell and closes a run of opponent discs
// in at least one direction. The border ring stops every run inside the array.
template <int Size>
bool IsLegalOn(const Board& board, int square, int player, int opponent) {
    if (board[square] != Empty) {
        return false;
    }
    for (const int d : kDirections<Size>) {
        int t = square + d;
        if (board[t] != opponent) {
            continue;
        }
        do {
            t += d;
        } while (board[t] == opponent);
        if (board[t] == player) {
            return true;
        }
    }
    return false;
}

// Plays a move in place without checking it; NoMove leaves the board alone.
template <int Size>
void MakeMoveOn(Board& board, int square, int player, int opponent) {
    if (square == NoMove) {
        return;
    }
    for (const int d : kDirections<Size>) {
        int t = square + d;
        if (board[t] != opponent) {
            continue;
        }
        do {
            t += d;
        } while (board[t] == opponent);
        if (board[t] == player) {
            for (t -= d; board[t] == opponent; t -= d) {
                board[t] = static_cast<std::uint8_t>(player);
            }
        }
    }
    board[square] = static_cast<std::uint8_t>(player);
}

struct ScanResult {
    bool whiteCanMove = false;
    bool blackCanMove = false;
    int whiteCount = 0;
    int blackCount = 0;

    bool GameOver() const { return !whiteCanMove && !blackCanMove; }
    bool CanMove(int side) const { return side == White ? whiteCanMove : blackCanMove; }
};

ScanResult ScanBoard(const Board& board, int size);

// Size-dispatching forms for callers outside the hot loops.
bool IsLegal(const Board& board, int size, int square, int player, int opponent);
void MakeMove(Board& board, int size, int square, int player, int opponent);
bool HasLegalMove(const Board& board, int size, int player);

}  // namespace velmora
