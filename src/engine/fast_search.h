#pragma once

#include <atomic>
#include <cstdint>

#include "engine/board.h"
#include "engine/search_settings.h"

namespace velmora {

// The bitboard search the game plays with: the literal search's moves, values and node
// counts, many times faster. The board is converted at entry; it must be well formed.
template <int Size>
SearchResult FastSearchOn(const Board& board, int sideToMove, const SearchSettings& settings,
                          const std::atomic<bool>* stop);

// Perft through the bitboard move generator.
std::uint64_t FastPerft(const Board& board, int size, int sideToMove, int depth);

// Whether this processor runs the POPCNT build of the fast search.
bool FastSearchUsesPopcnt();

}  // namespace velmora
