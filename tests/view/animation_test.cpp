#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "view_rig.h"

namespace velmora {
namespace {

using testing::FigsColour;
using testing::HelpColour;
using testing::ViewRig;

// A square of the piece animation, the sheet rows of its frames 0..13 and of its last one.
struct Animated {
    int col, row, turningRow, restRow;
};

// Ticks a started piece animation through its 15 frames and checks every animated square.
void ExpectFlipFrames(ViewRig& rig, const std::vector<Animated>& squares, bool gradient) {
    for (int tick = 0; tick < 15; ++tick) {
        ASSERT_TRUE(rig.animator.PieceAnimOn()) << tick;
        rig.presenter.blits.clear();
        rig.animator.Tick();
        for (const Animated& a : squares) {
            const auto* blit = rig.presenter.LastBlitOf(a.col, a.row);
            ASSERT_NE(blit, nullptr) << tick;
            const int k = tick < 14 ? a.turningRow : a.restRow;
            EXPECT_EQ(blit->At(30, 7), FigsColour(k, tick, gradient ? 7 : -1))
                << a.col << "," << a.row << " tick " << tick;
        }
        // Besides them only the cursor on (0, 0), twice on the last frame as its animation resumes.
        ASSERT_NE(rig.presenter.LastBlitOf(0, 0), nullptr) << tick;
        EXPECT_EQ(rig.presenter.blits.size(), squares.size() + (tick < 14 ? 1 : 2)) << tick;
    }
    EXPECT_FALSE(rig.animator.PieceAnimOn());
    EXPECT_TRUE(rig.animator.CursorAnimOn());
}

TEST(PieceAnimation, AWhiteMoveRunsFifteenFramesOverTheRightSheetRows) {
    ViewRig rig(8);
    int ended = 0;
    rig.animator.SetPiecesEndedHandler([&] { ++ended; });
    rig.Play(4, 2);  // turns (4, 3)
    rig.animator.StartPieceAnimation();
    EXPECT_FALSE(rig.animator.CursorAnimOn());
    // White placed on an even square, turned on an odd one.
    ExpectFlipFrames(rig, {{4, 2, 6, 6}, {4, 3, 3, 7}}, true);
    EXPECT_EQ(ended, 1);
    rig.ExpectAtRest();
    rig.presenter.blits.clear();
    rig.animator.Tick();
    EXPECT_EQ(rig.presenter.LastBlitOf(4, 2), nullptr);
    EXPECT_EQ(ended, 1);
}

TEST(PieceAnimation, ABlackMoveOnTenByTenTurnsAndPlacesBlackAfterTheMoveSound) {
    ViewRig rig(10, 0, false);
    std::vector<int> effects;
    auto play = [&](int e) { effects.push_back(e); };
    rig.position.sideToMove = Black;
    rig.Play(4, 3);  // turns (4, 4)
    rig.animator.ShowPlayedMove(play);
    EXPECT_EQ(effects, std::vector<int>{5});
    EXPECT_EQ(rig.presenter.arrows, 1);
    // Black placed on an odd square, turned on an even one.
    ExpectFlipFrames(rig, {{4, 3, 5, 5}, {4, 4, 0, 4}}, false);

    // Animation off: the plain move sound and nothing changes on the board.
    rig.animator.Options().animationOn = false;
    rig.Play(3, 3);
    rig.animator.ShowPlayedMove(play);
    EXPECT_EQ(effects, std::vector<int>({5, 7}));
    EXPECT_FALSE(rig.animator.PieceAnimOn());
    EXPECT_EQ(rig.presenter.arrows, 1);
    rig.animator.ShowPlayedMove({});  // no sound sink at all
}

TEST(Animations, ReviewModeEndsPiecesAndMarksOnTheNextTickAndFreezesTheCursor) {
    for (const bool marks : {false, true}) {
        SCOPED_TRACE(marks ? "marks" : "pieces");
        ViewRig rig(8);
        rig.Play(4, 2);
        if (marks) {
            ASSERT_TRUE(rig.animator.StartMarks(true));
        } else {
            rig.animator.StartPieceAnimation();
        }
        rig.animator.Tick();
        rig.animator.Tick();
        rig.animator.SetReviewing(true);
        rig.presenter.blits.clear();
        rig.animator.Tick();
        EXPECT_FALSE(rig.animator.PieceAnimOn() || rig.animator.MarkAnimOn());
        EXPECT_TRUE(rig.animator.CursorAnimOn());
        // Ended marks redraw their squares at rest; a piece animation leaves them mid-turn.
        EXPECT_EQ(rig.presenter.LastBlitOf(4, 2) != nullptr, marks);
        if (marks) {
            rig.ExpectAtRest();
        }
        rig.presenter.blits.clear();
        rig.animator.Tick();
        EXPECT_TRUE(rig.presenter.blits.empty());
        rig.animator.SetReviewing(false);
        rig.animator.Tick();
        EXPECT_FALSE(rig.presenter.blits.empty());
    }
}

// The last-move mark's fade level by step.
constexpr std::array<int, 40> kFade = {0,   8,   16,  32,  48,  64,  80,  96,  112, 128,
                                       144, 160, 176, 192, 208, 224, 240, 255, 255, 255,
                                       255, 255, 255, 240, 224, 208, 192, 176, 160, 144,
                                       128, 112, 96,  80,  64,  48,  32,  16,  8,   0};

TEST(Marks, LastFortyTicksFadingToThePositionBeforeAndBack) {
    ViewRig rig(8);
    rig.Play(4, 2);  // White places (4, 2) and turns (4, 3); Black is to move now
    const Board before = rig.animator.PrevBoard();
    ASSERT_TRUE(rig.animator.StartMarks(true));
    EXPECT_FALSE(rig.animator.CursorAnimOn());

    // Squares that changed are last-move marks; Black's replies are possible-move marks.
    int pc = -1, pr = -1;
    rig.ForEachSquare([&](int col, int row, int sq) {
        const int kind = rig.animator.MarkKindAt(sq);
        EXPECT_EQ(kind == BoardAnimator::MarkChanged, rig.position.board[sq] != before[sq]);
        EXPECT_EQ(kind == BoardAnimator::MarkPossible,
                  IsLegal(rig.position.board, 8, sq, Black, White));
        if (kind == BoardAnimator::MarkPossible) {
            pc = col, pr = row;
        }
    });
    ASSERT_GE(pc, 0);

    for (int step = 0; step < 40; ++step) {
        SCOPED_TRACE(step);
        ASSERT_TRUE(rig.animator.MarkAnimOn());
        rig.presenter.blits.clear();
        rig.animator.Tick();
        if (step < 39) {
            const auto* help = rig.presenter.LastBlitOf(pc, pr);
            ASSERT_NE(help, nullptr);
            EXPECT_EQ(help->At(30, 30), HelpColour((pc + pr) % 2, step));
        }
        // Column 0 lies outside the outline: the placed White disc (frame 14) over the empty
        // square (frame 0) with alpha 255 - fade, so green is 238 * (255 - fade) >> 8, until
        // the last step leaves it at rest.
        const auto* placed = rig.presenter.LastBlitOf(4, 2);
        const auto* turned = rig.presenter.LastBlitOf(4, 3);
        ASSERT_TRUE(placed != nullptr && turned != nullptr);
        EXPECT_EQ(GreenOf(placed->At(0, 5)), step < 39 ? 238 * (255 - kFade[step]) >> 8 : 238);
        if (step == 0) {
            // The outline starts almost solid on rows and columns 1 and c - 1.
            for (const auto& [x, y] : {std::pair{1, 1}, {60, 60}, {60, 1}}) {
                EXPECT_EQ(turned->At(x, y), PixelOf(239, 195, 88));
            }
        }
        if (step >= 17 && step <= 22) {
            // Alpha 0: the picture before the move exactly, a Black disc on an odd square.
            EXPECT_EQ(turned->At(30, 5), FigsColour(5, 14, 5));
            EXPECT_EQ(placed->At(0, 5), FigsColour(4, 0, 5));
        }
    }
    EXPECT_FALSE(rig.animator.MarkAnimOn());
    EXPECT_TRUE(rig.animator.CursorAnimOn());
    rig.ExpectAtRest();
    const auto* rest = rig.presenter.LastBlitOf(pc, pr);
    ASSERT_NE(rest, nullptr);
    EXPECT_EQ(rest->At(30, 30), rig.SquarePixel(pc, pr, 30, 30));
}

TEST(Marks, StartOnlyWhenThereIsSomethingToShowAndThePlayerMayAct) {
    ViewRig rig(8);
    // A new game: no last move, so only possible moves are marked.
    ASSERT_TRUE(rig.animator.NoLastMove());
    ASSERT_TRUE(rig.animator.StartMarks(true));
    rig.ForEachSquare([&](int, int, int sq) {
        EXPECT_NE(rig.animator.MarkKindAt(sq), BoardAnimator::MarkChanged);
    });
    rig.animator.EndMarks();

    EXPECT_FALSE(rig.animator.StartMarks(false));
    rig.animator.SetReviewing(true);
    EXPECT_FALSE(rig.animator.StartMarks(true));
    rig.animator.SetReviewing(false);
    rig.Play(4, 2);
    EXPECT_FALSE(rig.animator.NoLastMove());
    rig.animator.StartPieceAnimation();
    EXPECT_FALSE(rig.animator.StartMarks(true));
    rig.animator.EndPieces();

    // With both helps off the steps still run, showing only the cursor.
    rig.animator.Options().showPossibleMoves = false;
    rig.animator.Options().showPreviousMove = false;
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

    // Nobody can move and nothing changed: nothing starts.
    rig.ForEachSquare([&](int, int, int sq) { rig.position.board[sq] = White; });
    rig.animator.SetNoLastMove(true);
    EXPECT_FALSE(rig.animator.StartMarks(true));
    EXPECT_FALSE(rig.animator.MarkAnimOn());
    EXPECT_TRUE(rig.animator.CursorAnimOn());
}

}  // namespace
}  // namespace velmora
