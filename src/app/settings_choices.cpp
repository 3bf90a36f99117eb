#include "app/settings_choices.h"

namespace velmora {

SettingsDialogChoices ChoicesFromSettings(const Settings& settings) {
    SettingsDialogChoices choices;
    choices.versusComputer = settings.versusComputer;
    choices.computerSide = settings.computerSide == White ? White : Black;
    choices.levelIndex = settings.LevelIndex();
    choices.boardSize = settings.boardSize == 10 ? 10 : 8;
    choices.algorithmIndex = settings.advancedEngine ? 1 : 0;
    choices.figureSkin = settings.figureSkin;
    choices.helpSkin = settings.helpSkin;
    choices.cursorSkin = settings.cursorSkin;
    choices.borderSkin = settings.borderSkin;
    choices.soundOn = settings.soundOn;
    choices.musicOn = settings.musicOn;
    choices.animationOn = settings.animationOn;
    choices.useTray = settings.useTray;
    choices.showPreviousMove = settings.showPreviousMove;
    choices.showPossibleMoves = settings.showPossibleMoves;
    return choices;
}

Settings SettingsToStore(const Settings& settings, const SettingsDialogChoices& choices) {
    Settings stored = settings;
    stored.versusComputer = choices.versusComputer;
    stored.computerSide = choices.computerSide;
    return stored;
}

}  // namespace velmora
