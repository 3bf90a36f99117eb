#pragma once

#include <atomic>
#include <optional>
#include <string_view>

#include "engine/board.h"
#include "engine/search_settings.h"

namespace velmora {

// The implementations of the computer player's search. All choose the same move with the
// same value. The fast one visits node for node the literal one's tree and is the reference
// the others are checked against; the deep one searches a much smaller tree on every core.
enum class EngineKind { Literal, Fast, Deep };

// The search the game plays with, wherever a caller does not name one.
constexpr EngineKind kGameEngine = EngineKind::Deep;

std::optional<EngineKind> ParseEngineKind(std::string_view name);
std::string_view EngineKindName(EngineKind kind);

// A search of one board size. stop may be null; when it becomes true the search unwinds
// and answers NoMove.
using SearchFunction = SearchResult (*)(const Board& board, int sideToMove,
                                        const SearchSettings& settings,
                                        const std::atomic<bool>* stop);

SearchFunction SelectSearch(int size, EngineKind kind);

}  // namespace velmora
