#pragma once

#include "engine/board.h"
#include "engine/search.h"

namespace velmora {

// The size-specific routines, so that the hot loops of each board size are compiled
// with their stride as a constant.
struct Routines {
    int size;
    void (*initBoard)(Board& board, int size);
    bool (*isLegal)(const Board& board, int square, int player, int opponent);
    void (*makeMove)(Board& board, int square, int player, int opponent);
    // The search the game plays with.
    SearchFunction search;
};

const Routines& SelectRoutines(int size);

}  // namespace velmora
