#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>

#include "../game/record_replay.h"
#include "app/moves_list_box.h"
#include "app/settings_apply.h"
#include "engine/match_file.h"
#include "engine/notation.h"
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
    // The list navigates exactly when the two buttons do, and they do after the fixed move.
    EXPECT_TRUE(rig.form->UndoRedoEnabled());
    EXPECT_TRUE(rig.form->MovesList()->Navigable());
}

// While the computer thinks, every command that changes the game is greyed and refused;
// afterwards each is as it was, and whatever the player tried leaves a legal record.
TEST(ReversiFormTest, CommandsDuringTheComputersSearch) {
    QTemporaryDir files;
    const QString tenByTen = files.path() + "/ten.qvz";
    {
        OBoardTracker record(10);
        ASSERT_TRUE(WriteMatch(record, MatchSettings{}, tenByTen.toStdString(), nullptr));
    }
    struct Case {
        const char* name;
        std::function<void(WindowRig&)> action;
    };
    const std::vector<Case> cases = {
        {"undo", [](WindowRig& rig) { rig.form->Menu().undoMove->trigger(); }},
        {"list click",
         [](WindowRig& rig) {
             QTest::mouseClick(rig.form->MovesList()->viewport(), Qt::LeftButton, {},
                               QPoint(10, 4));
         }},
        {"new game", [](WindowRig& rig) { rig.form->Menu().newGame->trigger(); }},
        {"settings", [](WindowRig& rig) { rig.form->Menu().options->trigger(); }},
        {"open",
         [&tenByTen](WindowRig& rig) {
             rig.openPath = tenByTen;
             rig.form->Menu().load->trigger();
         }},
        {"drop", [&tenByTen](WindowRig& rig) { rig.form->DropFile(tenByTen); }},
        {"settings applied with a size change",
         [](WindowRig& rig) {
             SettingsDialogChoices choices = ChoicesFromSettings(rig.form->Session().settings);
             choices.boardSize = 10;
             ApplySettingsDialog(choices, *rig.form);
         }},
        {"animation off", [](WindowRig& rig) { rig.form->Menu().animation->trigger(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowRig rig({}, [](QSettings& store) { Presets(store, "8", "yes", "computer"); });
        TReversiForm& form = *rig.form;
        const MainMenu& menu = form.Menu();
        rig.form->showSettingsDialog = [&rig] { rig.Prompts().messages.push_back("dialog"); };
        WindowRig::Settle();
        std::vector<bool> enabledInside;
        form.Engine().SetDuringSearch([&] {
            enabledInside = {menu.newGame->isEnabled(),  menu.hint->isEnabled(),
                             menu.options->isEnabled(),  menu.undoMove->isEnabled(),
                             menu.redoMove->isEnabled(), menu.load->isEnabled(),
                             form.acceptDrops(),         form.MovesList()->Navigable(),
                             form.UndoRedoEnabled(),     form.ContinueEnabled()};
            c.action(rig);
        });
        ClickSquare(form, 53);
        WindowRig::Settle();
        EXPECT_EQ(enabledInside, std::vector<bool>(10, false));
        EXPECT_TRUE(testing::RecordReplaysLegally(form.Session()));
        EXPECT_TRUE(menu.newGame->isEnabled() && menu.hint->isEnabled() &&
                    menu.options->isEnabled() && menu.load->isEnabled() && form.acceptDrops());
        EXPECT_EQ(form.MovesList()->Navigable(), form.UndoRedoEnabled());
        EXPECT_TRUE(rig.Prompts().messages.empty()) << rig.Prompts().messages.front();
    }
}

// Animation switched off while a move animates: the rest of that animation must not paint
// the old move over the next one.
TEST(ReversiFormTest, AnimationOffMidMoveLeavesTheTruePosition) {
    WindowRig rig({}, [](QSettings& store) { Presets(store, "8", "yes", "human"); });
    TReversiForm& form = *rig.form;
    WindowRig::Settle();
    Board before = form.Session().position.board;
    ClickSquare(form, 53);
    WindowRig::Settle(90);  // a couple of the fifteen frames
    form.Menu().animation->trigger();
    ASSERT_FALSE(form.Session().settings.animationOn);
    // Black answers on a square that turns back a disc of White's move.
    const GamePosition& p = form.Session().position;
    int answer = NoMove;
    for (const int square : MoveOrder(8)) {
        if (!IsLegal(p.board, 8, square, Black, White)) {
            continue;
        }
        Board after = p.board;
        MakeMove(after, 8, square, Black, White);
        for (const int changed : SquareList(8)) {
            if (before[changed] != p.board[changed] && after[changed] != p.board[changed]) {
                answer = square;
            }
        }
    }
    ASSERT_NE(answer, NoMove);
    ClickSquare(form, answer);
    WindowRig::Settle(700);
    const QImage shown = form.Board()->Screen().copy();
    // A fresh full redraw of the same position.
    form.Review().StepBack();
    form.Review().StepForward();
    const QImage redrawn = form.Board()->Screen().copy();
    ASSERT_EQ(shown.size(), redrawn.size());
    // The board cursor stands on the square just played and is drawn by the next tick only.
    const QRect cursor(20 + 61 * ColumnOf(8, answer) - 4, 20 + 61 * RowOf(8, answer) - 4, 69, 69);
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            differing += !cursor.contains(x, y) && shown.pixel(x, y) != redrawn.pixel(x, y);
        }
    }
    EXPECT_EQ(differing, 0);
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

TEST(ReversiFormTest, SaveThenOpenRestoresTheMatchAsFileOrText) {
    for (const char* name : {"game.qvz", "game.txt"}) {
        QTemporaryDir folder;
        WindowRig rig({}, Fast());
        TReversiForm& form = *rig.form;
        WindowRig::Settle();
        ClickSquare(form, 53);
        ClickSquare(form, FirstLegal(form.Session().position));
        const GamePosition saved = form.Session().position;
        const int count = form.Session().record.Count();
        rig.savePath = folder.filePath(name);
        form.SaveMatchCommand();
        ASSERT_TRUE(QFile::exists(rig.savePath)) << name;
        // As text, a letter and a digit per move of the small board, then a line break.
        EXPECT_EQ(QFile(rig.savePath).size(),
                  rig.savePath.endsWith(".txt") ? 2 * count + 1 : 24 + 156 * count);

        form.Menu().newGame->trigger();
        EXPECT_EQ(form.Session().record.Count(), 0);
        rig.openPath = rig.savePath;
        form.OpenMatchCommand();
        EXPECT_EQ(form.Session().record.Count(), count) << name;
        EXPECT_EQ(form.Session().position.board, saved.board) << name;
        EXPECT_EQ(form.Session().position.sideToMove, saved.sideToMove) << name;
        EXPECT_FALSE(form.Flow().Reviewing()) << name;
        EXPECT_EQ(form.MovesList()->count(), count + 1) << name;
        EXPECT_TRUE(rig.Prompts().messages.empty()) << name;
    }
}

TEST(ReversiFormTest, PastedTranscriptOpensAtItsEndAndPlaysOn) {
    WindowRig rig({}, Fast("8", "human"));
    TReversiForm& form = *rig.form;
    WindowRig::Settle();
    ClickSquare(form, 53);
    // A game of the large board, pasted into a window of the small one.
    QGuiApplication::clipboard()->setText(QStringLiteral("1. F7 2. e7\n3. d8"));
    form.Menu().pasteMatch->trigger();
    WindowRig::Settle();
    EXPECT_TRUE(rig.Prompts().messages.empty());
    const GamePosition& position = form.Session().position;
    ASSERT_EQ(position.boardSize, 10);
    EXPECT_EQ(form.Board()->width(), 10 * 49 + 44);
    for (const char* name : {"D8", "E7", "F7", "F6", "F5"}) {
        EXPECT_EQ(position.board[*ParseSquare(10, name)], White) << name;
    }
    for (const char* name : {"E6", "E5"}) {
        EXPECT_EQ(position.board[*ParseSquare(10, name)], Black) << name;
    }
    EXPECT_EQ(position.sideToMove, Black);
    const QStringList expected = {" 1.Жёлтые ..... F:7", " 2.Зелёные .... E:7",
                                  " 3.Жёлтые ..... D:8", "*FLAG:EOL*"};
    QStringList lines;
    for (int i = 0; i < form.MovesList()->count(); ++i) {
        lines << form.MovesList()->item(i)->text();
    }
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(form.MovesList()->SelectedRow(), 3);
    EXPECT_FALSE(form.Flow().Reviewing());
    EXPECT_TRUE(form.UndoRedoEnabled()) << "the pasted moves can be reviewed";
    EXPECT_TRUE(form.Session().flags.trainingGame);

    ClickSquare(form, FirstLegal(position));
    EXPECT_EQ(form.Session().record.Count(), 4);
    form.Menu().copyMatch->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("f7e7d8")));

    // A slip leaves the match alone and says where it is.
    QGuiApplication::clipboard()->setText(QStringLiteral("f5 d6 z9"));
    form.Menu().pasteMatch->trigger();
    ASSERT_EQ(rig.Prompts().messages.size(), 1u);
    EXPECT_EQ(rig.Prompts().messages[0],
              "Текст в буфере обмена не является записью партии: ход 3 «z9»: такого поля нет на "
              "доске.");
    EXPECT_EQ(form.Session().record.Count(), 4);
    EXPECT_EQ(form.MovesList()->count(), 5);
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

    const QString slip = folder.filePath("slip.txt");
    QFile slipFile(slip);
    ASSERT_TRUE(slipFile.open(QIODevice::WriteOnly));
    slipFile.write("e6 f4 e6");
    slipFile.close();
    form.DropFile(slip);
    ASSERT_EQ(rig.Prompts().messages.size(), 2u);
    EXPECT_EQ(rig.Prompts().messages[1],
              "Файл «slip.txt» не является записью партии: ход 3 «e6» невозможен: ходят "
              "Жёлтые.");
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
