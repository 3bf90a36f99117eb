#pragma once

#include <QObject>

#include "app/settings_choices.h"
#include "game/settings.h"

namespace velmora {

class TReversiForm;
class TSideDlg;

// The main window's dialogs: the settings dialog, made at start-up, whose settings the
// window stores with its own; the statistics window; the tip of the day, by its command and 250 ms
// after the window first paints; the about box. Attached to the window after its creation; it must
// not outlive the window.
class ReversiDialogs : public QObject {
    Q_OBJECT

  public:
    explicit ReversiDialogs(TReversiForm& window);
    ~ReversiDialogs() override;

    // What the settings dialog keeps between runs; the window writes it with its own.
    Settings StoredDialogSettings() const;

    void SettingsCommand();
    void StatisticsCommand();
    void DayTipCommand();
    void AboutCommand();

    // A network game borrows the opponent, side, board size, level and algorithm: their
    // controls are disabled while it runs.
    void LockForNetGame(bool locked);
    // The player's own choices, which the end of a network game gives back to Settings.
    SettingsDialogChoices OwnChoices() const;

    TSideDlg& SettingsDialog() { return *sideDlg_; }
    bool TipShown() const { return tipShown_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void TipShowTimer();

    TReversiForm& window_;
    TSideDlg* sideDlg_;
    bool firstPaintSeen_ = false;
    bool tipShown_ = false;
};

}  // namespace velmora
