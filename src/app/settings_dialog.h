#pragma once

#include <QDialog>

#include "app/settings_choices.h"
#include "game/settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace velmora {

// The settings dialog: every game and appearance option on four tabs. One instance lives
// from start-up to exit; between showings its controls mirror Settings (the owner calls
// SyncFromSettings whenever it changes Settings elsewhere), and at exit the dialog writer
// stores SettingsToStore().
class TSideDlg : public QDialog {
    Q_OBJECT

  public:
    explicit TSideDlg(const Settings& settings, QWidget* parent = nullptr);

    // Refills the six lists; with keep, each keeps its selected index.
    void FillLists(bool keep);
    // Sets every control from settings. While locked for a network game the opponent and
    // side radios keep the player's own choices.
    void SyncFromSettings(const Settings& settings);

    SettingsDialogChoices Choices() const;
    void SetChoices(const SettingsDialogChoices& choices);

    // Shows the dialog modally centred on mainWindow, on the tab chosen last. Anything but
    // OK puts every control back to settings; true on OK.
    bool Execute(const QWidget* mainWindow, const Settings& settings);

    // A network game borrows the opponent, side, board size, level and algorithm: their
    // controls are disabled while it runs.
    void LockForNetGame(bool locked);
    bool LockedForNetGame() const { return netLocked_; }

    // What the dialog writer stores at exit: settings, with the player's own opponent and
    // side choices while a network game runs.
    Settings SettingsToStore(const Settings& settings) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QWidget* BuildOpponentTab();
    QWidget* BuildLevelTab();
    QWidget* BuildLookTab();
    QWidget* BuildExtrasTab();
    void SetTexts();
    void SetSideCaptions();
    void UpdateSideEnabled();
    // Escape and Enter on any control, as on the dialog itself.
    bool HandleKey(int key);

    bool netLocked_ = false;

    QTabWidget* pages_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;

    QGroupBox* opponentGroup_ = nullptr;
    QRadioButton* computerRadio_ = nullptr;
    QRadioButton* humanRadio_ = nullptr;
    QGroupBox* sideGroup_ = nullptr;
    QRadioButton* whiteRadio_ = nullptr;
    QRadioButton* blackRadio_ = nullptr;

    QGroupBox* levelGroup_ = nullptr;
    QComboBox* levelList_ = nullptr;
    QGroupBox* sizeGroup_ = nullptr;
    QRadioButton* size8Radio_ = nullptr;
    QRadioButton* size10Radio_ = nullptr;
    QGroupBox* algorithmGroup_ = nullptr;
    QComboBox* algorithmList_ = nullptr;

    QGroupBox* figureGroup_ = nullptr;
    QComboBox* figureList_ = nullptr;
    QGroupBox* helpGroup_ = nullptr;
    QComboBox* helpList_ = nullptr;
    QGroupBox* cursorGroup_ = nullptr;
    QComboBox* cursorList_ = nullptr;
    QGroupBox* borderGroup_ = nullptr;
    QComboBox* borderList_ = nullptr;

    QGroupBox* extrasGroup_ = nullptr;
    QCheckBox* soundBox_ = nullptr;
    QCheckBox* musicBox_ = nullptr;
    QCheckBox* animationBox_ = nullptr;
    QCheckBox* trayBox_ = nullptr;
    QGroupBox* rightButtonGroup_ = nullptr;
    QCheckBox* previousMoveBox_ = nullptr;
    QCheckBox* possibleMovesBox_ = nullptr;
};

}  // namespace velmora
