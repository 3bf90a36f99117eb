#pragma once

#include "app/settings_choices.h"
#include "game/game_session.h"
#include "view/skin_choice.h"

namespace velmora {

class Prompter;

// What applying the settings dialog needs of the main window.
class SettingsApplyHost {
  public:
    virtual ~SettingsApplyHost() = default;

    virtual GameSession& Session() = 0;
    virtual Prompter& Prompts() = 0;
    // The human has not yet moved in this game against the computer.
    virtual bool NoHumanMoveYet() const = 0;

    virtual void RepaintWindow() = 0;
    // Plays or stops the music after MusicOn was set, whether or not it changed.
    virtual void ApplyMusicOn() = 0;
    // The Animation, Sound and Music menu items take their check marks from Settings.
    virtual void SyncMenuChecks() = 0;
    // A new game of Settings' board size: marks and pieces ended, start position, review
    // left, undo and redo disabled, the new-game status texts, the cursor at (0, 0).
    virtual void RestartGame() = 0;
    // The cursor style always; images whose skin (or, for pieces and marks, the board
    // size) changed are reloaded and the window relaid out around its centre.
    virtual void ReloadSkins(const SkinChoice& before, const SkinChoice& after) = 0;
    // The board drawn anew and shown; unless reviewing, the computer moves if it is its
    // turn; the status bar.
    virtual void FinishApply() = 0;
};

// After OK: takes the dialog's choices into Settings, asking before a level or algorithm
// change turns a game in progress into a training game. An answer of No puts the old value
// back into choices as well, so the caller shows it in the dialog again.
void ApplySettingsDialog(SettingsDialogChoices& choices, SettingsApplyHost& host);

}  // namespace velmora
