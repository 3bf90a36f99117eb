#include "engine/rules.h"

#include "engine/routines.h"

namespace velmora {

ScanResult ScanBoard(const Board& board, int size) {
    const Routines& routines = SelectRoutines(size);
    ScanResult result;
    for (const int square : SquareList(size)) {
        if (!result.whiteCanMove && routines.isLegal(board, square, White, Black)) {
            result.whiteCanMove = true;
        }
        if (!result.blackCanMove && routines.isLegal(board, square, Black, White)) {
            result.blackCanMove = true;
        }
        if (board[square] == White) {
            ++result.whiteCount;
        } else if (board[square] == Black) {
            ++result.blackCount;
        }
    }
    return result;
}

bool IsLegal(const Board& board, int size, int square, int player, int opponent) {
    return SelectRoutines(size).isLegal(board, square, player, opponent);
}

void MakeMove(Board& board, int size, int square, int player, int opponent) {
    SelectRoutines(size).makeMove(board, square, player, opponent);
}

bool HasLegalMove(const Board& board, int size, int player) {
    const Routines& routines = SelectRoutines(size);
    for (const int square : MoveOrder(size)) {
        if (routines.isLegal(board, square, player, Opponent(player))) {
            return true;
        }
    }
    return false;
}

}  // namespace velmora
