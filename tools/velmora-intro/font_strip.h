#pragma once

#include <cstdint>
#include <vector>

namespace velmora::assets {

// "INTRO_FONTIM": 2820 columns x 20 rows, one byte per pixel, bottom row first, 255 blank
// and smaller values ink. After six blank columns (the scroller's space) it holds the 147
// characters that follow the space in the intro's character set, in that order, and then
// a disc sign. Each glyph is one run of inked columns followed by a blank column; parts of
// a glyph that stand apart (the strokes of the double quote, the two halves of "Ы") and one
// column of letter spacing are bridged with 254, which the intro blends as fully clear.
std::vector<std::uint8_t> FontStrip();

}  // namespace velmora::assets
