#include <gtest/gtest.h>

#include "engine/notation.h"
#include "engine/side_names.h"
#include "game/game_texts.h"
#include "game_fakes.h"
#include "record_replay.h"

namespace velmora {
namespace {

using testing::GameRig;

// Plays the game to its end: the human (through clicks) always takes the last legal
// square of the move order, the fake computer the first.
void PlayOut(GameRig& rig) {
    for (int guard = 0; guard < 200 && !rig.session.position.gameOver; ++guard) {
        const GamePosition& p = rig.session.position;
        int choice = NoMove;
        for (const int square : MoveOrder(p.boardSize)) {
            if (IsLegal(p.board, p.boardSize, square, p.sideToMove, Opponent(p.sideToMove))) {
                choice = square;
            }
        }
        ASSERT_NE(choice, NoMove) << "the human was left without a move and no pass came";
        rig.ClickSquare(choice);
    }
    ASSERT_TRUE(rig.session.position.gameOver);
}

TEST(GameFlowTest, NewGameWithComputerAsWhiteOpensAtOnce) {
    for (const int size : {8, 10}) {
        GameRig rig(size, true, White);
        rig.flow.NewGameCommand();
        const int opening = size == 8 ? 53 : 54;
        ASSERT_EQ(rig.session.record.Count(), 1);
        EXPECT_EQ(rig.session.record.Entry(0).square, opening);
        EXPECT_EQ(rig.engine.searches, 0);
        EXPECT_EQ(rig.session.position.sideToMove, Black);
        EXPECT_EQ(rig.view.panels[0], SideName(Black) + " ходят");
        EXPECT_EQ(rig.view.panels[2], "Ход 1/1");
        EXPECT_FALSE(rig.session.position.openingPending);
    }
}

TEST(GameFlowTest, HumanMoveAndComputerReplyUpdateThePanels) {
    GameRig rig(8, true, Black);
    rig.flow.NewGameCommand();
    EXPECT_EQ(rig.view.panels[0], SideName(White) + " ходят");
    EXPECT_EQ(rig.view.panels[1], SideName(White) + " 2 : " + SideName(Black) + " 2");
    EXPECT_EQ(rig.view.panels[2], "Ход 0/0");
    EXPECT_FALSE(rig.view.undoRedo);

    // An illegal square does nothing at all.
    rig.ClickSquare(11);
    EXPECT_EQ(rig.session.record.Count(), 0);

    rig.ClickSquare(53);  // E6
    EXPECT_EQ(rig.engine.searches, 1) << "the human's move clears the fixed opening";
    EXPECT_EQ(rig.session.record.Count(), 2);
    EXPECT_EQ(rig.view.panels[2], "Ход 2/2");
    EXPECT_EQ(rig.session.position.sideToMove, White);
    EXPECT_TRUE(rig.view.undoRedo);
    const ScanResult scan = ScanBoard(rig.session.position.board, 8);
    EXPECT_EQ(rig.view.panels[1], ScoreText(scan.whiteCount, scan.blackCount));
    // Without animation each move is drawn with the plain move.
    EXPECT_EQ(rig.display.shownMoves, 2);
}

TEST(GameFlowTest, CursorSoundOnlyWhenMovingOntoAnotherLegalSquare) {
    GameRig rig(8, false);
    rig.flow.NewGameCommand();
    rig.flow.PointerMove(22 + 61 * 4 + 5, 22 + 61 * 2 + 5);  // E6, legal
    EXPECT_EQ(rig.view.pointer, PointerShape::HandPoint);
    rig.flow.PointerMove(22 + 61 * 4 + 40, 22 + 61 * 2 + 40);  // still E6
    EXPECT_EQ(rig.effects, std::vector<int>{kCursorEffect});
    rig.flow.PointerMove(22, 22);  // A8, illegal
    EXPECT_EQ(rig.view.pointer, PointerShape::Arrow);
    EXPECT_EQ(rig.effects.size(), 1u);
}

TEST(GameFlowTest, MarginsCountAsTheFirstSquareAndBeyondKeepsTheLastOne) {
    GameRig rig(8, false);
    rig.flow.NewGameCommand();
    // Hover F5 (column 5, row 3), then click far to the right of the board: the pointer's
    // column is off the board, so F5 stays and is played.
    rig.flow.PointerMove(22 + 61 * 5 + 30, 22 + 61 * 3 + 30);
    rig.flow.PointerMove(900, 22 + 61 * 3 + 30);
    EXPECT_EQ(rig.display.col, 5);
    rig.flow.BoardClick();
    ASSERT_EQ(rig.session.record.Count(), 1);
    EXPECT_EQ(rig.session.record.Entry(0).square, 64);

    // The left margin (x < 20) truncates towards zero: column 0.
    rig.flow.PointerMove(5, 30);
    EXPECT_EQ(rig.display.col, 0);
    EXPECT_EQ(rig.display.row, 0);
}

TEST(GameFlowTest, TwoHumansPlayBothColoursAndNothingIsCounted) {
    GameRig rig(8, false);
    rig.flow.NewGameCommand();
    rig.ClickSquare(53);
    EXPECT_EQ(rig.session.position.sideToMove, Black);
    rig.ClickSquare(rig.FirstLegal());
    EXPECT_EQ(rig.session.position.sideToMove, White);
    EXPECT_EQ(rig.engine.searches, 0);
    PlayOut(rig);
    EXPECT_EQ(rig.view.statisticsShown, 0);
    EXPECT_EQ(rig.session.statistics.Totals(0).games, 0u);
    EXPECT_EQ(rig.view.panels[0], kGameOverText);
}

TEST(GameFlowTest, FinishedGameAgainstTheComputerIsCountedOnce) {
    for (const int size : {8, 10}) {
        GameRig rig(size, true, Black);
        rig.session.settings.level = 3;
        rig.session.settings.noviceLevel = false;
        rig.flow.NewGameCommand();
        PlayOut(rig);
        ASSERT_FALSE(rig.view.finals.empty());
        const auto& final = rig.view.finals.back();
        const ScanResult scan = ScanBoard(rig.session.position.board, size);
        const int block = StatisticsTable::BlockIndex(size, false);
        const LevelCounters counters = rig.session.statistics.Level(block, 3);
        EXPECT_EQ(counters.games, 1u);
        if (scan.whiteCount > scan.blackCount) {
            EXPECT_EQ(final.kind, WhiteWon);
            EXPECT_EQ(final.first, scan.whiteCount);
            EXPECT_EQ(counters.wins, 1u);
        } else if (scan.whiteCount < scan.blackCount) {
            EXPECT_EQ(final.kind, BlackWon);
            EXPECT_EQ(final.second, scan.whiteCount);
            EXPECT_EQ(counters.losses, 1u);
        } else {
            EXPECT_EQ(final.kind, Draw);
            EXPECT_EQ(counters.draws, 1u);
        }
        EXPECT_EQ(rig.view.statisticsShown, 1);
        EXPECT_EQ(rig.view.statisticsChanges, 1);
        EXPECT_EQ(rig.effects.back(), kEndGameEffect);
        // Clicks after the end do nothing.
        const int count = rig.session.record.Count();
        rig.flow.BoardClick();
        EXPECT_EQ(rig.session.record.Count(), count);
    }
}

// The result is earned with the last move: a new game started while that move still
// animates must not lose it, nor be ended by the old game's end.
TEST(GameFlowTest, NewGameDuringTheLastMovesAnimationKeepsTheResult) {
    GameRig rig(8, true, Black);
    rig.session.settings.level = 3;
    rig.session.settings.noviceLevel = false;
    rig.session.settings.animationOn = true;
    rig.display.animationLength = 15;
    bool restarted = false;
    rig.waiter.during = [&] {
        const GamePosition& p = rig.session.position;
        if (!restarted && ScanBoard(p.board, p.boardSize).GameOver()) {
            restarted = true;
            rig.flow.NewGameCommand();
        }
    };
    rig.flow.NewGameCommand();
    for (int guard = 0; guard < 200 && !restarted; ++guard) {
        rig.display.animationTicksLeft = 0;  // the reply's animation ends before the next click
        rig.ClickSquare(rig.FirstLegal());
    }
    ASSERT_TRUE(restarted);
    const int block = StatisticsTable::BlockIndex(8, false);
    EXPECT_EQ(rig.session.statistics.Level(block, 3).games, 1u);
    EXPECT_EQ(rig.view.statisticsChanges, 1);
    EXPECT_TRUE(rig.view.finals.empty()) << "the old game's end opened a box over the new one";
    EXPECT_FALSE(rig.session.position.gameOver);
    EXPECT_EQ(rig.session.record.Count(), 0);
}

// White (human) can only play A8. Black answers H4; then White has no move left while Black
// still has D3, so White passes and the computer moves again without a click. Each message
// opens only once the move before it has finished animating.
TEST(GameFlowTest, HumanPassIsShownAndTheComputerMovesAgain) {
    GameRig rig(8, true, Black);
    rig.session.settings.animationOn = true;
    rig.display.animationLength = 15;
    std::vector<int> ticksLeftAtMessage;
    rig.view.duringFinal = [&](int) {
        ticksLeftAtMessage.push_back(rig.display.animationTicksLeft);
    };
    rig.flow.NewGameCommand();
    Board& board = rig.session.position.board;
    for (const int square : SquareList(8)) {
        board[square] = Empty;
    }
    board[*ParseSquare(8, "A7")] = Black;
    board[*ParseSquare(8, "A6")] = White;
    board[*ParseSquare(8, "H1")] = Black;
    board[*ParseSquare(8, "H2")] = White;
    board[*ParseSquare(8, "H3")] = White;
    board[*ParseSquare(8, "D1")] = Black;
    board[*ParseSquare(8, "D2")] = White;
    rig.session.position.openingPending = false;

    rig.ClickSquare(*ParseSquare(8, "A8"));
    ASSERT_EQ(rig.session.record.Count(), 3);
    EXPECT_EQ(rig.session.record.Entry(1).square, *ParseSquare(8, "H4"));
    EXPECT_EQ(rig.session.record.Entry(2).square, *ParseSquare(8, "D3"));
    EXPECT_EQ(rig.session.record.Entry(2).side, Black) << "a pass shows as two Black entries";
    ASSERT_EQ(rig.view.finals.size(), 2u);
    EXPECT_EQ(rig.view.finals[0].kind, WhitePasses);
    EXPECT_EQ(rig.view.finals[1].kind, BlackWon);
    EXPECT_EQ(rig.view.finals[1].first, 7);
    EXPECT_EQ(rig.view.finals[1].second, 3);
    EXPECT_EQ(rig.effects, (std::vector<int>{kEndGameEffect, kEndGameEffect}));
    EXPECT_EQ(ticksLeftAtMessage, (std::vector<int>{0, 0}));
    // The human's A8 before H4, H4 before the pass, D3 before the end.
    EXPECT_EQ(rig.waiter.waits, 3);
    EXPECT_TRUE(rig.session.position.gameOver);
    EXPECT_EQ(rig.view.panels[0], kGameOverText);
}

TEST(GameFlowTest, HintAsksOnceAndMakesTheGameATrainingGame) {
    GameRig rig(8, true, Black);
    rig.flow.NewGameCommand();
    rig.prompter.answers = {false};
    rig.flow.HintCommand();
    EXPECT_EQ(rig.prompter.questions.size(), 1u);
    EXPECT_FALSE(rig.session.flags.trainingGame);
    EXPECT_EQ(rig.view.pointerCol, -1);

    rig.prompter.answers = {true};
    rig.flow.HintCommand();
    EXPECT_TRUE(rig.session.flags.trainingGame);
    // Before any move the fixed opening square is the advice: E6.
    EXPECT_EQ(rig.view.pointerCol, 4);
    EXPECT_EQ(rig.view.pointerRow, 2);
    EXPECT_EQ(rig.effects.back(), kHintEffect);
    EXPECT_EQ(rig.session.record.Count(), 0) << "a hint does not play";

    rig.flow.HintCommand();
    EXPECT_EQ(rig.prompter.questions.size(), 2u) << "a training game is not asked again";

    // A training game's end is shown but not counted.
    PlayOut(rig);
    EXPECT_EQ(rig.view.statisticsShown, 0);
    EXPECT_EQ(rig.session.statistics.Totals(0).games, 0u);
}

TEST(GameFlowTest, HintBetweenTwoHumansAsksNothing) {
    GameRig rig(8, false);
    rig.flow.NewGameCommand();
    rig.flow.HintCommand();
    EXPECT_TRUE(rig.prompter.questions.empty());
    EXPECT_EQ(rig.view.pointerCol, 4);
}

TEST(GameFlowTest, ComputerWaitsForTheHumansAnimation) {
    GameRig rig(8, true, Black);
    rig.session.settings.animationOn = true;
    rig.display.animationLength = 15;
    rig.flow.NewGameCommand();
    rig.ClickSquare(53);
    EXPECT_EQ(rig.waiter.waits, 1);
    EXPECT_EQ(rig.session.record.Count(), 2);
    // A click while the computer's reply still animates is ignored.
    rig.ClickSquare(rig.FirstLegal());
    EXPECT_EQ(rig.session.record.Count(), 2);
}

TEST(GameFlowTest, RemoteMovesOnlyWhenPendingAndLegal) {
    GameRig rig(8, false);
    testing::FakeNet net;
    rig.flow.SetNetLink(&net);
    rig.session.flags.networkGame = true;
    rig.session.settings.computerSide = Black;  // the local player's side
    rig.flow.BeginNetworkGame();
    EXPECT_TRUE(rig.flow.NetStartMark());

    rig.flow.ApplyRemoteMove(4, 2);  // not pending: ignored
    EXPECT_EQ(rig.session.record.Count(), 0);
    rig.flow.SetPeerMovePending();
    rig.flow.ApplyRemoteMove(0, 0);  // illegal: ignored
    EXPECT_EQ(rig.session.record.Count(), 0);
    rig.flow.SetPeerMovePending();
    rig.flow.ApplyRemoteMove(-1, 12);  // outside the board: ignored
    rig.flow.SetPeerMovePending();
    rig.flow.ApplyRemoteMove(4, 2);
    EXPECT_EQ(rig.session.record.Count(), 1);
    EXPECT_EQ(rig.session.position.sideToMove, Black);

    // The local player answers; the move goes to the peer.
    const int square = rig.FirstLegal();
    rig.ClickSquare(square);
    ASSERT_EQ(net.sent.size(), 1u);
    EXPECT_EQ(net.sent[0], std::make_pair(ColumnOf(8, square), RowOf(8, square)));
    // Not the local turn now: clicks are ignored.
    rig.ClickSquare(rig.FirstLegal());
    EXPECT_EQ(rig.session.record.Count(), 2);
    EXPECT_FALSE(rig.view.undoRedo);

    rig.flow.NewGameCommand();
    EXPECT_EQ(net.restarts, 1);
    EXPECT_EQ(net.starts, 1);
}

TEST(GameFlowTest, AGameStartedWhileTheEndMessageIsOpenStaysPlayable) {
    GameRig rig(8, false);
    rig.flow.NewGameCommand();
    bool restarted = false;
    rig.view.duringFinal = [&](int kind) {
        // The peer's restart (or its leaving) arrives while the game-over message is open.
        if (kind <= Draw && !restarted) {
            restarted = true;
            rig.flow.NewGameCommand();
        }
    };
    for (int guard = 0; guard < 200 && !restarted; ++guard) {
        rig.ClickSquare(rig.FirstLegal());
    }
    ASSERT_TRUE(restarted);
    EXPECT_FALSE(rig.session.position.gameOver) << "the old game's end must not end the new one";
    EXPECT_EQ(rig.session.record.Count(), 0);
    rig.ClickSquare(rig.FirstLegal());
    EXPECT_EQ(rig.session.record.Count(), 1);
}

// The window keeps handling events while the computer thinks. Whatever a player does in that
// time, the answer that comes back is played only on the position it was chosen for.
TEST(GameFlowTest, ActionsDuringTheComputersSearchLeaveALegalRecord) {
    struct Case {
        const char* name;
        std::function<void(GameRig&)> action;
        bool answerPlayed;
    };
    const std::vector<Case> cases = {
        {"nothing", [](GameRig&) {}, true},
        {"undo", [](GameRig& rig) { rig.review.StepBack(); }, true},
        {"redo", [](GameRig& rig) { rig.review.StepForward(); }, true},
        {"list click",
         [](GameRig& rig) { rig.review.ListRowPressed(0, rig.session.record.Count() + 1); }, true},
        {"continue from last", [](GameRig& rig) { rig.review.ContinueFromLastPosition(); }, true},
        {"new game", [](GameRig& rig) { rig.flow.NewGameCommand(); }, false},
        {"restart on the other size",
         [](GameRig& rig) {
             rig.session.settings.boardSize = 10;
             rig.session.position.boardSize = 10;
             rig.display.size = 10;
             rig.flow.StartEngineGame();
             rig.display.SetNoLastMove(true);
         },
         false},
        {"peer restart", [](GameRig& rig) { rig.flow.BeginNetworkGame(); }, false},
        {"undo by the record",
         [](GameRig& rig) {
             rig.session.record.Undo(rig.session.position);
             rig.display.SetNoLastMove(true);
         },
         false},
        {"animation off", [](GameRig& rig) { rig.session.settings.animationOn = false; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GameRig rig(8, true, Black);
        rig.session.settings.animationOn = true;
        rig.display.animationLength = 15;
        rig.flow.NewGameCommand();
        rig.ClickSquare(53);
        // Back over the computer's reply, then go on from there: the computer is to move.
        rig.review.StepBack();
        rig.prompter.answers = {true};
        rig.engine.during = [&rig, &c] { c.action(rig); };
        const int before = rig.session.record.Current();
        rig.review.ContinueFromThisPosition();
        EXPECT_TRUE(testing::RecordReplaysLegally(rig.session));
        EXPECT_FALSE(rig.engine.busy);
        if (c.answerPlayed) {
            EXPECT_EQ(rig.session.record.Count(), before + 1);
            EXPECT_EQ(rig.session.position.sideToMove, White);
        }
    }
}

}  // namespace
}  // namespace velmora
