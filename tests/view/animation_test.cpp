#include <gtest/gtest.h>

#include <vector>

#include "view_rig.h"

namespace velmora {
namespace {

using testing::BackCopy;
using testing::FigsColour;
using testing::HelpColour;
using testing::ViewRig;

// White plays (3, 3): turns (4, 3) and (5, 3) to the right and (3, 4) below.
void SetUpThreeFlips(ViewRig& rig) {
    Board& b = rig.position.board;
    for (int col = 0; col < 8; ++col) {
        for (int row = 0; row < 8; ++row) {
            b[rig.Square(col, row)] = Empty;
        }
    }
    b[rig.Square(4, 3)] = Black;
    b[rig.Square(5, 3)] = Black;
    b[rig.Square(6, 3)] = White;
    b[rig.Square(3, 4)] = Black;
    b[rig.Square(3, 5)] = White;
    b[rig.Square(0, 7)] = Black;
    rig.position.sideToMove = White;
    rig.renderer.DrawBoard(b);
}

struct Animated {
    int col;
    int row;
    int turningRow;  // sheet row for frames 0..13
    int restRow;     // sheet row of the last frame
};

TEST(PieceAnimation, AFlipRunsFifteenTicksOverTheRightSheetRows) {
    ViewRig rig(8);
    SetUpThreeFlips(rig);
    int ended = 0;
    rig.animator.SetPiecesEndedHandler([&] { ++ended; });
    rig.Play(3, 3);
    rig.animator.StartPieceAnimation();
    EXPECT_EQ(rig.presenter.arrows, 1);
    EXPECT_TRUE(rig.animator.PieceAnimOn());
    EXPECT_FALSE(rig.animator.CursorAnimOn());
    EXPECT_EQ(rig.animator.FlipKindAt(rig.Square(3, 3)), BoardAnimator::PlaceWhite);
    EXPECT_EQ(rig.animator.FlipKindAt(rig.Square(4, 3)), BoardAnimator::TurnWhite);
    EXPECT_EQ(rig.animator.FlipKindAt(rig.Square(6, 3)), BoardAnimator::FlipNone);
    EXPECT_EQ(rig.animator.FlipKindAt(rig.Square(0, 7)), BoardAnimator::FlipNone);

    const std::vector<Animated> squares = {
        {3, 3, 6, 6},  // placed, even square
        {4, 3, 3, 7},  // Black turning White, odd square
        {5, 3, 2, 6},  // the same on an even square
        {3, 4, 3, 7},
    };
    for (int tick = 0; tick < 15; ++tick) {
        ASSERT_TRUE(rig.animator.PieceAnimOn()) << tick;
        rig.presenter.blits.clear();
        rig.animator.Tick();
        for (const Animated& a : squares) {
            const auto* blit = rig.presenter.LastBlitOf(a.col, a.row);
            ASSERT_NE(blit, nullptr) << tick;
            const int k = tick < 14 ? a.turningRow : a.restRow;
            EXPECT_EQ(blit->At(30, 7, 61), FigsColour(k, tick, 7)) << a.col << "," << a.row;
        }
        EXPECT_EQ(rig.presenter.LastBlitOf(6, 3), nullptr) << "unchanged squares are left alone";
        // The cursor (on the untouched square (0, 0)) is shown at every tick.
        ASSERT_NE(rig.presenter.LastBlitOf(0, 0), nullptr) << tick;
    }
    EXPECT_FALSE(rig.animator.PieceAnimOn());
    EXPECT_TRUE(rig.animator.CursorAnimOn());
    EXPECT_EQ(ended, 1);

    // The board now rests on the new position, as a full redraw would leave it.
    const auto animated = BackCopy(rig.holder);
    rig.renderer.DrawBoard(rig.position.board);
    EXPECT_EQ(animated, BackCopy(rig.holder));

    rig.presenter.blits.clear();
    rig.animator.Tick();
    EXPECT_EQ(rig.presenter.LastBlitOf(3, 3), nullptr);
    EXPECT_EQ(ended, 1);
}

TEST(PieceAnimation, BlackMovesTurnDiscsBlackAndPlaceBlack) {
    ViewRig rig(10, 0, false);
    rig.position.sideToMove = Black;
    // Find any legal Black move from the start position.
    int played = -1;
    for (int col = 0; col < 10 && played < 0; ++col) {
        for (int row = 0; row < 10 && played < 0; ++row) {
            if (IsLegal(rig.position.board, 10, rig.Square(col, row), Black, White)) {
                played = col * 10 + row;
            }
        }
    }
    ASSERT_GE(played, 0);
    rig.Play(played / 10, played % 10);
    rig.animator.StartPieceAnimation();
    int placed = 0;
    int turned = 0;
    for (int col = 0; col < 10; ++col) {
        for (int row = 0; row < 10; ++row) {
            const int kind = rig.animator.FlipKindAt(rig.Square(col, row));
            placed += kind == BoardAnimator::PlaceBlack;
            turned += kind == BoardAnimator::TurnBlack;
            EXPECT_TRUE(kind == BoardAnimator::FlipNone || kind == BoardAnimator::PlaceBlack ||
                        kind == BoardAnimator::TurnBlack);
            if (kind == BoardAnimator::TurnBlack) {
                rig.animator.Tick();  // frame 0 of the turning row
                const bool even = (col + row) % 2 == 0;
                EXPECT_EQ(rig.SquarePixel(col, row, 24, 24), FigsColour(even ? 0 : 1, 0));
            }
        }
    }
    EXPECT_EQ(placed, 1);
    EXPECT_EQ(turned, 1);
}

TEST(PieceAnimation, AnimationOffChangesNothingAndPicksThePlainSound) {
    ViewRig rig(8);
    std::vector<int> effects;
    auto play = [&](int e) { effects.push_back(e); };

    rig.animator.Options().animationOn = false;
    rig.Play(4, 2);
    rig.animator.ShowPlayedMove(play);
    EXPECT_FALSE(rig.animator.PieceAnimOn());
    EXPECT_TRUE(rig.animator.CursorAnimOn());
    EXPECT_EQ(rig.presenter.arrows, 0);
    EXPECT_EQ(effects, std::vector<int>{7});

    effects.clear();
    rig.animator.Options().animationOn = true;
    rig.Play(3, 2);
    rig.animator.ShowPlayedMove(play);
    EXPECT_TRUE(rig.animator.PieceAnimOn());
    EXPECT_EQ(effects, std::vector<int>{5});
    rig.animator.ShowPlayedMove({});  // no sound sink at all
}

TEST(PieceAnimation, ReviewModeEndsItOnTheNextTickAndFreezesTheCursor) {
    ViewRig rig(8);
    rig.Play(4, 2);
    rig.animator.StartPieceAnimation();
    rig.animator.Tick();
    rig.animator.SetReviewing(true);
    rig.presenter.blits.clear();
    rig.animator.Tick();
    EXPECT_FALSE(rig.animator.PieceAnimOn());
    EXPECT_TRUE(rig.animator.CursorAnimOn());
    EXPECT_TRUE(rig.presenter.blits.empty());
    rig.animator.Tick();
    EXPECT_TRUE(rig.presenter.blits.empty());
    rig.animator.SetReviewing(false);
    rig.animator.Tick();
    EXPECT_FALSE(rig.presenter.blits.empty());
}

TEST(Marks, LastFortyTicksAndEndWithTheSquaresAtRest) {
    ViewRig rig(8);
    rig.Play(4, 2);  // White turns (4, 3); Black is to move now
    const Board before = rig.animator.PrevBoard();
    ASSERT_TRUE(rig.animator.StartMarks(true));
    EXPECT_FALSE(rig.animator.CursorAnimOn());

    // Squares that changed are last-move marks; Black's replies are possible-move marks.
    int possible = -1;
    int changed = -1;
    for (int col = 0; col < 8; ++col) {
        for (int row = 0; row < 8; ++row) {
            const int sq = rig.Square(col, row);
            const int kind = rig.animator.MarkKindAt(sq);
            EXPECT_EQ(kind == BoardAnimator::MarkChanged, rig.position.board[sq] != before[sq]);
            EXPECT_EQ(kind == BoardAnimator::MarkPossible,
                      IsLegal(rig.position.board, 8, sq, Black, White));
            if (kind == BoardAnimator::MarkPossible) {
                possible = col * 8 + row;
            } else if (kind == BoardAnimator::MarkChanged && before[sq] != Empty) {
                changed = col * 8 + row;  // a turned disc: its old picture differs
            }
        }
    }
    ASSERT_GE(possible, 0);
    ASSERT_GE(changed, 0);
    const int pc = possible / 8, pr = possible % 8;
    const int cc = changed / 8, cr = changed % 8;
    const bool changedEven = (cc + cr) % 2 == 0;
    const int oldRow = (before[rig.Square(cc, cr)] == White ? 6 : 4) + (changedEven ? 0 : 1);

    for (int step = 0; step < 40; ++step) {
        ASSERT_TRUE(rig.animator.MarkAnimOn()) << step;
        rig.presenter.blits.clear();
        rig.animator.Tick();
        const auto* help = rig.presenter.LastBlitOf(pc, pr);
        if (step < 39) {
            ASSERT_NE(help, nullptr);
            EXPECT_EQ(help->At(30, 30, 61), HelpColour((pc + pr) % 2, step)) << step;
        }
        const auto* last = rig.presenter.LastBlitOf(cc, cr);
        ASSERT_NE(last, nullptr);
        if (step == 0) {
            // Alpha 255 keeps the present; the outline starts on rows and columns 1 and c - 1.
            EXPECT_EQ(last->At(1, 1, 61), PixelOf(239, 195, 88));
            EXPECT_EQ(last->At(60, 60, 61), PixelOf(239, 195, 88));
        }
        if (step >= 17 && step <= 22) {
            // Alpha 0: the picture before the move exactly, away from the outline.
            EXPECT_EQ(last->At(30, 5, 61), FigsColour(oldRow, 14, 5)) << step;
        }
    }
    EXPECT_FALSE(rig.animator.MarkAnimOn());
    EXPECT_TRUE(rig.animator.CursorAnimOn());
    // The marked squares were redrawn at rest.
    const auto shown = BackCopy(rig.holder);
    rig.renderer.DrawBoard(rig.position.board);
    EXPECT_EQ(shown, BackCopy(rig.holder));
    const auto* rest = rig.presenter.LastBlitOf(pc, pr);
    ASSERT_NE(rest, nullptr);
    EXPECT_EQ(rest->At(30, 30, 61), rig.SquarePixel(pc, pr, 30, 30));
}

TEST(Marks, WithBothHelpsOffTheStepsStillRunShowingOnlyTheCursor) {
    ViewRig rig(8);
    rig.animator.Options().showPossibleMoves = false;
    rig.animator.Options().showPreviousMove = false;
    rig.Play(4, 2);
    ASSERT_TRUE(rig.animator.StartMarks(true));
    for (int step = 0; step < 39; ++step) {
        rig.presenter.blits.clear();
        rig.animator.Tick();
        ASSERT_EQ(rig.presenter.blits.size(), 1u) << step;
        EXPECT_TRUE(
            rig.renderer.IsCursorSquare(rig.presenter.blits[0].col, rig.presenter.blits[0].row));
        EXPECT_FALSE(rig.animator.StartMarks(true)) << "right clicks are blocked meanwhile";
    }
    // A move meanwhile ends the marks through the snapshot.
    rig.Play(3, 2);
    EXPECT_FALSE(rig.animator.MarkAnimOn());
    EXPECT_TRUE(rig.animator.CursorAnimOn());
    EXPECT_FALSE(rig.animator.NoLastMove());
}

TEST(Marks, StartOnlyWhenThereIsSomethingToShowAndThePlayerMayAct) {
    ViewRig rig(8);
    // A new game: no last move, so only possible moves are marked.
    ASSERT_TRUE(rig.animator.NoLastMove());
    ASSERT_TRUE(rig.animator.StartMarks(true));
    for (int sq = 0; sq < kBoardCells; ++sq) {
        EXPECT_NE(rig.animator.MarkKindAt(sq), BoardAnimator::MarkChanged);
    }
    rig.animator.EndMarks();

    EXPECT_FALSE(rig.animator.StartMarks(false));
    rig.animator.SetReviewing(true);
    EXPECT_FALSE(rig.animator.StartMarks(true));
    rig.animator.SetReviewing(false);
    rig.Play(4, 2);
    rig.animator.StartPieceAnimation();
    EXPECT_FALSE(rig.animator.StartMarks(true));
    rig.animator.EndPieces();

    // Nobody can move and nothing changed: nothing starts.
    Board& b = rig.position.board;
    for (int col = 0; col < 8; ++col) {
        for (int row = 0; row < 8; ++row) {
            b[rig.Square(col, row)] = White;
        }
    }
    rig.animator.SetNoLastMove(true);
    EXPECT_FALSE(rig.animator.StartMarks(true));
    EXPECT_FALSE(rig.animator.MarkAnimOn());
    EXPECT_TRUE(rig.animator.CursorAnimOn());
}

TEST(Marks, ReviewModeEndsThemWithTheSquaresRedrawn) {
    ViewRig rig(8);
    rig.Play(4, 2);
    ASSERT_TRUE(rig.animator.StartMarks(true));
    rig.animator.Tick();
    rig.animator.Tick();
    rig.animator.SetReviewing(true);
    rig.presenter.blits.clear();
    rig.animator.Tick();
    EXPECT_FALSE(rig.animator.MarkAnimOn());
    EXPECT_TRUE(rig.animator.CursorAnimOn());
    EXPECT_EQ(rig.presenter.LastBlitOf(4, 2) != nullptr, true);
    const auto shown = BackCopy(rig.holder);
    rig.renderer.DrawBoard(rig.position.board);
    EXPECT_EQ(shown, BackCopy(rig.holder));
}

TEST(FadeTable, RisesHoldsAndFallsBack) {
    EXPECT_EQ(FadeTable.front(), 0);
    EXPECT_EQ(FadeTable.back(), 0);
    for (int s = 17; s <= 22; ++s) {
        EXPECT_EQ(FadeTable[s], 255);
    }
    for (int s = 1; s <= 17; ++s) {
        EXPECT_GT(FadeTable[s], FadeTable[s - 1]);
        EXPECT_EQ(FadeTable[s], FadeTable[39 - s]) << "symmetric except the hold";
    }
    EXPECT_EQ(HelpStepTable[0][0], 1);
    EXPECT_EQ(HelpStepTable[3][39], 40);
}

}  // namespace
}  // namespace velmora
