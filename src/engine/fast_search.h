#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/board.h"
#include "engine/search.h"
#include "engine/search_settings.h"

namespace velmora {

// The bitboard search the game plays with: the literal search's moves, values and node
// counts, many times faster. The board is converted at entry; it must be well formed.
template <int Size>
SearchResult FastSearchOn(const Board& board, int sideToMove, const SearchSettings& settings,
                          const std::atomic<bool>* stop);

// Perft through the bitboard move generator.
std::uint64_t FastPerft(const Board& board, int size, int sideToMove, int depth);

// Which build of the fast search this processor runs.
enum class FastSearchBuild { Portable, Popcnt, Avx2, Avx512 };
FastSearchBuild SelectedFastSearchBuild();
const char* FastSearchBuildName(FastSearchBuild build);
// Every build this processor can run, and the search of one of them (for tests and benches).
std::vector<FastSearchBuild> SupportedFastSearchBuilds();
SearchFunction FastSearchOfBuild(int size, FastSearchBuild build);

}  // namespace velmora
