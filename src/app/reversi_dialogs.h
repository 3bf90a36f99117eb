#pragma once

#include <QObject>

#include "app/settings_choices.h"

namespace velmora {

class TReversiForm;
class TSideDlg;

// The main window's dialogs: the settings dialog, made at start-up and storing its settings
// at exit; the statistics window; the tip of the day, by its command and 250 ms after the
// window first paints; the about box. Attached to the window after its creation; it must
// not outlive the window.
class ReversiDialogs : public QObject {
    Q_OBJECT

  public:
    explicit ReversiDialogs(TReversiForm& window);
    // The dialog writer, unless the start was refused.
    ~ReversiDialogs() override;

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
