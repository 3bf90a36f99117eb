#pragma once

namespace velmora {

class GraphicsHolder;

// Draws the board cursor into the back buffer with its lower-left corner at pixel column x,
// block row y (one row below the square), saving what it covers first. `cell` is the square
// size (61 or 49).
void DrawCursor(GraphicsHolder& holder, int x, int y, bool even, int cell);
// Puts the saved block back.
void RestoreCursor(GraphicsHolder& holder, int x, int y, int cell);

}  // namespace velmora
