#pragma once

#include "assetkit/audio.h"
#include "score.h"

namespace velmora::assets {

// Plays a score with the style's timbres into a stereo sound: each voice on its own stem,
// stems balanced by loudness and panned, the pad widened by chorus, the whole in a room.
Sound Render(const PieceStyle& style, const Score& score, int rate);

}  // namespace velmora::assets
