#pragma once

#include "engine/board.h"

namespace velmora {

// The position on screen and the flags that travel with it. One exists per main window;
// the engine worker reads it only while the GUI thread leaves it alone.
struct GamePosition {
    Board board{};
    int sideToMove = White;
    int boardSize = 8;
    // Set by a new game, cleared by the first move played: the computer's first move of a
    // game is a fixed square rather than a search.
    bool openingPending = false;
    bool gameOver = false;

    // A fresh game of the given size: start position, White to move.
    void Reset(int size) {
        boardSize = size;
        InitBoard(board, size);
        sideToMove = White;
        openingPending = true;
        gameOver = false;
    }
};

}  // namespace velmora
