#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "app/settings_dialog.h"
#include "dialogs_test_support.h"

namespace velmora {
namespace {

using dialogs_test::EnsureApplication;
using dialogs_test::OnNextModal;

// A profile far from the defaults in every option the dialog shows.
Settings UnusualSettings() {
    Settings s;
    s.versusComputer = true;
    s.level = 7;
    s.noviceLevel = false;
    s.computerSide = White;
    s.soundOn = false;
    s.musicOn = true;
    s.animationOn = false;
    s.useTray = true;
    s.cursorSkin = 1;
    s.borderSkin = 1;
    s.boardSize = 10;
    s.advancedEngine = true;
    s.showPreviousMove = false;
    s.showPossibleMoves = true;
    return s;
}

class SettingsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureApplication();
        mainWindow.setGeometry(140, 90, 600, 520);
        mainWindow.show();
    }

    template <typename T>
    T* Find(const TSideDlg& dialog, const char* name) {
        T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Flips every control of the dialog away from what it shows.
    void ChangeEveryControl(TSideDlg& dialog) {
        Find<QRadioButton>(dialog, "WhiteRadio")->click();
        Find<QRadioButton>(dialog, "HumanRadio")->click();
        for (const char* list : {"LevelList", "AlgorithmList", "CursorList", "BorderList"}) {
            QComboBox* box = Find<QComboBox>(dialog, list);
            box->setCurrentIndex((box->currentIndex() + 1) % box->count());
        }
        Find<QRadioButton>(dialog, "Size8Radio")->click();
        for (const char* name : {"SoundBox", "MusicBox", "AnimationBox", "TrayBox",
                                 "PreviousMoveBox", "PossibleMovesBox"}) {
            Find<QCheckBox>(dialog, name)->click();
        }
    }

    dialogs_test::ApplicationInstance application;
    QWidget mainWindow;
};

TEST_F(SettingsDialogTest, ControlsShowTheSettingsWithTheirTexts) {
    const Settings s = UnusualSettings();
    TSideDlg dialog(s);
    EXPECT_EQ(dialog.Choices(), ChoicesFromSettings(s));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Настройки"));

    auto* pages = Find<QTabWidget>(dialog, "PageControl");
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->tabText(0), QStringLiteral("Оппонент"));
    EXPECT_EQ(pages->tabText(3), QStringLiteral("Дополнительно"));
    EXPECT_EQ(pages->currentIndex(), 0);

    auto* levels = Find<QComboBox>(dialog, "LevelList");
    ASSERT_EQ(levels->count(), 10);
    EXPECT_EQ(levels->itemText(0), QStringLiteral("0-новичок"));
    EXPECT_EQ(levels->itemText(9), QStringLiteral("9-корифей"));
    EXPECT_EQ(levels->currentIndex(), 7);
    EXPECT_EQ(Find<QComboBox>(dialog, "AlgorithmList")->currentText(),
              QStringLiteral("Усложнённый"));
    EXPECT_EQ(Find<QComboBox>(dialog, "CursorList")->currentText(), QStringLiteral("Огненный"));
    EXPECT_EQ(Find<QComboBox>(dialog, "BorderList")->currentText(), QStringLiteral("Тёмное"));
    EXPECT_TRUE(Find<QRadioButton>(dialog, "Size10Radio")->isChecked());
    // The computer plays White, so the human's own colour is the second radio.
    EXPECT_TRUE(Find<QRadioButton>(dialog, "BlackRadio")->isChecked());
    EXPECT_EQ(Find<QRadioButton>(dialog, "WhiteRadio")->text(), QStringLiteral("&Жёлтые"));
    EXPECT_EQ(Find<QRadioButton>(dialog, "BlackRadio")->text(), QStringLiteral("&Зелёные"));
}

TEST_F(SettingsDialogTest, NoviceShowsLevelZeroAndOutOfRangeSkinsShowTheFirstEntry) {
    Settings s;
    s.level = 1;
    s.noviceLevel = true;
    s.figureSkin = -4;
    s.cursorSkin = 9;
    TSideDlg dialog(s);
    const SettingsDialogChoices choices = dialog.Choices();
    EXPECT_EQ(choices.levelIndex, 0);
    EXPECT_EQ(choices.figureSkin, 0);
    EXPECT_EQ(choices.cursorSkin, 0);
}

