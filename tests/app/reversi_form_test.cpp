#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>

#include "app/moves_list_box.h"
#include "engine/rules.h"
#include "engine/side_names.h"
#include "game/game_texts.h"
#include "view/board_widget.h"
#include "window_rig.h"

namespace velmora {
namespace {

using window_test::ClickSquare;
using window_test::WindowRig;

void Presets(QSettings& store, const char* size, const char* animation, const char* opponent,
             const char* level = "1") {
    store.setValue("options/brdim", size);
    store.setValue("options/anief", animation);
    store.setValue("options/gamet", opponent);
    store.setValue("options/level", level);
    store.setValue("options/showtips", "no");
    store.setValue("net/listn", "no");
    store.sync();
}

auto Fast(const char* size = "8", const char* opponent = "computer") {
    return [size, opponent](QSettings& store) { Presets(store, size, "no", opponent); };
}

int FirstLegal(const GamePosition& p) {
    for (const int square : MoveOrder(p.boardSize)) {
        if (IsLegal(p.board, p.boardSize, square, p.sideToMove, Opponent(p.sideToMove))) {
            return square;
        }
    }
    return NoMove;
}

TEST(ReversiFormTest, LayoutFollowsTheBoardAndThePanelKeepingTheCentre) {
    for (const char* size : {"8", "10"}) {
        WindowRig rig({}, Fast(size));
        TReversiForm& form = *rig.form;
        const int side = std::string(size) == "8" ? 8 * 61 + 44 : 10 * 49 + 44;
        EXPECT_EQ(form.Board()->size(), QSize(side, side));
        const int panel = form.MovesPanel()->width();
        EXPECT_GT(panel, 172);
        EXPECT_EQ(form.width(), side + panel);

        form.move(300, 200);
        const QPoint centre = form.frameGeometry().center();
        form.ToggleMovesList();
        EXPECT_EQ(form.width(), side);
        EXPECT_FALSE(form.MovesPanel()->isVisibleTo(&form));
        EXPECT_LE(std::abs(form.frameGeometry().center().x() - centre.x()), 1);
        form.ToggleMovesList();
        EXPECT_EQ(form.width(), side + panel);
        EXPECT_LE(std::abs(form.frameGeometry().center().x() - centre.x()), 1);
        EXPECT_FALSE(form.Session().settings.showMovesList == false);
    }
}

TEST(ReversiFormTest, StatusPanelsAtStartAndAfterTheFirstMoves) {
    WindowRig rig({}, Fast());
    TReversiForm& form = *rig.form;
    WindowRig::Settle();
    EXPECT_EQ(form.StatusPanelText(0).toStdString(), SideName(White) + " ходят");
    EXPECT_EQ(form.StatusPanelText(1).toStdString(),
              SideName(White) + " 2 : " + SideName(Black) + " 2");
    EXPECT_EQ(form.StatusPanelText(2), QStringLiteral("Ход 0/0"));
    EXPECT_FALSE(form.Menu().undoMove->isEnabled());

    ClickSquare(form, 53);
    EXPECT_EQ(form.StatusPanelText(2), QStringLiteral("Ход 2/2"));
    EXPECT_EQ(form.MovesList()->count(), 3);
    EXPECT_TRUE(form.Menu().undoMove->isEnabled());
    EXPECT_TRUE(form.Menu().newGame->isEnabled()) << "the thinking commands come back";

    // A click in the margin beyond the right edge plays the last hovered square (or nothing).
    const int before = form.Session().record.Count();
    QTest::mouseClick(form.Board(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_GE(form.Session().record.Count(), before);
}

TEST(ReversiFormTest, ComputerAsWhiteOpensWithTheFixedMove) {
    WindowRig rig({}, [](QSettings& store) {
        Presets(store, "10", "no", "computer", "9");
        store.setValue("options/youpl", "black");
    });
    WindowRig::Settle(50);
    const GameSession& session = rig.form->Session();
    ASSERT_EQ(session.record.Count(), 1);
    EXPECT_EQ(session.record.Entry(0).square, 54);
    EXPECT_EQ(rig.form->StatusPanelText(0).toStdString(), SideName(Black) + " ходят");
}

TEST(ReversiFormTest, WholeGameAgainstTheComputerIsCounted) {
    WindowRig rig({}, Fast());
    TReversiForm& form = *rig.form;
    WindowRig::Settle();
    for (int guard = 0; guard < 100 && !form.Session().position.gameOver; ++guard) {
        ClickSquare(form, FirstLegal(form.Session().position));
    }
    ASSERT_TRUE(form.Session().position.gameOver);
    EXPECT_EQ(form.StatusPanelText(0), QString::fromUtf8(kGameOverText));
    ASSERT_FALSE(rig.finals.empty());
    const QString last = rig.finals.back();
    EXPECT_TRUE(last.contains(QStringLiteral("победили")) || last == QStringLiteral("ничья"))
        << last.toStdString();
    const LevelCounters counters = form.Session().statistics.Level(0, 1);
    EXPECT_EQ(counters.games, 1u);
    EXPECT_EQ(counters.wins + counters.losses + counters.draws, 1u);
}

TEST(ReversiFormTest, TwoHumansWithAnimationsOn) {
    WindowRig rig({}, [](QSettings& store) { Presets(store, "8", "yes", "human"); });
    TReversiForm& form = *rig.form;
    WindowRig::Settle();
    ClickSquare(form, 53);
    EXPECT_EQ(form.Session().record.Count(), 1);
    // While the flip animates, a click is ignored.
    ClickSquare(form, FirstLegal(form.Session().position));
    EXPECT_EQ(form.Session().record.Count(), 1);
    WindowRig::Settle(900);
    ClickSquare(form, FirstLegal(form.Session().position));
    EXPECT_EQ(form.Session().record.Count(), 2);
    EXPECT_EQ(form.Session().position.sideToMove, White);
}

TEST(ReversiFormTest, UndoRedoReviewAndTheChoiceDialog) {
    WindowRig rig({}, Fast());
    TReversiForm& form = *rig.form;
    WindowRig::Settle();
    ClickSquare(form, 53);
    ClickSquare(form, FirstLegal(form.Session().position));
    ASSERT_EQ(form.Session().record.Count(), 4);

    form.Menu().undoMove->trigger();
    form.Menu().undoMove->trigger();
    EXPECT_TRUE(form.Flow().Reviewing());
    EXPECT_TRUE(form.ContinueEnabled());
    EXPECT_EQ(form.StatusPanelText(2), QStringLiteral("Ход 2/4"));
    EXPECT_EQ(form.MovesList()->SelectedRow(), 2);

    // A board click asks what to do; "continue from the last position" returns to the end.
    rig.nextDialogResult = 3;
    ClickSquare(form, FirstLegal(form.Session().position));
    EXPECT_FALSE(form.Flow().Reviewing());
    EXPECT_EQ(form.Session().record.Current(), 4);

    // The list: a press on row 1 jumps there (the list must be laid out to map rows).
    form.show();
    WindowRig::Settle();
    form.MovesList()->verticalScrollBar()->setValue(0);
    QTest::mouseClick(form.MovesList()->viewport(), Qt::LeftButton, {}, QPoint(20, 16 + 8));
    EXPECT_EQ(form.Session().record.Current(), 1);
    form.Menu().redoMove->trigger();
    EXPECT_EQ(form.Session().record.Current(), 2);

    // Continue from here: the take-back question; Yes makes a training game.
    rig.Prompts().answers = {true};
    rig.nextDialogResult = 4;
    ClickSquare(form, FirstLegal(form.Session().position));
    EXPECT_TRUE(form.Session().flags.trainingGame);
    EXPECT_FALSE(form.Flow().Reviewing());
    EXPECT_EQ(form.Session().record.Count(), 2);
}

TEST(ReversiFormTest, SaveThenOpenRestoresTheMatch) {
    QTemporaryDir folder;
    WindowRig rig({}, Fast());
    TReversiForm& form = *rig.form;
    WindowRig::Settle();
    ClickSquare(form, 53);
    ClickSquare(form, FirstLegal(form.Session().position));
    const GamePosition saved = form.Session().position;
    const int count = form.Session().record.Count();
    rig.savePath = folder.filePath("game.qvz");
    form.SaveMatchCommand();
    ASSERT_TRUE(QFile::exists(rig.savePath));
    EXPECT_EQ(QFile(rig.savePath).size(), 24 + 156 * count);

    form.Menu().newGame->trigger();
    EXPECT_EQ(form.Session().record.Count(), 0);
    rig.openPath = rig.savePath;
    form.OpenMatchCommand();
    EXPECT_EQ(form.Session().record.Count(), count);
    EXPECT_EQ(form.Session().position.board, saved.board);
    EXPECT_EQ(form.Session().position.sideToMove, saved.sideToMove);
    EXPECT_FALSE(form.Flow().Reviewing());
    EXPECT_EQ(form.MovesList()->count(), count + 1);
    EXPECT_TRUE(rig.Prompts().messages.empty());
}

TEST(ReversiFormTest, RefusedAndForeignFilesChangeNothing) {
    QTemporaryDir folder;
    WindowRig rig({}, Fast());
    TReversiForm& form = *rig.form;
    WindowRig::Settle();
    ClickSquare(form, 53);
    const GamePosition before = form.Session().position;

    const QString text = folder.filePath("notes.txt");
    QFile textFile(text);
    ASSERT_TRUE(textFile.open(QIODevice::WriteOnly));
    textFile.write("just some text");
    textFile.close();
    form.DropFile(text);
    EXPECT_TRUE(rig.Prompts().messages.empty()) << "a foreign file is ignored silently";

    const QString broken = folder.filePath("broken.qvz");
    QFile brokenFile(broken);
    ASSERT_TRUE(brokenFile.open(QIODevice::WriteOnly));
    brokenFile.write("2ZVQ\x08\0\0\0\xff\xff\xff\x7f", 12);
    brokenFile.close();
    form.DropFile(broken);
    ASSERT_EQ(rig.Prompts().messages.size(), 1u);
    EXPECT_NE(rig.Prompts().messages[0].find("broken.qvz"), std::string::npos);
    EXPECT_EQ(form.Session().position.board, before.board);
    EXPECT_EQ(form.Session().record.Count(), 2);
}

TEST(ReversiFormTest, SavedMatchNamedOnTheCommandLineOpensAtActivation) {
    QTemporaryDir folder;
    const QString path = folder.filePath("cmd.qvz");
    {
        WindowRig writer({}, Fast("10", "human"));
        WindowRig::Settle();
        ClickSquare(*writer.form, 54);
        writer.savePath = path;
        writer.form->SaveMatchCommand();
    }
    WindowRig rig({path.toStdString()}, Fast("8"));
    EXPECT_TRUE(rig.form->Flow().Reviewing()) << "started in review mode";
    rig.form->show();
    rig.form->activateWindow();
    QApplication::sendEvent(rig.form.get(), new QEvent(QEvent::WindowActivate));
    WindowRig::Settle(50);
    EXPECT_EQ(rig.form->Session().position.boardSize, 10);
    EXPECT_EQ(rig.form->Session().record.Count(), 1);
    EXPECT_EQ(rig.form->Board()->width(), 10 * 49 + 44);
    EXPECT_FALSE(rig.form->Flow().Reviewing());
}

TEST(ReversiFormTest, HintAsksAndMarksATrainingGame) {
    WindowRig rig({}, Fast());
    WindowRig::Settle();
    rig.Prompts().answers = {false};
    rig.form->Menu().hint->trigger();
    EXPECT_EQ(rig.Prompts().questions.size(), 1u);
    EXPECT_FALSE(rig.form->Session().flags.trainingGame);
    rig.Prompts().answers = {true};
    rig.form->Menu().hint->trigger();
    EXPECT_TRUE(rig.form->Session().flags.trainingGame);
}

}  // namespace
}  // namespace velmora
