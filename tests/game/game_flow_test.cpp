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

// A finished game is counted once, from the human's side, if played against the computer without a
// hint; then the statistics open. A hint points at the advice (before any move the fixed opening,
// E6) without playing it. The human clicks the last legal square, the computer plays the first.
TEST(GameFlowTest, OnlyGamesAgainstTheComputerWithoutHelpAreCounted) {
    using Case = std::tuple<const char*, int, bool, int, bool, bool>;  // name, size, versus
    for (const auto& [name, size, versusComputer, computerSide, hint, counted] :
         {Case{"8 x 8", 8, true, Black, false, true},  // computer side, hint, counted
          Case{"10 x 10, computer White", 10, true, White, false, true},
          Case{"hint", 8, true, Black, true, false},
          Case{"two players", 8, false, Black, false, false}}) {
        SCOPED_TRACE(name);
        GameRig rig(size, versusComputer, computerSide);
        rig.answers = {true};
        rig.flow.NewGameCommand();
        if (hint) {
            rig.flow.HintCommand();
            EXPECT_EQ(std::pair(rig.pointerCol, rig.pointerRow), std::pair(4, 2));
            EXPECT_EQ(rig.effects, std::vector<int>{kHintEffect});
            EXPECT_EQ(rig.session.record.Count(), 0) << "a hint does not play";
        }
        for (int guard = 0; guard < 200 && !rig.session.position.gameOver; ++guard) {
            ASSERT_NE(rig.FirstLegal(true), NoMove) << "the human was left without a move";
            rig.ClickSquare(rig.FirstLegal(true));
        }
        ASSERT_TRUE(rig.session.position.gameOver);
        ASSERT_FALSE(rig.finals.empty());
        const ScanResult scan = ScanBoard(rig.session.position.board, size);
        const int human = computerSide == Black ? scan.whiteCount : scan.blackCount;
        const int computer = scan.whiteCount + scan.blackCount - human;
        ASSERT_NE(human, computer) << "pick a game that is not drawn";
        EXPECT_EQ(rig.finals.back(),
                  (std::array<int, 3>{scan.whiteCount > scan.blackCount ? WhiteWon : BlackWon,
                                      std::max(human, computer), std::min(human, computer)}));
        EXPECT_EQ(rig.effects.back(), kEndGameEffect);
        const LevelCounters expected{1, human > computer, human < computer, 0};
        EXPECT_EQ(rig.session.statistics.Level(size == 8 ? 0 : 2, 3),
                  counted ? expected : LevelCounters{});
        EXPECT_EQ(std::pair(rig.statisticsChanges, rig.statisticsShown),
                  std::pair(int{counted}, int{counted}));
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
            if (!restarted && ScanBoard(rig.session.position.board, 8).GameOver()) {
                restarted = true;
                rig.flow.NewGameCommand();
            }
        };
        rig.duringFinal = [&](int) { restart(); };
        rig.duringWait = duringMessage ? [] {} : std::function<void()>(restart);
        rig.flow.NewGameCommand();
        for (int guard = 0; guard < 200 && !restarted; ++guard) {
            rig.animationTicksLeft = 0;  // the reply's animation ends before the next click
            rig.ClickSquare(rig.FirstLegal());
        }
        ASSERT_TRUE(restarted);
        EXPECT_EQ(rig.session.statistics.Level(0, 3).games, 1u);
        EXPECT_EQ(std::pair(rig.statisticsChanges, rig.statisticsShown), std::pair(1, 0));
        EXPECT_EQ(rig.finals.size(), duringMessage ? 1u : 0u);
        rig.ClickSquare(rig.FirstLegal());
        EXPECT_EQ(rig.session.record.Count(), 2) << "the new game goes on";
    }
}

