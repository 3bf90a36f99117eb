#pragma once

#include <string>

namespace velmora::assets {

// Composes boards from the written skin files the way the board renderer does (border
// strips, squares, the 10 x 10 reduction of the sheets) and saves PNG pictures of them into
// `dir`: the start position on both sizes with both borders, a game in progress with the
// possible-move marks, and every animation frame enlarged. Returns false on a read error.
bool WriteBoardPreviews(const std::string& skinDir, const std::string& dir);

}  // namespace velmora::assets
