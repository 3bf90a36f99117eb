#pragma once

#include <string>

#include "engine/board.h"

namespace velmora {

// The board drawn with characters, as on screen: O White, X Black, . empty, with the column
// letters above and below and the numbers on both sides.
std::string BoardPicture(const Board& board, int size);

}  // namespace velmora