TEST_F(SettingsDialogTest, CancelAfterChangingEveryControlLeavesSettingsAndNextShowing) {
    const Settings s = UnusualSettings();
    const Settings before = s;
    TSideDlg dialog(s, &mainWindow);
    SettingsDialogChoices seenWhileOpen;
    OnNextModal([&](QWidget*) {
        ChangeEveryControl(dialog);
        seenWhileOpen = dialog.Choices();
        Find<QTabWidget>(dialog, "PageControl")->setCurrentIndex(2);
        QTest::keyClick(Find<QComboBox>(dialog, "BorderList"), Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog.Execute(&mainWindow, s));
    // Every control really moved while the dialog was open...
    const SettingsDialogChoices old = ChoicesFromSettings(s);
    EXPECT_NE(seenWhileOpen.versusComputer, old.versusComputer);
    EXPECT_NE(seenWhileOpen.computerSide, old.computerSide);
    EXPECT_NE(seenWhileOpen.levelIndex, old.levelIndex);
    EXPECT_NE(seenWhileOpen.boardSize, old.boardSize);
    EXPECT_NE(seenWhileOpen.algorithmIndex, old.algorithmIndex);
    EXPECT_NE(seenWhileOpen.cursorSkin, old.cursorSkin);
    EXPECT_NE(seenWhileOpen.borderSkin, old.borderSkin);
    EXPECT_NE(seenWhileOpen.soundOn, old.soundOn);
    EXPECT_NE(seenWhileOpen.showPreviousMove, old.showPreviousMove);
    // ...and Cancel put every one back.
    EXPECT_EQ(dialog.Choices(), old);
    EXPECT_EQ(s, before);

    // The next showing opens on the tab chosen last and shows the old values.
    int tabAtShow = -1;
    SettingsDialogChoices atShow;
    OnNextModal([&](QWidget*) {
        tabAtShow = Find<QTabWidget>(dialog, "PageControl")->currentIndex();
        atShow = dialog.Choices();
        QTest::keyClick(Find<QCheckBox>(dialog, "SoundBox"), Qt::Key_Return);
    });
    EXPECT_TRUE(dialog.Execute(&mainWindow, s));
    EXPECT_EQ(tabAtShow, 2);
    EXPECT_EQ(atShow, old);
}

TEST_F(SettingsDialogTest, EnterOnAnyControlAcceptsAndEscapeCancels) {
    const Settings s;
    TSideDlg dialog(s, &mainWindow);
    for (const char* name : {"LevelList", "OKBtn", "CancelBtn", "HumanRadio"}) {
        OnNextModal([&](QWidget*) {
            QTest::keyClick(dialog.findChild<QWidget*>(QString::fromLatin1(name)), Qt::Key_Enter);
        });
        EXPECT_TRUE(dialog.Execute(&mainWindow, s)) << name;
        OnNextModal([&](QWidget*) {
            QTest::keyClick(dialog.findChild<QWidget*>(QString::fromLatin1(name)), Qt::Key_Escape);
        });
        EXPECT_FALSE(dialog.Execute(&mainWindow, s)) << name;
    }
}

TEST_F(SettingsDialogTest, OpensCentredOnTheMainWindow) {
    const Settings s;
    TSideDlg dialog(s, &mainWindow);
    bool opened = false;
    OnNextModal([&](QWidget* modal) {
        opened = true;
        EXPECT_TRUE(dialogs_test::CentredOn(modal, &mainWindow));
        modal->close();
    });
    dialog.Execute(&mainWindow, s);
    EXPECT_TRUE(opened);
}

TEST_F(SettingsDialogTest, PlayerOpponentGreysTheSideRadios) {
    Settings s;
    TSideDlg dialog(s);
    auto* white = Find<QRadioButton>(dialog, "WhiteRadio");
    auto* black = Find<QRadioButton>(dialog, "BlackRadio");
    EXPECT_TRUE(white->isEnabled());
    Find<QRadioButton>(dialog, "HumanRadio")->click();
    EXPECT_FALSE(white->isEnabled());
    EXPECT_FALSE(black->isEnabled());
    Find<QRadioButton>(dialog, "ComputerRadio")->click();
    EXPECT_TRUE(white->isEnabled());
    EXPECT_TRUE(black->isEnabled());

    // Selected from the settings, as at a showing, the radios follow too.
    s.versusComputer = false;
    dialog.SyncFromSettings(s);
    EXPECT_FALSE(white->isEnabled());
}

TEST_F(SettingsDialogTest, NetworkLockDisablesTheGameControlsAndKeepsTheOwnChoices) {
    Settings s;  // the player's own choice: the computer, playing White
    TSideDlg dialog(s);
    dialog.LockForNetGame(true);
    for (const char* name : {"OpponentGroup", "SideGroup", "LevelGroup", "AlgorithmGroup"}) {
        EXPECT_FALSE(Find<QGroupBox>(dialog, name)->isEnabled()) << name;
    }
    for (const char* name : {"ComputerRadio", "WhiteRadio", "Size8Radio", "Size10Radio"}) {
        EXPECT_FALSE(Find<QRadioButton>(dialog, name)->isEnabled()) << name;
    }
    EXPECT_FALSE(Find<QComboBox>(dialog, "LevelList")->isEnabled());
    EXPECT_TRUE(Find<QComboBox>(dialog, "CursorList")->isEnabled());
    EXPECT_TRUE(Find<QCheckBox>(dialog, "SoundBox")->isEnabled());

    // The network game borrows the two fields; the dialog keeps what the player chose.
    Settings network = s;
    network.versusComputer = false;
    network.computerSide = White;
    network.boardSize = 10;
    dialog.SyncFromSettings(network);
    EXPECT_TRUE(dialog.Choices().versusComputer);
    EXPECT_EQ(dialog.Choices().computerSide, Black);
    EXPECT_EQ(dialog.Choices().boardSize, 10);
    const Settings stored = dialog.SettingsToStore(network);
    EXPECT_TRUE(stored.versusComputer);
    EXPECT_EQ(stored.computerSide, Black);
    EXPECT_EQ(stored.boardSize, 10);

    dialog.LockForNetGame(false);
    EXPECT_TRUE(Find<QRadioButton>(dialog, "WhiteRadio")->isEnabled());
    EXPECT_TRUE(Find<QComboBox>(dialog, "LevelList")->isEnabled());
    EXPECT_EQ(dialog.SettingsToStore(network), network);
}

TEST_F(SettingsDialogTest, FillListsKeepsOrResetsTheSelections) {
    const Settings s = UnusualSettings();
    TSideDlg dialog(s);
    dialog.FillLists(true);
    EXPECT_EQ(dialog.Choices(), ChoicesFromSettings(s));
    dialog.FillLists(false);
    const SettingsDialogChoices reset = dialog.Choices();
    EXPECT_EQ(reset.levelIndex, 0);
    EXPECT_EQ(reset.algorithmIndex, 0);
    EXPECT_EQ(reset.cursorSkin, 0);
    EXPECT_EQ(reset.borderSkin, 0);
    EXPECT_EQ(Find<QComboBox>(dialog, "LevelList")->count(), 10);
}

}  // namespace
}  // namespace velmora
