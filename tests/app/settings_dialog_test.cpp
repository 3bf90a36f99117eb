#include <gtest/gtest.h>

#include "app/settings_dialog.h"
#include "dialogs_test_support.h"

namespace velmora {
namespace {

using dialogs_test::OnNextModal;
using SettingsDialogTest = dialogs_test::DialogFixture;

Settings UnusualSettings() {
    Settings s;
    s.versusComputer = s.musicOn = s.useTray = s.advancedEngine = s.showPossibleMoves = true;
    s.noviceLevel = s.soundOn = s.animationOn = s.showPreviousMove = false;
    s.computerSide = White;
    s.level = 7;
    s.cursorSkin = s.borderSkin = 1;
    s.boardSize = 10;
    return s;
}

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

    // The lists refilled keep their selections, or fall back to the first entries.
    dialog.FillLists(true);
    EXPECT_EQ(dialog.Choices(), ChoicesFromSettings(s));
    dialog.FillLists(false);
    const SettingsDialogChoices reset = dialog.Choices();
    EXPECT_EQ(
        std::vector({reset.levelIndex, reset.algorithmIndex, reset.cursorSkin, reset.borderSkin}),
        std::vector({0, 0, 0, 0}));

    // A novice shows level 0; skins out of range show the first entry.
    Settings novice;
    novice.level = 1;
    novice.noviceLevel = true;
    novice.figureSkin = -4;
    novice.cursorSkin = 9;
    const SettingsDialogChoices c = TSideDlg(novice).Choices();
    EXPECT_EQ(std::vector({c.levelIndex, c.figureSkin, c.cursorSkin}), std::vector({0, 0, 0}));
}

TEST_F(SettingsDialogTest, CancelAfterChangingEveryControlLeavesSettingsAndNextShowing) {
    const Settings s = UnusualSettings();
    TSideDlg dialog(s, &mainWindow);
    SettingsDialogChoices seenWhileOpen;
    OnNextModal([&](QWidget* modal) {
        EXPECT_TRUE(CentredOnMain(modal));
        for (const char* radio : {"WhiteRadio", "HumanRadio", "Size8Radio"}) {
            Find<QRadioButton>(dialog, radio)->click();
        }
        for (const char* list : {"LevelList", "AlgorithmList", "CursorList", "BorderList"}) {
            QComboBox* box = Find<QComboBox>(dialog, list);
            box->setCurrentIndex((box->currentIndex() + 1) % box->count());
        }
        for (const char* name : {"SoundBox", "MusicBox", "AnimationBox", "TrayBox",
                                 "PreviousMoveBox", "PossibleMovesBox"}) {
            Find<QCheckBox>(dialog, name)->click();
        }
        seenWhileOpen = dialog.Choices();
        Find<QTabWidget>(dialog, "PageControl")->setCurrentIndex(2);
        QTest::keyClick(Find<QComboBox>(dialog, "BorderList"), Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog.Execute(&mainWindow, s));
    const SettingsDialogChoices old = ChoicesFromSettings(s);
    EXPECT_NE(seenWhileOpen, old);
    EXPECT_EQ(dialog.Choices(), old);

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
        for (const Qt::Key key : {Qt::Key_Enter, Qt::Key_Escape}) {
            OnNextModal([&](QWidget*) { QTest::keyClick(Find<QWidget>(dialog, name), key); });
            EXPECT_EQ(dialog.Execute(&mainWindow, s), key == Qt::Key_Enter) << name;
        }
    }
}

TEST_F(SettingsDialogTest, NetworkLockDisablesTheGameControlsAndKeepsTheOwnChoices) {
    Settings s;  // the player's own choice: the computer, playing White
    TSideDlg dialog(s);
    dialog.LockForNetGame(true);
    for (const char* name :
         {"OpponentGroup", "SideGroup", "LevelGroup", "AlgorithmGroup", "ComputerRadio",
          "WhiteRadio", "Size8Radio", "Size10Radio", "LevelList", "CursorList", "SoundBox"}) {
        const bool kept = std::string(name) == "CursorList" || std::string(name) == "SoundBox";
        EXPECT_EQ(Find<QWidget>(dialog, name)->isEnabled(), kept) << name;
    }

    // The network game borrows the two fields; the dialog keeps what the player chose.
    Settings network = s;
    network.versusComputer = false;
    network.computerSide = White;
    network.boardSize = 10;
    dialog.SyncFromSettings(network);
    const SettingsDialogChoices own = dialog.Choices();
    EXPECT_TRUE(own.versusComputer && own.computerSide == Black && own.boardSize == 10);
    const Settings stored = dialog.SettingsToStore(network);
    EXPECT_TRUE(stored.versusComputer && stored.computerSide == Black);

    dialog.LockForNetGame(false);
    EXPECT_TRUE(Find<QComboBox>(dialog, "LevelList")->isEnabled());
    EXPECT_EQ(dialog.SettingsToStore(network), network);

    // A player opponent greys the side radios, whether clicked or selected from the settings.
    auto* white = Find<QRadioButton>(dialog, "WhiteRadio");
    auto* black = Find<QRadioButton>(dialog, "BlackRadio");
    Find<QRadioButton>(dialog, "ComputerRadio")->click();
    EXPECT_TRUE(white->isEnabled() && black->isEnabled());
    Find<QRadioButton>(dialog, "HumanRadio")->click();
    EXPECT_FALSE(white->isEnabled() || black->isEnabled());
    dialog.SyncFromSettings(s);
    EXPECT_TRUE(white->isEnabled());
}

}  // namespace
}  // namespace velmora
