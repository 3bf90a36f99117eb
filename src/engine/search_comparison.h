#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/random_positions.h"
#include "engine/search_settings.h"

namespace velmora {

// Plays the literal search against the fast one (each build of it this processor runs) on
// random positions, every level from 0 up and both algorithms, and collects every position
// where they disagree on the move, the value or the node count.
struct SearchComparisonOptions {
    int size = 8;
    // Positions along random games, and random boards no game reaches.
    std::size_t gamePositions = 100;
    std::size_t randomBoards = 50;
    std::uint32_t seed = 1;
    // A position goes one level deeper while its last literal search stayed under this many
    // nodes, so openings stop early and endings reach level 9.
    std::uint64_t nodeCap = 5000;
};

struct SearchMismatch {
    Board board{};
    int sideToMove = White;
    SearchSettings settings;
    SearchResult literal;
    SearchResult fast;
    const char* build = "";  // which build of the fast search
};

struct SearchComparisonReport {
    std::size_t searches = 0;  // literal searches, each compared with every build
    std::uint64_t nodes = 0;   // literal nodes searched
    std::size_t levelNineSearches = 0;
    std::vector<SearchMismatch> mismatches;
};

SearchComparisonReport CompareSearches(const SearchComparisonOptions& options);

// Plays the deep search, on each thread count given, against the literal search's move and
// value at every level from 0 up and both algorithms, on the positions given. Once a level
// costs the literal search too many nodes, its answers come from the fast search (its
// node-for-node twin, checked by CompareSearches), so that the comparison reaches level 9 in
// the middle game; a position goes one level deeper while its last search stayed under
// nodeCap nodes. Mismatches name the thread count as their build.
SearchComparisonReport CompareDeepSearch(const std::vector<SampledPosition>& positions,
                                         const std::vector<int>& threadCounts,
                                         std::uint64_t nodeCap);

// One line for a mismatch: the position, the settings and both answers (move/value, with the
// nodes where both searches should have visited the same tree, as fast and literal do).
std::string DescribeMismatch(const SearchMismatch& m, int size, bool deep);

}  // namespace velmora
