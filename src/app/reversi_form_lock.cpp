// The main window's commands that change the game, and their lock while the computer answers.

#include <QAction>
#include <QToolButton>

#include "app/moves_list_box.h"
#include "app/reversi_form.h"

namespace velmora {

namespace {

// Registration order of the locked commands, so each has a known handle.
enum LockedCommand : int {
    kUndoMenu,
    kRedoMenu,
    kUndoButton,
    kRedoButton,
    kMovesList,
    kFromThis,
    kFromEnd,
    kNewGame,
    kHint,
    kOptions,
    kOpen,
    kDrop,
    kPaste,
};

}  // namespace

void TReversiForm::BuildCommandLock() {
    const auto action = [this](QAction* item, bool localOnly = false) {
        commandLock_.Add(
            [item] { return item->isEnabled(); },
            // A network game that began under the lock keeps its own locks.
            [this, item, localOnly](bool enabled) {
                item->setEnabled(enabled && !(localOnly && session_.flags.networkGame));
            });
    };
    const auto button = [this](QToolButton* item) {
        commandLock_.Add([item] { return item->isEnabled(); },
                         [item](bool enabled) { item->setEnabled(enabled); });
    };
    action(menu_.undoMove);
    action(menu_.redoMove);
    button(undoButton_);
    button(redoButton_);
    commandLock_.Add([this] { return movesList_->Navigable(); },
                     [this](bool enabled) { movesList_->SetNavigable(enabled); });
    button(fromThisButton_);
    button(fromEndButton_);
    action(menu_.newGame);
    action(menu_.hint, true);
    action(menu_.options);
    action(menu_.load, true);
    commandLock_.Add([this] { return acceptDrops(); },
                     [this](bool enabled) { setAcceptDrops(enabled); });
    action(menu_.pasteMatch, true);
}

void TReversiForm::SetUndoRedoEnabled(bool enabled) {
    for (const int command : {kUndoMenu, kRedoMenu, kUndoButton, kRedoButton, kMovesList}) {
        commandLock_.Set(command, enabled);
    }
}

void TReversiForm::SetContinueEnabled(bool enabled) {
    commandLock_.Set(kFromThis, enabled);
    commandLock_.Set(kFromEnd, enabled);
}

// --- EngineObserver ---

void TReversiForm::SetThinkingCommandsEnabled(bool enabled) {
    if (enabled) {
        commandLock_.Release();
    } else {
        commandLock_.Engage();
    }
}

void TReversiForm::FixedOpeningMoveGiven() {
    // The list goes with the two buttons: it navigates exactly when they do.
    for (const int command : {kUndoButton, kRedoButton, kMovesList}) {
        commandLock_.Set(command, true);
    }
}

}  // namespace velmora
