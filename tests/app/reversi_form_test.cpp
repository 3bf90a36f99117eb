#include <gtest/gtest.h>

#include <QClipboard>
#include <QPainter>
#include <QScrollBar>

#include "../game/record_replay.h"
#include "app/moves_list_box.h"
#include "app/settings_apply.h"
#include "engine/match_file.h"
#include "window_rig.h"

namespace velmora {
namespace {

using namespace window_test;

TEST(ReversiFormTest, LayoutFollowsTheBoardAndThePanelKeepingTheCentre) {
    for (const char* size : {"8", "10"}) {
        WindowRig rig({}, Profile(size));
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
        EXPECT_TRUE(form.Session().settings.showMovesList);
        // The hint asks first; only Yes makes a training game.
        WindowRig::Settle();
        rig.Prompts().answers = {std::string(size) == "10"};
        form.Menu().hint->trigger();
        EXPECT_EQ(rig.Prompts().questions.size(), 1u);
        EXPECT_EQ(form.Session().flags.trainingGame, std::string(size) == "10");
    }
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
        WindowRig rig({}, Profile("8", "computer", "1", "yes"));
        TReversiForm& form = *rig.form;
        const MainMenu& menu = form.Menu();
        rig.form->showSettingsDialog = [&rig] { rig.Prompts().messages.push_back("dialog"); };
        WindowRig::Settle();
        std::vector<bool> enabledInside;
        form.Engine().SetDuringSearch([&] {
            enabledInside = {menu.newGame->isEnabled(), menu.hint->isEnabled(),
                             menu.options->isEnabled(), menu.undoMove->isEnabled(),
                             menu.redoMove->isEnabled(), menu.load->isEnabled(), form.acceptDrops(),
                             form.MovesList()->Navigable(), form.UndoRedoEnabled(),
                             form.ContinueEnabled(),
                             // the hourglass over the whole window
                             QGuiApplication::overrideCursor() == nullptr ||
                                 QGuiApplication::overrideCursor()->shape() != Qt::WaitCursor};
            c.action(rig);
        });
        ClickSquare(form, 53);
        WindowRig::Settle();
        EXPECT_EQ(enabledInside, std::vector<bool>(11, false));
        EXPECT_TRUE(testing::RecordReplaysLegally(form.Session()));
        if (std::string(c.name) != "settings applied with a size change") {
            EXPECT_EQ(form.Session().record.Count(), 2);
            EXPECT_EQ(form.Session().record.Current(), 2);
            EXPECT_EQ(form.Session().position.boardSize, 8);
        }
        EXPECT_TRUE(menu.newGame->isEnabled() && menu.hint->isEnabled() &&
                    menu.options->isEnabled() && menu.load->isEnabled() && form.acceptDrops());
        EXPECT_EQ(form.MovesList()->Navigable(), form.UndoRedoEnabled());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(rig.Prompts().messages.empty()) << rig.Prompts().messages.front();
    }
}

// Two players with animations on: a click while a flip animates is ignored. Animation
// switched off while a move animates: the rest of it must not paint over the next move.
TEST(ReversiFormTest, AnimationsBlockClicksAndSwitchedOffLeaveTheTruePosition) {
    WindowRig rig({}, Profile("8", "human", "1", "yes"));
    TReversiForm& form = *rig.form;
    WindowRig::Settle();
    const Board before = form.Session().position.board;
    ClickSquare(form, 53);
    ClickFirstLegal(form);
    EXPECT_EQ(form.Session().record.Count(), 1);
    WindowRig::Settle(90);  // a couple of the fifteen frames
    form.Menu().animation->trigger();
    ASSERT_FALSE(form.Session().settings.animationOn);
    // Black answers on a square that turns back a disc of White's move.
    const GamePosition& p = form.Session().position;
    int answer = NoMove;
    for (const int square : MoveOrder(8)) {
        Board after = p.board;
        if (!IsLegal(p.board, 8, square, Black, White))
            continue;
        MakeMove(after, 8, square, Black, White);
        for (const int changed : SquareList(8)) {
            if (before[changed] != p.board[changed] && after[changed] != p.board[changed])
                answer = square;
        }
    }
    ASSERT_NE(answer, NoMove);
    ClickSquare(form, answer);
    EXPECT_EQ(form.Session().record.Count(), 2);
    WindowRig::Settle(700);
    const QImage shown = form.Board()->Screen().copy();
    form.Review().StepBack();  // then forward: a fresh full redraw of the same position
    form.Review().StepForward();
    const QImage redrawn = form.Board()->Screen().copy();
    ASSERT_EQ(shown.size(), redrawn.size());
    // The board cursor stands on the square just played and is drawn by the next tick only.
    const QRect cursor(20 + 61 * ColumnOf(8, answer) - 4, 20 + 61 * RowOf(8, answer) - 4, 69, 69);
    QImage a = shown.convertToFormat(QImage::Format_RGB32), b = redrawn.convertToFormat(a.format());
    QPainter(&a).fillRect(cursor, Qt::magenta);
    QPainter(&b).fillRect(cursor, Qt::magenta);
    EXPECT_TRUE(a == b);

    form.Menu().animation->trigger();
    ClickFirstLegal(form);
    WindowRig::Settle(900);
    ClickFirstLegal(form);
    EXPECT_EQ(form.Session().record.Count(), 4);
}

TEST(ReversiFormTest, StatusPanelsUndoRedoReviewAndTheChoiceDialog) {
    WindowRig rig({}, Profile());
    TReversiForm& form = *rig.form;
    WindowRig::Settle();
    EXPECT_EQ(form.StatusPanelText(0), QStringLiteral("Жёлтые ходят"));
    EXPECT_EQ(form.StatusPanelText(1), QStringLiteral("Жёлтые 2 : Зелёные 2"));
    EXPECT_EQ(form.StatusPanelText(2), QStringLiteral("Ход 0/0"));
    EXPECT_FALSE(form.Menu().undoMove->isEnabled());
    ClickSquare(form, 53);
    EXPECT_EQ(form.StatusPanelText(2), QStringLiteral("Ход 2/2"));
    EXPECT_EQ(form.MovesList()->count(), 3);
    EXPECT_TRUE(form.Menu().undoMove->isEnabled() && form.Menu().newGame->isEnabled());
    ClickFirstLegal(form);
    ASSERT_EQ(form.Session().record.Count(), 4);

    form.Menu().undoMove->trigger();
    form.Menu().undoMove->trigger();
    EXPECT_TRUE(form.Flow().Reviewing());
    EXPECT_TRUE(form.ContinueEnabled());
    EXPECT_EQ(form.StatusPanelText(2), QStringLiteral("Ход 2/4"));
    EXPECT_EQ(form.MovesList()->SelectedRow(), 2);

    rig.nextDialogResult = 3;
    ClickFirstLegal(form);
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

    rig.Prompts().answers = {true};
    rig.nextDialogResult = 4;
    ClickFirstLegal(form);
    EXPECT_TRUE(form.Session().flags.trainingGame);
    EXPECT_FALSE(form.Flow().Reviewing());
    EXPECT_EQ(form.Session().record.Count(), 2);
}

TEST(ReversiFormTest, SavedMatchReopensAsFileOrTextAndFromTheCommandLine) {
    for (const char* name : {"game.qvz", "game.txt"}) {
        SCOPED_TRACE(name);
        QTemporaryDir folder;
        WindowRig rig({}, Profile());
        TReversiForm& form = *rig.form;
        WindowRig::Settle();
        ClickSquare(form, 53);
        ClickFirstLegal(form);
        const GamePosition saved = form.Session().position;
        const int count = form.Session().record.Count();
        rig.savePath = folder.filePath(name);
        form.SaveMatchCommand();
        ASSERT_TRUE(QFile::exists(rig.savePath));
        // As text, a letter and a digit per move of the small board, then a line break.
        EXPECT_EQ(QFile(rig.savePath).size(),
                  rig.savePath.endsWith(".txt") ? 2 * count + 1 : 24 + 156 * count);

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
        // Named on the command line, the match opens in review and plays on at activation.
        WindowRig started({rig.savePath.toStdString()}, Profile("10"));
        EXPECT_TRUE(started.form->Flow().Reviewing());
        started.form->show();
        started.form->activateWindow();
        QApplication::sendEvent(started.form.get(), new QEvent(QEvent::WindowActivate));
        WindowRig::Settle(50);
        EXPECT_EQ(started.form->Session().position.boardSize, 8);
        EXPECT_EQ(started.form->Session().record.Count(), count);
        EXPECT_EQ(started.form->Board()->width(), 8 * 61 + 44);
        EXPECT_FALSE(started.form->Flow().Reviewing());
    }
}

TEST(ReversiFormTest, PastedTranscriptPlaysOnAndRefusedTextsAndFilesChangeNothing) {
    WindowRig rig({}, Profile("8", "human"));
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
    EXPECT_EQ(position.sideToMove, Black);
    QStringList lines;
    for (int i = 0; i < form.MovesList()->count(); ++i) {
        lines << form.MovesList()->item(i)->text();
    }
    EXPECT_EQ(lines.join('|'),
              " 1.Жёлтые ..... F:7| 2.Зелёные .... E:7| 3.Жёлтые ..... D:8|*FLAG:EOL*");
    EXPECT_EQ(form.MovesList()->SelectedRow(), 3);
    EXPECT_FALSE(form.Flow().Reviewing());
    EXPECT_TRUE(form.UndoRedoEnabled()) << "the pasted moves can be reviewed";
    EXPECT_TRUE(form.Session().flags.trainingGame);

    ClickFirstLegal(form);
    EXPECT_EQ(form.Session().record.Count(), 4);
    form.Menu().copyMatch->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("f7e7d8")));

    QGuiApplication::clipboard()->setText(QStringLiteral("f5 d6 z9"));
    form.Menu().pasteMatch->trigger();
    ASSERT_EQ(rig.Prompts().messages.size(), 1u);
    EXPECT_EQ(rig.Prompts().messages[0],
              "Текст в буфере обмена не является записью партии: ход 3 «z9»: такого поля нет на "
              "доске.");
    EXPECT_EQ(form.Session().record.Count(), 4);
    EXPECT_EQ(form.MovesList()->count(), 5);

    // Dropped files that are not a readable match change nothing either; each is ignored (a
    // foreign file) or reported once by its name.
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* message;  // empty: nothing said; "*": the file's name in the message
    };
    const Case cases[] = {
        {"notes.txt", "just some text", ""},
        {"broken.qvz", QByteArray("2ZVQ\x08\0\0\0\xff\xff\xff\x7f", 12), "*"},
        {"empty.qvz", QByteArray(), "*"},
        {"short.qvz", "2ZV", "*"},
        {"slip.txt", "e6 f4 e6",
         "Файл «slip.txt» не является записью партии: ход 3 «e6» невозможен: ходят Жёлтые."},
    };
    QTemporaryDir folder;
    const Board before = form.Session().position.board;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(c.name);
        window_test::WriteFile(path, c.bytes);
        rig.Prompts().messages.clear();
        form.DropFile(path);
        const std::vector<std::string>& said = rig.Prompts().messages;
        if (std::string(c.message).empty()) {
            EXPECT_TRUE(said.empty());
        } else if (std::string(c.message) == "*") {
            ASSERT_EQ(said.size(), 1u);
            EXPECT_NE(said[0].find(c.name), std::string::npos) << said[0];
        } else {
            EXPECT_EQ(said, std::vector<std::string>{c.message});
        }
        EXPECT_EQ(form.Session().position.board, before);
        EXPECT_EQ(form.Session().record.Count(), 4);
    }
}

}  // namespace
}  // namespace velmora
