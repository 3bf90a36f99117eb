#include <gtest/gtest.h>

#include "game/game_texts.h"
#include "game_fakes.h"

namespace velmora {
namespace {

using testing::GameRig;

// A game against the computer (Black) with the given number of human moves played.
void PlayMoves(GameRig& rig, int humanMoves) {
    rig.flow.NewGameCommand();
    for (int i = 0; i < humanMoves; ++i) {
        rig.ClickSquare(rig.FirstLegal());
    }
}

TEST(MoveReviewTest, UndoAndRedoStopAtBothEndsAndRestoreExactly) {
    GameRig rig;
    PlayMoves(rig, 2);
    ASSERT_EQ(rig.session.record.Count(), 4);
    const GamePosition latest = rig.session.position;

    rig.review.StepForward();  // at the latest position: nothing
    EXPECT_FALSE(rig.flow.Reviewing());
    for (int i = 0; i < 6; ++i) {
        rig.review.StepBack();
    }
    EXPECT_EQ(rig.session.record.Current(), 0);
    EXPECT_TRUE(rig.flow.Reviewing());
    EXPECT_TRUE(rig.view.continueEnabled);
    EXPECT_TRUE(rig.display.noLastMove);
    EXPECT_EQ(rig.view.panels[2], "Ход 0/4");
    Board start;
    InitBoard(start, 8);
    EXPECT_EQ(rig.session.position.board, start);

    for (int i = 0; i < 4; ++i) {
        rig.review.StepForward();
    }
    EXPECT_FALSE(rig.flow.Reviewing()) << "reaching the latest position leaves review";
    EXPECT_FALSE(rig.view.continueEnabled);
    EXPECT_EQ(rig.session.position.board, latest.board);
    EXPECT_EQ(rig.session.position.sideToMove, latest.sideToMove);
    EXPECT_EQ(rig.view.panels[2], "Ход 4/4");
}

TEST(MoveReviewTest, UndoFromAFinishedGameReopensIt) {
    GameRig rig(8, false);
    rig.flow.NewGameCommand();
    while (!rig.session.position.gameOver) {
        rig.ClickSquare(rig.FirstLegal());
    }
    ASSERT_EQ(rig.view.panels[0], kGameOverText);
    rig.review.StepBack();
    EXPECT_FALSE(rig.session.position.gameOver);
    EXPECT_NE(rig.view.panels[0], kGameOverText);
    EXPECT_TRUE(rig.view.continueEnabled);
    // Forward again onto the finished position: over, not reviewing.
    rig.review.StepForward();
    EXPECT_TRUE(rig.session.position.gameOver);
    EXPECT_FALSE(rig.flow.Reviewing());
}

TEST(MoveReviewTest, BoardClickWhileReviewingOffersTheChoice) {
    GameRig rig;
    PlayMoves(rig, 3);
    rig.review.StepBack();
    rig.review.StepBack();
    const int count = rig.session.record.Count();

    rig.view.choices = {kBackToReview};
    rig.ClickSquare(rig.FirstLegal());
    EXPECT_TRUE(rig.flow.Reviewing());
    EXPECT_EQ(rig.session.record.Count(), count);

    rig.view.choices = {kContinueFromLast};
    rig.flow.BoardClick();
    EXPECT_FALSE(rig.flow.Reviewing());
    EXPECT_EQ(rig.session.record.Current(), count);
    EXPECT_EQ(rig.engine.searches, 3) << "continuing from the last position starts no search";
}

TEST(MoveReviewTest, ContinuingFromAnEarlierPositionAsksAndTruncates) {
    GameRig rig;
    PlayMoves(rig, 3);
    rig.review.StepBack();
    rig.review.StepBack();  // the human (White) is to move, 4 of 6 moves remain

    // No: a message, then play goes on from the last position.
    rig.prompter.answers = {false};
    rig.view.choices = {kContinueFromThis};
    rig.flow.BoardClick();
    ASSERT_EQ(rig.prompter.questions.size(), 1u);
    EXPECT_EQ(rig.prompter.questions[0], kTakeBackQuestion);
    EXPECT_EQ(rig.prompter.messages, std::vector<std::string>{kContinueFromLastText});
    EXPECT_EQ(rig.session.record.Current(), 6);
    EXPECT_FALSE(rig.session.flags.trainingGame);

    // Yes: a training game from the shown position.
    rig.review.StepBack();
    rig.review.StepBack();
    rig.review.StepBack();  // Black (the computer) to move, 3 moves remain
    rig.prompter.answers = {true};
    rig.review.ContinueFromThisPosition();
    EXPECT_TRUE(rig.session.flags.trainingGame);
    EXPECT_FALSE(rig.flow.Reviewing());
    EXPECT_EQ(rig.session.record.Count(), 4) << "the computer answered at once";
    EXPECT_EQ(rig.session.record.Current(), 4);
}

TEST(MoveReviewTest, TwoHumansContinueWithoutAQuestion) {
    GameRig rig(8, false);
    rig.flow.NewGameCommand();
    for (int i = 0; i < 4; ++i) {
        rig.ClickSquare(rig.FirstLegal());
    }
    rig.review.StepBack();
    rig.review.ContinueFromThisPosition();
    EXPECT_TRUE(rig.prompter.questions.empty());
    EXPECT_FALSE(rig.session.flags.trainingGame);
    EXPECT_EQ(rig.session.record.Count(), 3);
}

TEST(MoveReviewTest, MovesListPressesJumpAndTheEndMarkerReturns) {
    GameRig rig;
    PlayMoves(rig, 2);
    rig.view.undoRedo = true;
    const int items = rig.session.record.Count() + 1;

    EXPECT_FALSE(rig.review.ListRowPressed(4, items)) << "the selected row does nothing";
    EXPECT_FALSE(rig.flow.Reviewing());
    EXPECT_TRUE(rig.review.ListRowPressed(1, items));
    EXPECT_EQ(rig.session.record.Current(), 1);
    EXPECT_TRUE(rig.flow.Reviewing());
    EXPECT_FALSE(rig.review.ListRowPressed(7, items)) << "beyond the list";
    EXPECT_EQ(rig.session.record.Current(), 1);

    EXPECT_FALSE(rig.review.ListRowPressed(4, items));  // the end marker
    EXPECT_EQ(rig.session.record.Current(), 4);
    EXPECT_FALSE(rig.flow.Reviewing());

    rig.view.undoRedo = false;  // e.g. in a network game
    EXPECT_FALSE(rig.review.ListRowPressed(0, items));
    EXPECT_EQ(rig.session.record.Current(), 4);
}

TEST(MoveReviewTest, AutoRepeatActsOnReleaseOrEveryTickButNotBoth) {
    GameRig rig;
    PlayMoves(rig, 3);
    // A short click: one step on release.
    rig.review.ButtonPressed(MoveReview::Repeat::Undo);
    EXPECT_TRUE(rig.timers.firstDelay);
    EXPECT_EQ(rig.session.record.Current(), 6);
    rig.review.ButtonReleased();
    EXPECT_EQ(rig.session.record.Current(), 5);
    EXPECT_FALSE(rig.timers.firstDelay);

    // Held: the first delay hands over to the repeat timer; each tick steps; the release adds
    // nothing; ticks beyond the first position do nothing.
    rig.review.ButtonPressed(MoveReview::Repeat::Undo);
    rig.review.FirstDelayElapsed();
    EXPECT_FALSE(rig.timers.firstDelay);
    EXPECT_TRUE(rig.timers.repeat);
    for (int i = 0; i < 8; ++i) {
        rig.review.RepeatTick();
    }
    EXPECT_EQ(rig.session.record.Current(), 0);
    rig.review.ButtonReleased();
    EXPECT_EQ(rig.session.record.Current(), 0);
    EXPECT_FALSE(rig.timers.repeat);
    EXPECT_EQ(rig.review.RepeatMode(), MoveReview::Repeat::None);

    rig.review.ButtonPressed(MoveReview::Repeat::Redo);
    rig.review.FirstDelayElapsed();
    rig.review.RepeatTick();
    rig.review.RepeatTick();
    rig.review.ButtonReleased();
    EXPECT_EQ(rig.session.record.Current(), 2);
}

}  // namespace
}  // namespace velmora
