#pragma once

#include "engine/board.h"

namespace velmora {

class GraphicsHolder;
class BoardRenderer;

// The settings that decide what the board is made of.
struct SkinChoice {
    int figureSkin = 0;
    int cursorSkin = 0;
    int helpSkin = 0;
    int borderSkin = 0;
    int boardSize = 8;

    bool operator==(const SkinChoice&) const = default;
};

// Bounds every index to an existing skin (both ways) and the size to 8 or 10.
SkinChoice ClampSkinChoice(SkinChoice choice);

// Window creation: every image, the cursor style, the geometry and the back buffer.
void LoadAllSkins(GraphicsHolder& holder, BoardRenderer& renderer, const SkinChoice& choice);

// What a change of skins or board size did.
struct SkinChangeOutcome {
    bool reloaded = false;     // some image was loaded again
    bool sizeChanged = false;  // the board size (and with it the cursor position) changed
};

// A skin command or settings apply: the cursor style always, each image only when its skin (or,
// for pieces and marks, the board size) changed, a new back buffer after any reload or size
// change, then the board drawn anew and repainted.
SkinChangeOutcome ApplySkinChoice(GraphicsHolder& holder, BoardRenderer& renderer,
                                  const SkinChoice& before, const SkinChoice& after,
                                  const Board& board);

}  // namespace velmora
