#include "game/saved_match_settings.h"

namespace velmora {

MatchSettings MatchSettingsOf(const Settings& settings, const RuntimeFlags& flags) {
    MatchSettings match;
    match.computerSide = settings.computerSide;
    match.versusComputer = settings.versusComputer;
    match.training = flags.trainingGame;
    match.novice = settings.noviceLevel;
    match.advanced = settings.advancedEngine;
    match.level = settings.level;
    return match;
}

void ApplyMatchSettings(const MatchSettings& match, int boardSize, Settings& settings,
                        RuntimeFlags& flags) {
    settings.computerSide = match.computerSide;
    settings.versusComputer = match.versusComputer;
    flags.trainingGame = match.training;
    settings.noviceLevel = match.novice;
    settings.advancedEngine = match.advanced;
    settings.level = match.level;
    settings.boardSize = boardSize;
}

bool SaveGameMatch(const OBoardTracker& record, const Settings& settings, const RuntimeFlags& flags,
                   const std::filesystem::path& path, std::string* error) {
    return WriteMatch(record, MatchSettingsOf(settings, flags), path, error);
}

bool OpenGameMatch(const std::filesystem::path& path, OBoardTracker& record, GamePosition& position,
                   Settings& settings, RuntimeFlags& flags, std::string* error) {
    MatchSettings match = MatchSettingsOf(settings, flags);
    if (!LoadMatch(path, record, position, match, error)) {
        return false;
    }
    ApplyMatchSettings(match, position.boardSize, settings, flags);
    return true;
}

}  // namespace velmora
