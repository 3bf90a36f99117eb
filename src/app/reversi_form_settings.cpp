// The main window's side of applying the settings dialog.

#include "app/reversi_form.h"

namespace velmora {

Prompter& TReversiForm::Prompts() {
    return *prompter_;
}

bool TReversiForm::NoHumanMoveYet() const {
    return flow_.NoHumanMoveYet();
}

void TReversiForm::RepaintWindow() {
    update();
}

void TReversiForm::ApplyMusicOn() {
    audio_.ApplyMusicOn();
}

void TReversiForm::SyncMenuChecks() {
    const Settings& settings = session_.settings;
    menu_.animation->setChecked(settings.animationOn);
    menu_.sound->setChecked(settings.soundOn);
    menu_.music->setChecked(settings.musicOn);
}

void TReversiForm::RestartGame() {
    display_.EndMarks();
    display_.EndPieces();
    session_.position.boardSize = session_.settings.boardSize;
    flow_.StartEngineGame();
    display_.SetNoLastMove(true);
    flow_.SetReviewing(false);
    flow_.DisableUndoRedo();
    flow_.ShowNewGameStatus();
    display_.ResetCursor();
}

void TReversiForm::ReloadSkins(const SkinChoice& before, const SkinChoice& after) {
    if (after.figureSkin != before.figureSkin && after.figureSkin == 0) {
        renderer_.SetLastFigFrame(BoardRenderer::kLastFigFrame);
    }
    menu_.cursors[session_.settings.cursorSkin == 1 ? 1 : 0]->setChecked(true);
    menu_.borders[session_.settings.borderSkin == 1 ? 1 : 0]->setChecked(true);
    RelayoutWindow([this, before] { ApplySkins(before); });
}

void TReversiForm::FinishApply() {
    SyncAnimationOptions();
    display_.SetNoLastMove(true);
    display_.RedrawBoard();
    if (!flow_.Reviewing()) {
        flow_.AfterMove(true);
    }
    flow_.UpdateStatus();
}

}  // namespace velmora
