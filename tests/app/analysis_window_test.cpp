#include "app/analysis_window.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <filesystem>

#include "app/analysis_graph.h"
#include "engine/match_file.h"
#include "engine/rules.h"
#include "window_rig.h"

namespace velmora {
namespace {

using window_test::WindowRig;

// A first-legal-move game of the given size, stopped after at most moveLimit moves,
// saved as a match against the computer.
QString SaveGame(const QString& folder, int size, int moveLimit) {
    OBoardTracker record(size);
    GamePosition p;
    p.Reset(size);
    while (record.Count() < moveLimit && !ScanBoard(p.board, size).GameOver()) {
        const int side = p.sideToMove;
        if (const int move = window_test::FirstLegal(p); move != NoMove) {
            record.AddMove(p, move, side, Opponent(side));
            MakeMove(p.board, size, move, side, Opponent(side));
        }
        p.sideToMove = Opponent(side);
    }
    const QString path = folder + "/game.qvz";
    EXPECT_TRUE(WriteMatch(record, MatchSettings{}, path.toStdString(), nullptr));
    return path;
}

bool WaitFor(const std::function<bool()>& condition, int seconds) {
    return QTest::qWaitFor(condition, seconds * 1000);
}

int ThreadCount() {
    const std::filesystem::directory_iterator tasks("/proc/self/task");
    return static_cast<int>(std::distance(tasks, std::filesystem::directory_iterator()));
}

// A game still going against the computer: No leaves everything as it was; Yes makes it a
// training game and analyses; closing the window mid-analysis leaves no thread behind;
// another match opened mid-analysis is analysed instead, and its graph and list jump the review.
TEST(AnalysisWindowTest, UnfinishedGameAsksFirstClosingStopsTheWorkAndTheGraphJumps) {
    WindowRig rig({}, window_test::Profile("8", "human"));
    ASSERT_TRUE(rig.form->OpenMatchFile(SaveGame(rig.ConfigFolder(), 10, 40)));
    ASSERT_FALSE(rig.form->Session().flags.trainingGame);

    rig.Prompts().answers = {false};
    rig.form->Menu().analysis->trigger();
    ASSERT_EQ(rig.Prompts().questions.size(), 1u);
    EXPECT_EQ(rig.Prompts().questions[0],
              "Похоже, что Вы решили проанализировать незаконченную партию.\r"
              "Игра станет тренировочной (статистика не будет записана)!\r"
              "Вы действительно хотите посмотреть анализ?");
    EXPECT_EQ(rig.form->findChild<AnalysisWindow*>(), nullptr);
    EXPECT_FALSE(rig.form->Session().flags.trainingGame);

    rig.Prompts().answers = {true};
    rig.form->Menu().analysis->trigger();
    EXPECT_TRUE(rig.form->Session().flags.trainingGame);
    QPointer<AnalysisWindow> window = rig.form->findChild<AnalysisWindow*>();
    ASSERT_TRUE(window);
    ASSERT_TRUE(WaitFor([&] { return window->Progress()->value() >= 1; }, 60));
    ASSERT_TRUE(window->Running());
    const int threadsRunning = ThreadCount();
    window->close();
    EXPECT_FALSE(window->Running());
    // Qt may start a helper thread of its own meanwhile; the search thread must be gone.
    EXPECT_TRUE(QTest::qWaitFor([&] { return ThreadCount() <= threadsRunning - 1; }, 3000));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());

    rig.form->Menu().analysis->trigger();
    EXPECT_EQ(rig.Prompts().questions.size(), 2u);
    window = rig.form->findChild<AnalysisWindow*>();
    ASSERT_TRUE(window);
    ASSERT_TRUE(window->Running());
    ASSERT_TRUE(rig.form->OpenMatchFile(SaveGame(rig.ConfigFolder(), 8, 1000)));
    OBoardTracker& record = rig.form->Session().record;
    const int count = record.Count();
    ASSERT_TRUE(WaitFor([&] { return window->Graph()->HasGraph(); }, 120));
    EXPECT_EQ(window->AnalysedMoves(), count);
    EXPECT_FALSE(window->Running());
    EXPECT_EQ(window->Graph()->Current(), count);
    // A click on a point of the graph or on a row of the list shows that position.
    QTest::mouseClick(window->Graph(), Qt::LeftButton, {}, window->Graph()->PointOf(20));
    EXPECT_EQ(record.Current(), 20);
    EXPECT_EQ(rig.form->Session().position.board, record.Entry(20).snapshot);
    EXPECT_EQ(window->Graph()->Current(), 20);
    // A first-legal game has faults; each row goes to the position before its move.
    QListWidget* list = window->FaultList();
    ASSERT_GT(list->count(), 0);
    QListWidgetItem* row = list->item(list->count() - 1);
    const int number = row->text().section('.', 0, 0).toInt();
    ASSERT_GT(number, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
    EXPECT_EQ(record.Current(), number - 1);

    // A finished game asks nothing; the command brings the same window forward.
    rig.form->Menu().analysis->trigger();
    EXPECT_EQ(rig.Prompts().questions.size(), 2u);
    EXPECT_EQ(rig.form->findChildren<AnalysisWindow*>().size(), 1);
}

}  // namespace
}  // namespace velmora
