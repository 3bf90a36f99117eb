#pragma once

#include <filesystem>
#include <string>

#include "engine/game_position.h"
#include "engine/match_file.h"
#include "engine/match_record.h"
#include "game/settings.h"

namespace velmora {

// The part of the player's settings that a saved match carries.
MatchSettings MatchSettingsOf(const Settings& settings, const RuntimeFlags& flags);
// Takes over what an opened match holds, board size included, so that the settings
// dialog shows the match's choices.
void ApplyMatchSettings(const MatchSettings& match, int boardSize, Settings& settings,
                        RuntimeFlags& flags);

// Saves the record with the present settings.
bool SaveGameMatch(const OBoardTracker& record, const Settings& settings, const RuntimeFlags& flags,
                   const std::filesystem::path& path, std::string* error);
// Opens a saved match into the game: record, position (rewound to before the first move)
// and settings. A refused file changes nothing and error holds the message to show.
bool OpenGameMatch(const std::filesystem::path& path, OBoardTracker& record, GamePosition& position,
                   Settings& settings, RuntimeFlags& flags, std::string* error);

}  // namespace velmora
