#include <gtest/gtest.h>

#include "engine/notation.h"
#include "game/game_texts.h"
#include "game_fakes.h"
#include "record_replay.h"

namespace velmora {
namespace {

using testing::GameRig;

int At(const char* name) {
    return *ParseSquare(8, name);
}

// Plays the game to its end: the human (through clicks) always takes the last legal square of the
// move order, the fake computer the first.
void PlayOut(GameRig& rig) {
    for (int guard = 0; guard < 200 && !rig.session.position.gameOver; ++guard) {
        ASSERT_NE(rig.FirstLegal(true), NoMove) << "the human was left without a move";
        rig.ClickSquare(rig.FirstLegal(true));
    }
    ASSERT_TRUE(rig.session.position.gameOver);
}

// The computer's reply waits for the human's move to finish animating, and a click while the reply
// animates is ignored.
TEST(GameFlowTest, HumanMoveThenTheComputersReplyAfterTheAnimation) {
    GameRig rig(8, true, Black);
    rig.session.settings.animationOn = true;
    rig.animationLength = 15;
    rig.flow.NewGameCommand();
    // The cursor sound only when the pointer moves onto another legal square.
    rig.flow.PointerMove(4, 2);  // E6
    rig.flow.PointerMove(4, 2);
    EXPECT_EQ(rig.pointer, PointerShape::HandPoint);
    rig.flow.PointerMove(0, 0);
    EXPECT_EQ(rig.pointer, PointerShape::Arrow);
    EXPECT_EQ(rig.effects, std::vector<int>{kCursorEffect});
    rig.ClickSquare(At("D4"));  // illegal: nothing at all
    EXPECT_EQ(rig.session.record.Count(), 0);

    rig.ClickSquare(At("E6"));
    EXPECT_EQ(rig.waits, 1);
    EXPECT_EQ(rig.searches, 1) << "the human's move clears the fixed opening";
    EXPECT_EQ(rig.panels[1], "Жёлтые 3 : Зелёные 3");
    rig.ClickSquare(rig.FirstLegal());
    EXPECT_EQ(rig.session.record.Count(), 2);
}

// A finished game is counted once, from the human's side, when it was played against the computer
// and no hint was taken; then the statistics open. A hint asks (against the computer) and points at
// the advice, before any move the fixed opening square E6, without playing it.
TEST(GameFlowTest, OnlyGamesAgainstTheComputerWithoutHelpAreCounted) {
    struct Case {
        const char* name;
        int size;
        bool versusComputer;
        int computerSide;
        bool hint, counted;
    };
    for (const Case& c : {Case{"8 x 8", 8, true, Black, false, true},
                          Case{"10 x 10, computer White", 10, true, White, false, true},
                          Case{"hint", 8, true, Black, true, false},
                          Case{"two players", 8, false, Black, false, false}}) {
        SCOPED_TRACE(c.name);
        GameRig rig(c.size, c.versusComputer, c.computerSide);
        rig.answers = {true};
        rig.NewGameAtLevel(3);
        if (c.hint) {
            rig.flow.HintCommand();
            EXPECT_EQ(std::pair(rig.pointerCol, rig.pointerRow), std::pair(4, 2));
            EXPECT_EQ(rig.effects, std::vector<int>{kHintEffect});
            EXPECT_EQ(rig.session.record.Count(), 0) << "a hint does not play";
        }
        PlayOut(rig);
        EXPECT_EQ(rig.panels[0], "Игра окончена");
        ASSERT_FALSE(rig.finals.empty());
        const auto& final = rig.finals.back();
        const ScanResult scan = ScanBoard(rig.session.position.board, c.size);
        const int human = c.computerSide == Black ? scan.whiteCount : scan.blackCount;
        const int computer = scan.whiteCount + scan.blackCount - human;
        ASSERT_NE(human, computer) << "pick a game that is not drawn";
        EXPECT_EQ(final.kind, scan.whiteCount > scan.blackCount ? WhiteWon : BlackWon);
        EXPECT_EQ(final.first, std::max(human, computer));
        EXPECT_EQ(final.second, std::min(human, computer));
        EXPECT_EQ(rig.effects.back(), kEndGameEffect);
        const LevelCounters expected{1, human > computer, human < computer, 0};
        EXPECT_EQ(rig.session.statistics.Level(c.size == 8 ? 0 : 2, 3),
                  c.counted ? expected : LevelCounters{});
        EXPECT_EQ(rig.statisticsChanges, c.counted ? 1 : 0);
        EXPECT_EQ(rig.statisticsShown, c.counted ? 1 : 0);
        // Clicks after the end do nothing.
        const int count = rig.session.record.Count();
        rig.ClickSquare(rig.FirstLegal());
        EXPECT_EQ(rig.session.record.Count(), count);
    }
}

// The result is earned with the last move: a new game started while that move still animates, or
// while the message about the end is open (the peer restarted), keeps it, and the old game's end
// neither opens a box over the new game nor ends it.
TEST(GameFlowTest, ANewGameWhileTheOldOneEndsKeepsTheResultAndStaysPlayable) {
    for (const bool duringMessage : {false, true}) {
        SCOPED_TRACE(duringMessage ? "during the message" : "during the animation");
        GameRig rig(8, true, Black);
        rig.session.settings.animationOn = !duringMessage;
        rig.animationLength = duringMessage ? 0 : 15;
        bool restarted = false;
        const auto restart = [&] {
            const GamePosition& p = rig.session.position;
            if (!restarted && ScanBoard(p.board, p.boardSize).GameOver()) {
                restarted = true;
                rig.flow.NewGameCommand();
            }
        };
        if (duringMessage) {
            rig.duringFinal = [&](int) { restart(); };
        } else {
            rig.duringWait = restart;
        }
        rig.NewGameAtLevel(3);
        for (int guard = 0; guard < 200 && !restarted; ++guard) {
            rig.animationTicksLeft = 0;  // the reply's animation ends before the next click
            rig.ClickSquare(rig.FirstLegal());
        }
        ASSERT_TRUE(restarted);
        EXPECT_EQ(rig.session.statistics.Level(0, 3).games, 1u);
        EXPECT_EQ(rig.statisticsChanges, 1);
        EXPECT_EQ(rig.statisticsShown, 0);
        EXPECT_EQ(rig.finals.size(), duringMessage ? 1u : 0u);
        EXPECT_FALSE(rig.session.position.gameOver);
        EXPECT_EQ(rig.session.record.Count(), 0);
        rig.ClickSquare(rig.FirstLegal());
        EXPECT_EQ(rig.session.record.Count(), 2);
    }
}

// White (human) can only play A8. Black answers H4; then White has no move left while Black still
// has D3, so White passes and the computer moves again without a click. Each message opens only
// once the move before it has finished animating.
TEST(GameFlowTest, HumanPassIsShownAndTheComputerMovesAgain) {
    GameRig rig(8, true, Black);
    rig.session.settings.animationOn = true;
    rig.animationLength = 15;
    std::vector<int> ticksLeftAtMessage;
    rig.duringFinal = [&](int) { ticksLeftAtMessage.push_back(rig.animationTicksLeft); };
    rig.flow.NewGameCommand();
    Board& board = rig.session.position.board;
    for (const int square : SquareList(8)) {
        board[square] = Empty;
    }
    const std::pair<const char*, int> pieces[] = {{"A7", Black}, {"H1", Black}, {"D1", Black},
                                                  {"A6", White}, {"H2", White}, {"H3", White},
                                                  {"D2", White}};
    for (const auto& [name, side] : pieces) {
        board[At(name)] = side;
    }
    rig.session.position.openingPending = false;

    rig.ClickSquare(At("A8"));
    ASSERT_EQ(rig.session.record.Count(), 3);
    EXPECT_EQ(rig.session.record.Entry(1).square, At("H4"));
    EXPECT_EQ(rig.session.record.Entry(2).square, At("D3"));
    EXPECT_EQ(rig.session.record.Entry(2).side, Black) << "a pass shows as two Black entries";
    ASSERT_EQ(rig.finals.size(), 2u);
    EXPECT_EQ(rig.finals[0].kind, WhitePasses);
    EXPECT_EQ(rig.finals[1].kind, BlackWon);
    EXPECT_EQ(rig.finals[1].first, 7);
    EXPECT_EQ(rig.finals[1].second, 3);
    EXPECT_EQ(rig.effects, (std::vector<int>{kEndGameEffect, kEndGameEffect}));
    EXPECT_EQ(ticksLeftAtMessage, (std::vector<int>{0, 0}));
    // The human's A8 before H4, H4 before the pass, D3 before the end.
    EXPECT_EQ(rig.waits, 3);
    EXPECT_TRUE(rig.session.position.gameOver);
}

// The window keeps handling events while the computer thinks. Whatever a player does in that time,
// the answer that comes back is played only on the position it was chosen for.
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
             rig.flow.StartEngineGame();
             rig.SetNoLastMove(true);
         },
         false},
        {"peer restart", [](GameRig& rig) { rig.flow.BeginNetworkGame(); }, false},
        {"undo by the record",
         [](GameRig& rig) {
             rig.session.record.Undo(rig.session.position);
             rig.SetNoLastMove(true);
         },
         false},
        // Back to an earlier position with the same side to move, where the answer may be legal.
        {"two undos by the record",
         [](GameRig& rig) {
             rig.session.record.Undo(rig.session.position);
             rig.session.record.Undo(rig.session.position);
             rig.SetNoLastMove(true);
         },
         false},
        {"animation off", [](GameRig& rig) { rig.session.settings.animationOn = false; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GameRig rig(8, true, Black);
        rig.flow.NewGameCommand();
        rig.PlayFirstLegal(3);
        rig.session.settings.animationOn = true;
        rig.animationLength = 15;
        // Back over the computer's reply, then go on from there: the computer is to move.
        rig.review.StepBack();
        rig.answers = {true};
        std::pair<int, int> afterAction;  // the record's count and index once the player acted
        rig.duringSearch = [&] {
            c.action(rig);
            afterAction = {rig.session.record.Count(), rig.session.record.Current()};
        };
        const int before = rig.session.record.Current();
        rig.review.ContinueFromThisPosition();
        EXPECT_TRUE(testing::RecordReplaysLegally(rig.session));
        EXPECT_FALSE(rig.busy);
        if (c.answerPlayed) {
            EXPECT_EQ(rig.session.record.Count(), before + 1);
            EXPECT_EQ(rig.session.position.sideToMove, White);
        } else {
            EXPECT_EQ(std::pair(rig.session.record.Count(), rig.session.record.Current()),
                      afterAction)
                << "the answer was played on a changed game";
        }
    }
}

}  // namespace
}  // namespace velmora
