#include <gtest/gtest.h>

#include "app/about_box.h"
#include "app/day_tip_form.h"
#include "app/moves_list_box.h"
#include "app/reversi_dialogs.h"
#include "app/settings_dialog.h"
#include "app/settings_store.h"
#include "app/statistics_form.h"
#include "app/statistics_store.h"
#include "window_rig.h"

namespace velmora {
namespace {

using window_test::WindowRig;

class ReversiDialogsTest : public ::testing::Test {
  protected:
    ReversiDialogsTest() : rig({}, window_test::Profile()) {
        rig.form->move(180, 80);
        rig.form->show();  // as in the program: the window's frame is what dialogs centre on
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
    static void Click(TSideDlg& d, const char* n) { d.findChild<QAbstractButton*>(n)->click(); }
    static void Select(TSideDlg& d, const char* n, int i) {
        d.findChild<QComboBox*>(n)->setCurrentIndex(i);
    }

    void HumanMoves() {
        window_test::ClickFirstLegal(Form());
        WindowRig::Settle();
        ASSERT_EQ(Form().Session().record.Count(), 2);
    }

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
    ReversiDialogs dialogs{*rig.form};
};

// The commands open their windows centred. Before the first move a new level is taken at once (a
// new cursor keeps the window); after it, only when the player agrees to a training game.
TEST_F(ReversiDialogsTest, LevelChangeAsksAfterTheFirstMoveAndANetGameKeepsTheOwnSettings) {
    const MainMenu& menu = Form().Menu();
    EXPECT_EQ(menu.options->shortcut(), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(menu.statistics->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(menu.dayTip->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F1));
    EXPECT_TRUE(Opens<TSideDlg>(menu.options) && Opens<TStatisticsForm>(menu.statistics));
    EXPECT_TRUE(Opens<TDayTipForm>(menu.dayTip) && Opens<TAboutBox>(menu.about));
    const QRect geometry = Form().frameGeometry();
    RunSettings([](TSideDlg& d) {
        Select(d, "LevelList", 4);
        Select(d, "CursorList", 1);
    });
    EXPECT_TRUE(rig.Prompts().questions.empty());
    EXPECT_EQ(Current().level, 4);
    EXPECT_EQ(Current().cursorSkin, 1);
    EXPECT_TRUE(Form().Menu().cursors[1]->isChecked());
    EXPECT_EQ(Form().frameGeometry(), geometry);
    EXPECT_EQ(LoadSettings("/x").level, 4) << "kept as soon as the dialog is accepted";
    EXPECT_FALSE(Form().Session().flags.trainingGame);

    HumanMoves();
    rig.Prompts().answers = {false};
    RunSettings([](TSideDlg& d) { Select(d, "LevelList", 5); });
    ASSERT_EQ(rig.Prompts().questions.size(), 1u);
    EXPECT_EQ(rig.Prompts().questions[0],
              "Похоже, что Вы решили изменить уровень игры компьютера.\r"
              "Игра станет тренировочной (статистика не будет записана)!\r"
              "Вы действительно хотите сделать это?");
    EXPECT_EQ(Current().level, 4);
    EXPECT_EQ(dialogs.SettingsDialog().Choices().levelIndex, 4);
    EXPECT_FALSE(Form().Session().flags.trainingGame);

    rig.Prompts().answers = {true};
    RunSettings([](TSideDlg& d) { Select(d, "LevelList", 5); });
    EXPECT_EQ(Current().level, 5);
    EXPECT_TRUE(Form().Session().flags.trainingGame);

    // The network game borrows the opponent; the writer at exit stores the player's own.
    dialogs.LockForNetGame(true);
    Current().versusComputer = false;
    Current().level = 6;
    EXPECT_TRUE(dialogs.OwnChoices().versusComputer);
    Form().close();
    EXPECT_TRUE(LoadSettings("/x").versusComputer);
    EXPECT_EQ(LoadSettings("/x").level, 6);
}

// Escape changes nothing; OK on a new size restarts and lays the window out around its centre.
TEST_F(ReversiDialogsTest, CancelChangesNothingANewSizeOrSideRestarts) {
    HumanMoves();
    const Settings before = Current();
    const QPoint centre = Form().frameGeometry().center();
    const int panel = Form().width() - (8 * 61 + 44);
    RunSettings(
        [](TSideDlg& d) {
            Select(d, "LevelList", 9);
            Click(d, "HumanRadio");
            Click(d, "MusicBox");
            Click(d, "Size10Radio");
        },
        false);
    EXPECT_EQ(Current(), before);
    EXPECT_EQ(Form().width(), 8 * 61 + 44 + panel);
    EXPECT_EQ(Form().Session().record.Count(), 2);
    EXPECT_TRUE(rig.Prompts().questions.empty());

    RunSettings([](TSideDlg& d) { Click(d, "Size10Radio"); });
    EXPECT_EQ(Form().Session().record.Count(), 0);
    EXPECT_EQ(Form().Board()->size(), QSize(10 * 49 + 44, 10 * 49 + 44));
    EXPECT_EQ(Form().width(), 10 * 49 + 44 + panel);
    EXPECT_LE(std::abs(Form().frameGeometry().center().x() - centre.x()), 1);
    EXPECT_LE(std::abs(Form().frameGeometry().center().y() - centre.y()), 1);
    EXPECT_EQ(Form().StatusPanelText(2), QStringLiteral("Ход 0/0"));

    RunSettings([](TSideDlg& d) { Click(d, "BlackRadio"); });
    WindowRig::Settle(50);
    EXPECT_EQ(Form().Session().record.Count(), 1);
    EXPECT_EQ(Form().StatusPanelText(0), QStringLiteral("Зелёные ходят"));
    // The list navigates exactly when the two buttons do, and they do after the fixed move.
    EXPECT_TRUE(Form().UndoRedoEnabled() && Form().MovesList()->Navigable());
}

TEST_F(ReversiDialogsTest, ACountedGameEndsWithTheStatisticsWindow) {
    std::vector<std::string> shown;
    std::uint32_t gamesOnDiskWhenShown = 0;
    rig.onDialog = [&](QDialog* dialog) {
        shown.push_back(dialog->metaObject()->className());
        if (qobject_cast<TStatisticsForm*>(dialog) != nullptr) {
            gamesOnDiskWhenShown = LoadStatistics().Totals(0).games;
            rig.Prompts().answers = {true};
            dialog->findChild<QPushButton*>(QStringLiteral("ClearAllBtn"))->click();
        }
        dialog->reject();
    };
    window_test::PlayToTheEnd(Form());
    ASSERT_TRUE(Form().Session().position.gameOver);
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown.back(), "velmora::TStatisticsForm");
    EXPECT_EQ(shown[shown.size() - 2], "velmora::TFinalDlg");
    // The result is kept before the window opens, and the clearing as soon as it closes.
    EXPECT_EQ(gamesOnDiskWhenShown, 1u);
    EXPECT_EQ(Form().Session().statistics.Totals(0).games, 0u);
    EXPECT_EQ(LoadStatistics().Totals(0).games, 0u);
}

TEST(ReversiDialogsTipTest, TipOpensAfterTheFirstPaintWhenTipsAreOn) {
    for (const bool tips : {true, false}) {
        SCOPED_TRACE(tips);
        WindowRig rig({}, [tips](QSettings& store) {
            window_test::Profile()(store);
            store.setValue("options/showtips", tips ? "yes" : "no");
        });
        ReversiDialogs dialogs(*rig.form);
        int opened = 0;
        rig.onDialog = [&](QDialog* dialog) {
            opened += qobject_cast<TDayTipForm*>(dialog) != nullptr ? 1 : 100;
            dialog->reject();
        };
        WindowRig::Settle(300);
        EXPECT_FALSE(dialogs.TipShown()) << "no paint, no tip";
        rig.form->show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.TipShown(); }, 5000));
        EXPECT_EQ(opened, tips ? 1 : 0);
        EXPECT_EQ(rig.form->Session().settings.currentTip, tips ? 0 : 1000);
    }
}

}  // namespace
}  // namespace velmora
