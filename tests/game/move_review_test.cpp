#include "game/move_review.h"

#include <gtest/gtest.h>

#include <tuple>

#include "game_fakes.h"

namespace velmora {
namespace {

using testing::GameRig;

// A game with the given number of clicks played (against the computer, Black, by default).
void PlayMoves(GameRig& rig, int clicks) {
    rig.flow.NewGameCommand();
    rig.PlayFirstLegal(clicks);
}

void Back(GameRig& rig, int steps) {
    for (int i = 0; i < steps; ++i) {
        rig.review.StepBack();
    }
}

TEST(MoveReviewTest, UndoRedoAndTheListStopAtBothEndsAndRestoreExactly) {
    GameRig rig;
    PlayMoves(rig, 2);
    ASSERT_EQ(rig.session.record.Count(), 4);
    const GamePosition latest = rig.session.position;
    rig.review.StepForward();  // at the latest position: nothing
    EXPECT_FALSE(rig.flow.Reviewing());
    Back(rig, 6);
    EXPECT_TRUE(rig.flow.Reviewing());
    EXPECT_TRUE(rig.continueEnabled);
    EXPECT_TRUE(rig.noLastMove);
    EXPECT_EQ(rig.panels[2], "Ход 0/4");
    Board start;
    InitBoard(start, 8);
    EXPECT_EQ(rig.session.position.board, start);
    for (int i = 0; i < 4; ++i) {
        rig.review.StepForward();
    }
    EXPECT_FALSE(rig.flow.Reviewing()) << "reaching the latest position leaves review";
    EXPECT_FALSE(rig.continueEnabled);
    EXPECT_EQ(rig.session.position.board, latest.board);
    EXPECT_EQ(rig.session.position.sideToMove, latest.sideToMove);
    EXPECT_EQ(rig.panels[2], "Ход 4/4");

    // The moves list jumps; its end marker returns to the latest position.
    const int items = rig.session.record.Count() + 1;
    EXPECT_FALSE(rig.review.ListRowPressed(4, items)) << "the selected row does nothing";
    EXPECT_TRUE(rig.review.ListRowPressed(1, items));
    EXPECT_FALSE(rig.review.ListRowPressed(7, items)) << "beyond the list";
    EXPECT_EQ(rig.session.record.Current(), 1);
    EXPECT_FALSE(rig.review.ListRowPressed(4, items));  // the end marker
    EXPECT_EQ(rig.session.record.Current(), 4);
    EXPECT_FALSE(rig.flow.Reviewing());

    rig.undoRedo = false;  // e.g. in a network game
    EXPECT_FALSE(rig.review.ListRowPressed(0, items));
    EXPECT_EQ(rig.session.record.Current(), 4);
}

// Between two humans a finished game reopens on Undo and goes on without a question.
TEST(MoveReviewTest, UndoFromAFinishedGameReopensIt) {
    GameRig rig(8, false);
    PlayMoves(rig, 100);
    const int count = rig.session.record.Count();
    rig.review.StepBack();
    EXPECT_FALSE(rig.session.position.gameOver);
    EXPECT_TRUE(rig.continueEnabled);
    rig.review.StepForward();  // onto the finished position: over, not reviewing
    EXPECT_TRUE(rig.session.position.gameOver);
    EXPECT_FALSE(rig.flow.Reviewing());
    EXPECT_EQ(rig.panels[0], "Игра окончена");
    Back(rig, 2);
    rig.review.ContinueFromThisPosition();
    EXPECT_TRUE(rig.questions.empty());
    EXPECT_FALSE(rig.session.flags.trainingGame);
    EXPECT_EQ(rig.session.record.Count(), count - 2);
}

TEST(MoveReviewTest, BoardClickWhileReviewingOffersTheChoice) {
    GameRig rig;
    PlayMoves(rig, 3);
    Back(rig, 2);  // the human (White) is to move, 4 of 6 moves remain
    rig.choices = {kBackToReview, kContinueFromLast};
    rig.ClickSquare(rig.FirstLegal());
    EXPECT_TRUE(rig.flow.Reviewing());
    EXPECT_EQ(rig.session.record.Current(), 4);
    rig.flow.BoardClick();
    EXPECT_FALSE(rig.flow.Reviewing());
    EXPECT_EQ(rig.session.record.Current(), 6);
    EXPECT_EQ(rig.searches, 3) << "continuing from the last position starts no search";

    // Continuing from an earlier position asks; No goes on from the last one.
    Back(rig, 2);
    rig.answers = {false};
    rig.choices = {kContinueFromThis};
    rig.flow.BoardClick();
    ASSERT_EQ(rig.questions.size(), 1u);
    EXPECT_EQ(rig.questions[0],
              "Похоже, что Вы решили отменить некоторые ходы.\r"
              "Игра станет тренировочной (статистика не будет записана)!\r"
              "Вы действительно хотите отменить ходы?");
    EXPECT_EQ(rig.messages,
              std::vector<std::string>{"Хорошо. Игра продолжиться с последней позиции."});
    EXPECT_EQ(rig.session.record.Current(), 6);
    EXPECT_FALSE(rig.session.flags.trainingGame);
}

TEST(MoveReviewTest, AutoRepeatActsOnReleaseOrEveryTickButNotBoth) {
    GameRig rig;
    PlayMoves(rig, 3);
    // A short click: one step on release.
    rig.review.ButtonPressed(MoveReview::Repeat::Undo);
    EXPECT_TRUE(rig.firstDelay);
    EXPECT_EQ(rig.session.record.Current(), 6);
    rig.review.ButtonReleased();
    EXPECT_EQ(rig.session.record.Current(), 5);
    EXPECT_FALSE(rig.firstDelay);

    // Held: the first delay hands over to the repeat timer; each tick steps; the release adds
    // nothing; ticks beyond the first position do nothing.
    using Held = std::tuple<MoveReview::Repeat, int, int>;  // ticks, then the position
    for (const auto& [mode, ticks, current] :
         {Held{MoveReview::Repeat::Undo, 8, 0}, Held{MoveReview::Repeat::Redo, 2, 2}}) {
        rig.review.ButtonPressed(mode);
        rig.review.FirstDelayElapsed();
        EXPECT_FALSE(rig.firstDelay);
        EXPECT_TRUE(rig.repeat);
        for (int i = 0; i < ticks; ++i) {
            rig.review.RepeatTick();
        }
        rig.review.ButtonReleased();
        EXPECT_EQ(rig.session.record.Current(), current);
        EXPECT_FALSE(rig.repeat);
        rig.review.RepeatTick();  // a late tick after the release does nothing
        EXPECT_EQ(rig.session.record.Current(), current);
    }
}

}  // namespace
}  // namespace velmora
