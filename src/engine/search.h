#pragma once

#include <atomic>
#include <optional>
#include <string_view>

#include "engine/board.h"
#include "engine/search_settings.h"

namespace velmora {

// The two implementations of the computer player's search. They choose the same move with
// the same value after the same number of nodes; the fast one is what the game plays with.
enum class EngineKind { Literal, Fast };

std::optional<EngineKind> ParseEngineKind(std::string_view name);
std::string_view EngineKindName(EngineKind kind);

// A search of one board size. stop may be null; when it becomes true the search unwinds
// and answers NoMove.
using SearchFunction = SearchResult (*)(const Board& board, int sideToMove,
                                        const SearchSettings& settings,
                                        const std::atomic<bool>* stop);

SearchFunction SelectSearch(int size, EngineKind kind);

}  // namespace velmora
