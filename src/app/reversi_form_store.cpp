// The main window's side of keeping settings and statistics: saved whenever the player
// changes or earns something, and once more when the session ends.

#include <QAction>
#include <QGuiApplication>
#include <QTimer>

#include "app/reversi_dialogs.h"
#include "app/reversi_form.h"
#include "app/settings_store.h"

namespace velmora {

void TReversiForm::RecoverStore() {
    const SettingsRecovery recovery = RecoverSettingsFile();
    // Without a copy of what could not be read, nothing of this run may replace it.
    storeWritable_ = recovery.state != SettingsRecovery::State::BackupFailed;
    const std::string message = RecoveryMessage(recovery);
    if (!message.empty()) {
        QTimer::singleShot(0, this, [this, message] { prompter_->Inform(message); });
    }
}

void TReversiForm::KeepSettingsSaved() {
    const MainMenu& m = menu_;
    for (QAction* item :
         {m.animation, m.sound, m.music, m.soundVolume, m.musicSource, m.figures[0], m.helps[0],
          m.cursors[0], m.cursors[1], m.borders[0], m.borders[1], m.showMoves}) {
        // Connected after the command itself, so the change is made when this runs.
        connect(item, &QAction::triggered, this, [this] { SaveSettingsNow(); });
    }
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { SaveSettingsNow(); });
}

bool TReversiForm::SaveSettingsNow() {
    if (session_.flags.startAborted || !storeWritable_) {
        return false;
    }
    session_.settings.showMovesList = showMovesList_;
    const bool listening = net_ && net_->Listening();
    // The settings dialog keeps the player's own opponent while a network game borrows it.
    const Settings dialogSettings =
        dialogs != nullptr ? dialogs->StoredDialogSettings() : session_.settings;
    const bool saved =
        SaveAllSettings(session_.settings, &dialogSettings, session_.statistics, listening);
    // One message for a run of failures, not one per change.
    if (!saved && !saveFailed_) {
        prompter_->ReportError("Не удалось сохранить настройки.");
    }
    saveFailed_ = !saved;
    return saved;
}

void TReversiForm::StatisticsChanged() {
    SaveSettingsNow();
}

}  // namespace velmora
