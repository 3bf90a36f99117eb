#pragma once

#include <atomic>

#include "engine/board.h"
#include "engine/search_settings.h"

namespace velmora {

// The search the game plays with: exactly the literal search's move and value, from a much
// smaller tree (a transposition table, ordered moves, null-window tests of the later root
// moves, several threads). Its node counts are its own. The board must be well formed.
// The answer does not depend on the number of threads.
template <int Size>
SearchResult DeepSearchOn(const Board& board, int sideToMove, const SearchSettings& settings,
                          const std::atomic<bool>* stop);
// threads 0: every core.
SearchResult DeepSearch(int size, const Board& board, int sideToMove,
                        const SearchSettings& settings, const std::atomic<bool>* stop, int threads);

// The threads DeepSearchOn uses, for the whole process: every core by default (0).
void SetDeepSearchThreads(int threads);
int DeepSearchThreads();

}  // namespace velmora
