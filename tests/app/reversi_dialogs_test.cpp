#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/about_box.h"
#include "app/day_tip_form.h"
#include "app/reversi_dialogs.h"
#include "app/settings_dialog.h"
#include "app/settings_store.h"
#include "app/statistics_form.h"
#include "app/statistics_store.h"
#include "dialogs_test_support.h"
#include "engine/rules.h"
#include "game/game_texts.h"
#include "view/board_widget.h"
#include "window_rig.h"

namespace velmora {
namespace {

using window_test::WindowRig;

auto Presets(const char* level = "1", const char* tips = "no") {
    return [level, tips](QSettings& store) {
        store.setValue("options/brdim", "8");
        store.setValue("options/anief", "no");
        store.setValue("options/gamet", "computer");
        store.setValue("options/level", level);
        store.setValue("options/showtips", tips);
        store.setValue("net/listn", "no");
        store.sync();
    };
}

// The main window with its dialogs attached, as the program runs it.
class ReversiDialogsTest : public ::testing::Test {
  protected:
    explicit ReversiDialogsTest(const char* level = "1", const char* tips = "no")
        : rig({}, Presets(level, tips)), attached(std::make_unique<ReversiDialogs>(*rig.form)) {
        rig.form->move(180, 80);
        // Shown, as in the program: the window's frame is what dialogs centre on.
        if (std::string(tips) == "no") {
            rig.form->show();
        }
        WindowRig::Settle();
    }

    TReversiForm& Form() { return *rig.form; }
    Settings& Current() { return Form().Session().settings; }

    // Opens the settings dialog from its menu item, lets `change` work on it and presses OK
    // (or Escape when ok is false).
    void RunSettings(const std::function<void(TSideDlg&)>& change, bool ok = true) {
        bool opened = false;
        rig.onDialog = [&](QDialog* dialog) {
            auto* settings = qobject_cast<TSideDlg*>(dialog);
            ASSERT_NE(settings, nullptr);
            opened = true;
            EXPECT_TRUE(dialogs_test::CentredOn(dialog, rig.form.get()));
            change(*settings);
            QTest::keyClick(dialog, ok ? Qt::Key_Return : Qt::Key_Escape);
        };
        Form().Menu().options->trigger();
        EXPECT_TRUE(opened);
        rig.onDialog = nullptr;
        WindowRig::Settle();
    }

    static void SelectLevel(TSideDlg& dialog, int level) {
        dialog.findChild<QComboBox*>(QStringLiteral("LevelList"))->setCurrentIndex(level);
    }

    // The human plays the first legal square; the computer answers.
    void HumanClicksFirstLegal() {
        const GamePosition& p = Form().Session().position;
        for (const int square : MoveOrder(p.boardSize)) {
            if (IsLegal(p.board, p.boardSize, square, p.sideToMove, Opponent(p.sideToMove))) {
                Form().Flow().PointerMove(22 + 61 * ColumnOf(8, square) + 30,
                                          22 + 61 * RowOf(8, square) + 30);
                Form().Flow().BoardClick();
                return;
            }
        }
    }

    // The human (White) plays a first move; the computer answers.
    void HumanMoves() {
        HumanClicksFirstLegal();
        WindowRig::Settle();
        ASSERT_EQ(Form().Session().record.Count(), 2);
    }

    // Which kind of modal window a command opens; it is closed at once.
    template <typename Window>
    bool Opens(QAction* command) {
        bool right = false;
        rig.onDialog = [&](QDialog* dialog) {
            right = qobject_cast<Window*>(dialog) != nullptr &&
                    dialogs_test::CentredOn(dialog, rig.form.get());
            dialog->reject();
        };
        command->trigger();
        rig.onDialog = nullptr;
        return right;
    }

