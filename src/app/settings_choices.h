#pragma once

#include "engine/board.h"
#include "game/settings.h"

namespace velmora {

// What the settings dialog's controls say, one field per control group. The dialog mirrors
// Settings between showings; the apply step reads this after OK.
struct SettingsDialogChoices {
    bool versusComputer = true;
    // The computer's side: Black when the human's own-colour radio is White.
    int computerSide = Black;
    int levelIndex = 0;  // 0 is novice
    int boardSize = 8;
    int algorithmIndex = 0;  // 1 is the advanced algorithm
    int figureSkin = 0;
    int helpSkin = 0;
    int cursorSkin = 0;
    int borderSkin = 0;
    bool soundOn = true;
    bool musicOn = true;
    bool animationOn = true;
    bool useTray = true;
    bool showPreviousMove = true;
    bool showPossibleMoves = true;

    bool operator==(const SettingsDialogChoices&) const = default;
};

SettingsDialogChoices ChoicesFromSettings(const Settings& settings);

// The dialog writer's record: the settings with the dialog's own opponent and side choices,
// which differ from Settings only while a network game borrows those two fields.
Settings SettingsToStore(const Settings& settings, const SettingsDialogChoices& choices);

}  // namespace velmora
