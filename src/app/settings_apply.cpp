#include "app/settings_apply.h"

#include "game/game_texts.h"
#include "game/prompter.h"

namespace velmora {

namespace {

SkinChoice SkinsOf(const Settings& settings) {
    return {settings.figureSkin, settings.cursorSkin, settings.helpSkin, settings.borderSkin,
            settings.boardSize};
}

}  // namespace

void ApplySettingsDialog(SettingsDialogChoices& choices, SettingsApplyHost& host) {
    GameSession& session = host.Session();
    Settings& settings = session.settings;
    RuntimeFlags& flags = session.flags;

    // 1. Repaint first: the dialog has just left the window.
    host.RepaintWindow();

    // Only a counted game in progress against the computer, in which the human has
    // already moved, can become a training game.
    const bool gameAtStake = !session.position.gameOver && !flags.networkGame &&
                             settings.versusComputer && !host.NoHumanMoveYet();
    const auto confirmTraining = [&] {
        if (flags.trainingGame) {
            return true;
        }
        if (!host.Prompts().AskYesNo(kLevelChangeQuestion)) {
            return false;
        }
        flags.trainingGame = true;
        return true;
    };

    // 2. Level.
    const int oldLevel = settings.LevelIndex();
    settings.level = choices.levelIndex;
    if (gameAtStake && settings.level != oldLevel && !confirmTraining()) {
        settings.level = oldLevel;
        choices.levelIndex = oldLevel;
    }
    settings.noviceLevel = settings.level < 1;
    if (settings.level < 1) {
        settings.level = 1;
    }

    // 3. Algorithm; a game the level change has just made a training game asks nothing.
    const bool oldAdvanced = settings.advancedEngine;
    settings.advancedEngine = choices.algorithmIndex == 1;
    if (gameAtStake && settings.advancedEngine != oldAdvanced && !confirmTraining()) {
        settings.advancedEngine = oldAdvanced;
        choices.algorithmIndex = oldAdvanced ? 1 : 0;
    }

    // 4-6. Sound, music, animation and the small options.
    settings.musicOn = choices.musicOn;
    settings.soundOn = choices.soundOn;
    settings.animationOn = choices.animationOn;
    host.SyncMenuChecks();
    host.ApplyMusicOn();
    settings.useTray = choices.useTray;
    settings.showPreviousMove = choices.showPreviousMove;
    settings.showPossibleMoves = choices.showPossibleMoves;

    // 7. Opponent and side; a network game keeps its own.
    bool newGame = false;
    if (!flags.networkGame) {
        const int computerSide = choices.computerSide == Black ? Black : White;
        newGame = computerSide != settings.computerSide ||
                  choices.versusComputer != settings.versusComputer;
        settings.computerSide = computerSide;
        settings.versusComputer = choices.versusComputer;
    }

    // 8-9. Skins and board size.
    const SkinChoice before = SkinsOf(settings);
    settings.borderSkin = choices.borderSkin;
    settings.figureSkin = choices.figureSkin;
    settings.cursorSkin = choices.cursorSkin;
    settings.helpSkin = choices.helpSkin;
    settings.boardSize = choices.boardSize == 8 ? 8 : 10;
    if (settings.boardSize != before.boardSize) {
        newGame = true;
    }

    // 10. A new game of the new size or with the new opponent.
    if (newGame) {
        host.RestartGame();
    }

    // 11-12. Reload what changed, keeping the window's centre.
    host.ReloadSkins(before, SkinsOf(settings));

    // 13. Show the result and let the computer move if it is its turn.
    host.FinishApply();
}

}  // namespace velmora
