#include "game/move_review.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "game_fakes.h"

namespace velmora {
namespace {

using testing::GameRig;
using Place = std::tuple<bool, int, int>;  // reviewing, current, count

void Steps(GameRig& rig, int back) {  // forward when negative
    for (int i = 0; i < std::abs(back); ++i) {
        back > 0 ? rig.review.StepBack() : rig.review.StepForward();
    }
}

// Between two humans: undo, redo and the moves list stop at both ends and restore exactly; a
// finished game reopens on Undo and goes on from an earlier position without a question.
TEST(MoveReviewTest, UndoRedoAndTheListStopAtBothEndsAndReopenAFinishedGame) {
    GameRig rig(8, false);
    rig.flow.NewGameCommand();
    rig.PlayFirstLegal(4);
    const GamePosition latest = rig.session.position;
    rig.review.StepForward();  // at the latest position: nothing
    EXPECT_EQ(rig.Place(), Place(false, 4, 4));
    Steps(rig, 6);
    EXPECT_EQ(rig.Place(), Place(true, 0, 4));
    EXPECT_TRUE(rig.continueEnabled);
    EXPECT_TRUE(rig.noLastMove);
    EXPECT_EQ(rig.session.position.board, rig.session.record.Entry(0).snapshot);
    Steps(rig, -4);
    EXPECT_EQ(rig.Place(), Place(false, 4, 4)) << "reaching the latest position leaves review";
    EXPECT_FALSE(rig.continueEnabled);
    EXPECT_EQ(rig.session.position.board, latest.board);
    EXPECT_EQ(rig.session.position.sideToMove, latest.sideToMove);
    // The moves list jumps; its end marker returns to the latest position.
    EXPECT_FALSE(rig.review.ListRowPressed(4, 5)) << "the selected row does nothing";
    EXPECT_TRUE(rig.review.ListRowPressed(1, 5));
    EXPECT_FALSE(rig.review.ListRowPressed(7, 5)) << "beyond the list";
    EXPECT_EQ(rig.Place(), Place(true, 1, 4));
    EXPECT_FALSE(rig.review.ListRowPressed(4, 5));  // the end marker
    EXPECT_EQ(rig.Place(), Place(false, 4, 4));
    rig.undoRedo = false;  // e.g. in a network game
    EXPECT_FALSE(rig.review.ListRowPressed(0, 5));
    EXPECT_EQ(rig.Place(), Place(false, 4, 4));
    rig.undoRedo = true;
    rig.PlayFirstLegal(100);
    const int count = rig.session.record.Count();
    rig.review.StepBack();
    EXPECT_FALSE(rig.session.position.gameOver);
    EXPECT_TRUE(rig.continueEnabled);
    rig.review.StepForward();  // onto the finished position: over, not reviewing
    EXPECT_TRUE(rig.session.position.gameOver);
    EXPECT_EQ(rig.Place(), Place(false, count, count));
    EXPECT_EQ(rig.panels[0], "Игра окончена");
    Steps(rig, 2);
    rig.review.ContinueFromThisPosition();
    EXPECT_TRUE(rig.questions.empty());
    EXPECT_FALSE(rig.session.flags.trainingGame);
    EXPECT_EQ(rig.Place(), Place(false, count - 2, count - 2));
}

// A short click steps once on release; held, the first delay hands over to the repeat timer, each
// tick steps (none beyond the ends) and the release adds nothing. A board click while reviewing
// offers the choice to go back, go on from the last position or, after a question, from this one.
TEST(MoveReviewTest, AutoRepeatThenABoardClickWhileReviewing) {
    GameRig rig;
    rig.flow.NewGameCommand();
    rig.PlayFirstLegal(3);
    rig.review.ButtonPressed(MoveReview::Repeat::Undo);
    EXPECT_EQ(std::pair(rig.firstDelay, rig.session.record.Current()), std::pair(true, 6));
    rig.review.ButtonReleased();
    EXPECT_EQ(std::pair(rig.firstDelay, rig.session.record.Current()), std::pair(false, 5));
    using Held = std::tuple<MoveReview::Repeat, int, int>;  // ticks, then the position
    for (const auto& [mode, ticks, current] :
         {Held{MoveReview::Repeat::Undo, 8, 0}, Held{MoveReview::Repeat::Redo, 2, 2}}) {
        rig.review.ButtonPressed(mode);
        rig.review.FirstDelayElapsed();
        EXPECT_EQ(std::pair(rig.firstDelay, rig.repeat), std::pair(false, true));
        for (int i = 0; i < ticks; ++i) {
            rig.review.RepeatTick();
        }
        rig.review.ButtonReleased();
        EXPECT_FALSE(rig.repeat);
        rig.review.RepeatTick();  // a late tick after the release does nothing
        EXPECT_EQ(rig.session.record.Current(), current);
    }
    // Back at position 2 the human (White) is to move.
    rig.choices = {kBackToReview, kContinueFromLast};
    rig.ClickSquare(rig.FirstLegal());
    EXPECT_EQ(rig.Place(), Place(true, 2, 6));
    rig.flow.BoardClick();
    EXPECT_EQ(rig.Place(), Place(false, 6, 6));
    EXPECT_EQ(rig.searches, 3) << "continuing from the last position starts no search";
    // Continuing from an earlier position asks; No goes on from the last one.
    Steps(rig, 2);
    rig.answers = {false};
    rig.choices = {kContinueFromThis};
    rig.flow.BoardClick();
    EXPECT_EQ(rig.questions,
              std::vector<std::string>{"Похоже, что Вы решили отменить некоторые ходы.\r"
                                       "Игра станет тренировочной (статистика не будет записана)!\r"
                                       "Вы действительно хотите отменить ходы?"});
    EXPECT_EQ(rig.messages,
              std::vector<std::string>{"Хорошо. Игра продолжиться с последней позиции."});
    EXPECT_EQ(rig.Place(), Place(false, 6, 6));
    EXPECT_FALSE(rig.session.flags.trainingGame);
}

}  // namespace
}  // namespace velmora
