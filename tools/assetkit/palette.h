#pragma once

#include <array>
#include <vector>

namespace velmora::assets {

using Rgb8 = std::array<int, 3>;

// Median-cut reduction of a set of colours to at most `count` representative ones.
std::vector<Rgb8> MedianCut(std::vector<Rgb8> colours, int count);
// Index of the palette entry nearest to `c`, searching entries [first, palette.size()).
int NearestIndex(const std::vector<Rgb8>& palette, const Rgb8& c, int first = 0);

}  // namespace velmora::assets
