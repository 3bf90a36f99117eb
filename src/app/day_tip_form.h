#pragma once

#include <QDialog>

#include "game/settings.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTextEdit;

namespace velmora {

// The tip of the day. Each opening shows the tip after the one shown last; closing it stores
// the tip and whether tips open at start-up ("currenttip", "showtips").
class TDayTipForm : public QDialog {
    Q_OBJECT

  public:
    explicit TDayTipForm(Settings& settings, QWidget* parent = nullptr);
    // Takes the check box and the tip into Settings and stores both.
    ~TDayTipForm() override;

    // Creates the window, shows it modally centred on mainWindow and destroys it.
    static void ShowDayTip(Settings& settings, QWidget* mainWindow);

    // "Еще совет": the next tip, wrapping after the last.
    void NextTip();
    int TipIndex() const { return tipIndex_; }
    QString TipText() const;

  private:
    Settings& settings_;
    int tipIndex_ = 0;
    QLabel* heading_ = nullptr;
    QTextEdit* tipBox_ = nullptr;
    QCheckBox* showTipsBox_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* next_ = nullptr;
};

}  // namespace velmora
