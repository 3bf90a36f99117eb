#pragma once

#include <string>

#include "engine/board.h"

namespace velmora {

// The in-memory copy of every stored option: read once at start-up, changed by the
// dialogs and menus, written back at exit. Level 0 ("novice") is held as level 1 with
// noviceLevel set.
struct Settings {
    // net
    int port = 8173;
    std::string service;
    bool listen = false;

    // options
    bool versusComputer = true;
    int level = 1;
    bool noviceLevel = true;
    int computerSide = Black;
    bool soundOn = true;
    bool musicOn = true;
    bool animationOn = true;
    int figureSkin = 0;
    int cursorSkin = 0;
    int helpSkin = 0;
    int borderSkin = 0;
    int boardSize = 8;
    bool useTray = true;
    bool callAsWhite = true;
    bool callOn8x8 = true;
    bool showPreviousMove = true;
    bool showPossibleMoves = true;
    bool advancedEngine = false;
    bool showMovesList = true;
    bool showTips = true;
    int currentTip = 1000;
    int soundVolume = 225;
    int musicVolume = 120;
    // A folder without a trailing separator; LoadSettings defaults it to DATA/MUSIC beside
    // the program.
    std::string musicFolder;

    // The level as the lists and the stored "level" value show it: 0 for novice.
    int LevelIndex() const { return noviceLevel ? 0 : level; }
    int HumanSide() const { return Opponent(computerSide); }

    bool operator==(const Settings&) const = default;
};

// State that several parts test but that is never stored. Whether the game has ended
// travels with the position (GamePosition::gameOver).
struct RuntimeFlags {
    // Not counted in the statistics: a hint was taken, or the level changed mid-game.
    bool trainingGame = false;
    bool networkGame = false;
    // Start-up was refused; nothing is written at exit.
    bool startAborted = false;
};

}  // namespace velmora
