#pragma once

#include "engine/game_position.h"
#include "engine/match_record.h"
#include "game/settings.h"
#include "game/statistics.h"

namespace velmora {

// Everything a running game consists of; the main window owns exactly one.
struct GameSession {
    GamePosition position;
    OBoardTracker record;
    Settings settings;
    RuntimeFlags flags;
    StatisticsTable statistics;
};

}  // namespace velmora
