#pragma once

#include <string>
#include <vector>

#include "assetkit/audio.h"

namespace velmora::assets {

struct Effect {
    std::string file;  // name in the DATA folder
    Sound sound;
    double loudnessOffset;  // dB relative to the common loudness (the cursor tick sits lower)
};

// The eight effects in the order of their indices: connect, correct, disconnect, endgame,
// message, move, movehint, stmove.
std::vector<Effect> MakeEffects(int rate);

}  // namespace velmora::assets