    WindowRig rig;
    std::unique_ptr<ReversiDialogs> attached;
    ReversiDialogs& dialogs = *attached;
};

TEST_F(ReversiDialogsTest, CommandsOpenTheirWindowsCentredOnTheMainWindow) {
    const MainMenu& menu = Form().Menu();
    EXPECT_EQ(menu.options->shortcut(), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(menu.statistics->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(menu.dayTip->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F1));
    EXPECT_TRUE(Opens<TSideDlg>(menu.options));
    EXPECT_TRUE(Opens<TStatisticsForm>(menu.statistics));
    EXPECT_TRUE(Opens<TDayTipForm>(menu.dayTip));
    EXPECT_TRUE(Opens<TAboutBox>(menu.about));
}

TEST_F(ReversiDialogsTest, LevelChangeBeforeTheFirstMoveAsksNothing) {
    RunSettings([](TSideDlg& d) { SelectLevel(d, 4); });
    EXPECT_TRUE(rig.Prompts().questions.empty());
    EXPECT_EQ(Current().level, 4);
    EXPECT_EQ(LoadSettings("/x").level, 4) << "kept as soon as the dialog is accepted";
    EXPECT_FALSE(Form().Session().flags.trainingGame);
}

TEST_F(ReversiDialogsTest, LevelChangeAfterTheFirstMoveAsksOnceYesOrNo) {
    HumanMoves();
    rig.Prompts().answers = {false};
    RunSettings([](TSideDlg& d) { SelectLevel(d, 5); });
    ASSERT_EQ(rig.Prompts().questions.size(), 1u);
    EXPECT_EQ(rig.Prompts().questions[0], kLevelChangeQuestion);
    EXPECT_EQ(Current().LevelIndex(), 1);
    EXPECT_EQ(dialogs.SettingsDialog().Choices().levelIndex, 1);
    EXPECT_FALSE(Form().Session().flags.trainingGame);
    EXPECT_EQ(Form().Session().record.Count(), 2) << "the game goes on";

    rig.Prompts().answers = {true};
    RunSettings([](TSideDlg& d) {
        SelectLevel(d, 5);
        d.findChild<QComboBox*>(QStringLiteral("AlgorithmList"))->setCurrentIndex(1);
    });
    EXPECT_EQ(rig.Prompts().questions.size(), 2u);
    EXPECT_EQ(Current().level, 5);
    EXPECT_TRUE(Current().advancedEngine);
    EXPECT_TRUE(Form().Session().flags.trainingGame);
}

TEST_F(ReversiDialogsTest, CancelChangesNothing) {
    HumanMoves();
    const Settings before = Current();
    const QSize size = Form().size();
    RunSettings(
        [](TSideDlg& d) {
            SelectLevel(d, 9);
            d.findChild<QRadioButton*>(QStringLiteral("Size10Radio"))->click();
            d.findChild<QRadioButton*>(QStringLiteral("HumanRadio"))->click();
            d.findChild<QCheckBox*>(QStringLiteral("MusicBox"))->click();
        },
        false);
    EXPECT_EQ(Current(), before);
    EXPECT_EQ(Form().size(), size);
    EXPECT_EQ(Form().Session().record.Count(), 2);
    EXPECT_EQ(dialogs.SettingsDialog().Choices(), ChoicesFromSettings(before));
    EXPECT_TRUE(rig.Prompts().questions.empty());
}

TEST_F(ReversiDialogsTest, CursorOnlyKeepsTheGameAndTheWindow) {
    HumanMoves();
    const Board board = Form().Session().position.board;
    const QRect geometry = Form().frameGeometry();
    RunSettings([](TSideDlg& d) {
        d.findChild<QComboBox*>(QStringLiteral("CursorList"))->setCurrentIndex(1);
    });
    EXPECT_EQ(Current().cursorSkin, 1);
    EXPECT_EQ(Form().Session().record.Count(), 2);
    EXPECT_EQ(Form().Session().position.board, board);
    EXPECT_EQ(Form().frameGeometry(), geometry);
    EXPECT_TRUE(Form().Menu().cursors[1]->isChecked());
}

TEST_F(ReversiDialogsTest, BoardSizeChangeRestartsAndRelaysOutAroundTheCentre) {
    HumanMoves();
    const QPoint centre = Form().frameGeometry().center();
    const int panel = Form().width() - (8 * 61 + 44);
    RunSettings(
        [](TSideDlg& d) { d.findChild<QRadioButton*>(QStringLiteral("Size10Radio"))->click(); });
    const GameSession& session = Form().Session();
    EXPECT_EQ(session.settings.boardSize, 10);
    EXPECT_EQ(session.position.boardSize, 10);
    EXPECT_EQ(session.record.Count(), 0);
    EXPECT_EQ(Form().Board()->size(), QSize(10 * 49 + 44, 10 * 49 + 44));
    EXPECT_EQ(Form().width(), 10 * 49 + 44 + panel);
    EXPECT_LE(std::abs(Form().frameGeometry().center().x() - centre.x()), 1);
    EXPECT_LE(std::abs(Form().frameGeometry().center().y() - centre.y()), 1);
    EXPECT_EQ(Form().StatusPanelText(2), QStringLiteral("Ход 0/0"));
    EXPECT_TRUE(rig.Prompts().questions.empty());
}

TEST_F(ReversiDialogsTest, PlayingBlackRestartsAndTheComputerOpens) {
    HumanMoves();
    RunSettings(
        [](TSideDlg& d) { d.findChild<QRadioButton*>(QStringLiteral("BlackRadio"))->click(); });
    WindowRig::Settle(50);
    EXPECT_EQ(Current().computerSide, White);
    EXPECT_EQ(Form().Session().record.Count(), 1);
    EXPECT_EQ(Form().Session().position.sideToMove, Black);
}

TEST_F(ReversiDialogsTest, NetworkLockAndTheDialogSettingsAtExit) {
    dialogs.LockForNetGame(true);
    TSideDlg& dialog = dialogs.SettingsDialog();
    EXPECT_FALSE(dialog.findChild<QComboBox*>(QStringLiteral("LevelList"))->isEnabled());
    // The network game borrows the opponent; the dialog keeps the player's own choice.
    Current().versusComputer = false;
    Current().level = 6;
    Current().noviceLevel = false;
    EXPECT_TRUE(dialogs.OwnChoices().versusComputer);
    dialogs.LockForNetGame(false);
    EXPECT_TRUE(dialog.findChild<QComboBox*>(QStringLiteral("LevelList"))->isEnabled());

    // The window's writer at exit stores the player's own opponent during a network game.
    dialogs.LockForNetGame(true);
    Form().close();
    const Settings stored = LoadSettings("/x");
    EXPECT_TRUE(stored.versusComputer);
    EXPECT_EQ(stored.level, 6);
}

TEST_F(ReversiDialogsTest, ACountedGameEndsWithTheStatisticsWindow) {
    std::vector<std::string> shown;
    std::uint32_t gamesOnDiskWhenShown = 0;
    rig.onDialog = [&](QDialog* dialog) {
        shown.push_back(dialog->metaObject()->className());
        if (qobject_cast<TStatisticsForm*>(dialog) != nullptr) {
            gamesOnDiskWhenShown = LoadStatistics().Totals(0).games;
            // The player clears the level at once.
            rig.Prompts().answers = {true};
            dialog->findChild<QPushButton*>(QStringLiteral("ClearAllBtn"))->click();
        }
        dialog->reject();
    };
    const GamePosition& p = Form().Session().position;
    for (int guard = 0; guard < 100 && !p.gameOver; ++guard) {
        HumanClicksFirstLegal();
    }
    ASSERT_TRUE(p.gameOver);
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown.back(), "velmora::TStatisticsForm");
    EXPECT_EQ(shown[shown.size() - 2], "velmora::TFinalDlg");
    // The result is kept before the window opens, and the clearing as soon as it closes.
    EXPECT_EQ(gamesOnDiskWhenShown, 1u);
    EXPECT_EQ(Form().Session().statistics.Totals(0).games, 0u);
    EXPECT_EQ(LoadStatistics().Totals(0).games, 0u);
}

class TipAtStartTest : public ReversiDialogsTest {
  protected:
    TipAtStartTest() : ReversiDialogsTest("1", "yes") {}
};

TEST_F(TipAtStartTest, TipOpensAfterTheFirstPaintWhenTipsAreOn) {
    bool tipOpened = false;
    rig.onDialog = [&](QDialog* dialog) {
        tipOpened = qobject_cast<TDayTipForm*>(dialog) != nullptr;
        dialog->reject();
    };
    EXPECT_FALSE(dialogs.TipShown());
    WindowRig::Settle(300);
    EXPECT_FALSE(dialogs.TipShown()) << "no paint, no tip";
    Form().show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.TipShown(); }, 5000));
    EXPECT_TRUE(tipOpened);
    EXPECT_EQ(Current().currentTip, 0);
}

TEST_F(ReversiDialogsTest, NoTipAtStartWhenTipsAreOff) {
    bool opened = false;
    rig.onDialog = [&](QDialog* dialog) {
        opened = true;
        dialog->reject();
    };
    Form().show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.TipShown(); }, 5000));
    EXPECT_FALSE(opened);
}

}  // namespace
}  // namespace velmora
