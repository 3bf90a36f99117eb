#pragma once

#include <vector>

#include "score.h"

namespace velmora::assets {

// The background music: three calm pieces of different character.
std::vector<PieceStyle> Pieces();

}  // namespace velmora::assets