// White (human) can only play A8, Black answers H4; White must pass while Black still has D3, which
// the computer plays without a click. Each message waits for the move before it to end animating.
// The cursor sounds on moving onto another legal square, shown by a hand; illegal clicks do
// nothing.
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
    const char* discs[] = {"A7", "H1", "D1", "A6", "H2", "H3", "D2"};  // three Black, then White
    for (int i = 0; i < 7; ++i) {
        board[At(discs[i])] = i < 3 ? Black : White;
    }
    rig.session.position.openingPending = false;
    rig.flow.PointerMove(1, 0);  // B8, then A8 twice
    rig.flow.PointerMove(0, 0);
    rig.flow.PointerMove(0, 0);
    EXPECT_EQ(rig.pointer, PointerShape::HandPoint);
    rig.ClickSquare(At("B8"));
    EXPECT_EQ(rig.pointer, PointerShape::Arrow);
    EXPECT_EQ(rig.session.record.Count(), 0);
    rig.ClickSquare(At("A8"));
    ASSERT_EQ(rig.session.record.Count(), 3);
    const OBoardTracker& record = rig.session.record;  // a pass shows as two Black entries
    EXPECT_EQ(std::tuple(record.Entry(1).square, record.Entry(2).square, record.Entry(2).side),
              std::tuple(At("H4"), At("D3"), int{Black}));
    ASSERT_EQ(rig.finals.size(), 2u);
    EXPECT_EQ(rig.finals[0][0], WhitePasses);
    EXPECT_EQ(rig.finals[1], (std::array{int{BlackWon}, 7, 3}));
    EXPECT_EQ(rig.effects,
              (std::vector<int>{kCursorEffect, kCursorEffect, kEndGameEffect, kEndGameEffect}));
    EXPECT_EQ(ticksLeftAtMessage, (std::vector<int>{0, 0}));
    // The human's A8 before H4, H4 before the pass, D3 before the end.
    EXPECT_EQ(rig.waits, 3);
    EXPECT_TRUE(rig.session.position.gameOver);
}

// Goes back by the record itself, as a loaded or restarted game would, past the review's checks.
void UndoByRecord(GameRig& rig, int moves) {
    for (int i = 0; i < moves; ++i) {
        rig.session.record.Undo(rig.session.position);
    }
    rig.SetNoLastMove(true);
}

// The window keeps handling events while the computer thinks. Whatever a player does in that time,
// the answer that comes back is played only on the position it was chosen for.
TEST(GameFlowTest, ActionsDuringTheComputersSearchLeaveALegalRecord) {
    using Case = std::tuple<const char*, std::function<void(GameRig&)>, bool>;  // answer played?
    const std::vector<Case> cases = {
        {"nothing", [](GameRig&) {}, true},
        {"undo", [](GameRig& rig) { rig.review.StepBack(); }, true},
        {"list click",
         [](GameRig& rig) { rig.review.ListRowPressed(0, rig.session.record.Count() + 1); }, true},
        {"continue from last", [](GameRig& rig) { rig.review.ContinueFromLastPosition(); }, true},
        {"new game", [](GameRig& rig) { rig.flow.NewGameCommand(); }, false},
        {"restart on the other size",
         [](GameRig& rig) {
             rig.session.settings.boardSize = rig.session.position.boardSize = 10;
             rig.flow.StartEngineGame();
             rig.SetNoLastMove(true);
         },
         false},
        {"peer restart", [](GameRig& rig) { rig.flow.BeginNetworkGame(); }, false},
        {"undo by the record", [](GameRig& rig) { UndoByRecord(rig, 1); }, false},
        // Back to an earlier position with the same side to move, where the answer may be legal.
        {"two undos by the record", [](GameRig& rig) { UndoByRecord(rig, 2); }, false},
        {"animation off", [](GameRig& rig) { rig.session.settings.animationOn = false; }, true},
    };
    for (const auto& [name, action, answerPlayed] : cases) {
        SCOPED_TRACE(name);
        GameRig rig(8, true, Black);
        rig.flow.NewGameCommand();
        rig.PlayFirstLegal(3);
        rig.session.settings.animationOn = true;
        rig.animationLength = 15;
        // Back over the computer's reply, then go on from there: the computer is to move.
        rig.review.StepBack();
        rig.answers = {true};
        std::tuple<bool, int, int> afterAction;  // the review and record once the player acted
        rig.duringSearch = [&] {
            action(rig);
            afterAction = rig.Place();
        };
        const int before = rig.session.record.Current();
        rig.review.ContinueFromThisPosition();
        EXPECT_TRUE(testing::RecordReplaysLegally(rig.session));
        if (answerPlayed) {
            EXPECT_EQ(rig.session.record.Count(), before + 1);
            EXPECT_EQ(rig.session.position.sideToMove, White);
            EXPECT_TRUE(rig.session.flags.trainingGame) << "moves were taken back";
        } else {
            EXPECT_EQ(rig.Place(), afterAction) << "the answer was played on a changed game";
        }
    }
}

}  // namespace
}  // namespace velmora
