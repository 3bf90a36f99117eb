#pragma once

#include <QDialog>

#include "game/settings.h"
#include "game/statistics.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace velmora {

class Prompter;

// The statistics window: the totals of one block (board size and algorithm) with "your
// level", and the counters of one chosen level; either can be cleared after a question.
// Created for one showing and destroyed after it.
class TStatisticsForm : public QDialog {
    Q_OBJECT

  public:
    TStatisticsForm(StatisticsTable& table, const Settings& settings, Prompter& prompter,
                    QWidget* parent = nullptr);

    // Creates the window, shows it modally centred on mainWindow and destroys it.
    static void ShowStatistics(StatisticsTable& table, const Settings& settings, Prompter& prompter,
                               QWidget* mainWindow);

    // The block the two radio groups choose.
    int SelectedBlock() const;
    int SelectedLevel() const;

    void ClearLevelClick();
    void ClearAllClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QWidget* BuildTotalsTab();
    QWidget* BuildLevelTab();
    // Texts, lists and the selection from the current settings, then a refresh.
    void ShowSequence();
    void Refresh();
    void ShowLevel();

    StatisticsTable& table_;
    const Settings& settings_;
    Prompter& prompter_;
    std::uint64_t totalGames_ = 0;

    QGroupBox* showGroup_ = nullptr;
    QGroupBox* algorithmGroup_ = nullptr;
    QRadioButton* normalRadio_ = nullptr;
    QRadioButton* advancedRadio_ = nullptr;
    QGroupBox* sizeGroup_ = nullptr;
    QRadioButton* size8Radio_ = nullptr;
    QRadioButton* size10Radio_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QPushButton* ok_ = nullptr;

    QLabel* totalLabels_[5] = {};
    QLabel* totalValues_[5] = {};
    QPushButton* clearAll_ = nullptr;

    QLabel* chooseLabel_ = nullptr;
    QComboBox* levelList_ = nullptr;
    QLabel* levelLabels_[4] = {};
    QLabel* levelValues_[4] = {};
    QPushButton* clearLevel_ = nullptr;
};

}  // namespace velmora
