#include <gtest/gtest.h>

#include <ostream>

#include "view_rig.h"

namespace velmora {
namespace {

using testing::BackPixel;
using testing::FigsColour;
using testing::LinehColour;
using testing::LinevColour;
using testing::ViewRig;

// Back-buffer picture rows 0..19 show the top strip, the bottom 20 rows the bottom strip,
// columns 0..19 and side-20..side-1 between them the side strips.
struct StripCase {
    int size;
    int side;
    int linehTop;     // Lineh picture row of the top strip's first row
    int linehBottom;  // ... of the bottom strip
    int linevLeft;    // Linev picture column of the left strip
    int linevRight;
};

void PrintTo(const StripCase& t, std::ostream* os) {
    *os << t.size << "x" << t.size;
}

class BorderStrips : public ::testing::TestWithParam<StripCase> {};

TEST_P(BorderStrips, LandWhereTheLayoutPutsThem) {
    const StripCase t = GetParam();
    ViewRig rig(t.size);
    GraphicsHolder& h = rig.holder;
    ASSERT_EQ(h.BackWidth(), t.side);
    ASSERT_EQ(h.BackHeight(), t.side);
    for (int px = 0; px < t.side; px += 7) {
        for (int r = 0; r < 20; ++r) {
            ASSERT_EQ(BackPixel(h, px, r), LinehColour(px, t.linehTop + r)) << px << "," << r;
            ASSERT_EQ(BackPixel(h, px, t.side - 20 + r), LinehColour(px, t.linehBottom + r))
                << px << "," << r;
        }
    }
    // The corners belong to the horizontal strips, the sides run between them.
    for (int py = 20; py < t.side - 20; py += 3) {
        for (int c = 0; c < 20; ++c) {
            ASSERT_EQ(BackPixel(h, c, py), LinevColour(t.linevLeft + c, py - 20)) << c << "," << py;
            ASSERT_EQ(BackPixel(h, t.side - 20 + c, py), LinevColour(t.linevRight + c, py - 20))
                << c << "," << py;
        }
    }
    EXPECT_EQ(BackPixel(h, t.side - 1, t.side - 1), LinehColour(t.side - 1, t.linehBottom + 19));
}

INSTANTIATE_TEST_SUITE_P(BothSizes, BorderStrips,
                         ::testing::Values(StripCase{8, 528, 0, 20, 0, 20},
                                           StripCase{10, 530, 40, 60, 40, 60}));

TEST(DrawBoard, EachSquareShowsItsCellPictureUnflipped) {
    ViewRig rig(8);
    Board& board = rig.position.board;
    board[rig.Square(0, 0)] = White;  // even
    board[rig.Square(7, 0)] = Black;  // odd
    board[rig.Square(1, 0)] = White;  // odd
    rig.renderer.DrawBoard(board);
    for (int col = 0; col < 8; ++col) {
        for (int row = 0; row < 8; ++row) {
            const int v = board[rig.Square(col, row)];
            const bool even = (col + row) % 2 == 0;
            const int k = (v == White ? 6 : 4) + (even ? 0 : 1);
            const int f = v == Empty ? 0 : 14;
            for (int y : {0, 1, 30, 59, 60}) {
                for (int x : {0, 33, 60}) {
                    ASSERT_EQ(rig.SquarePixel(col, row, x, y), FigsColour(k, f, y))
                        << col << "," << row << " at " << x << "," << y;
                }
            }
        }
    }
    // The first square starts at picture (20, 20); the last ends at 507.
    EXPECT_EQ(BackPixel(rig.holder, 20, 20), FigsColour(6, 14, 0));
    EXPECT_EQ(BackPixel(rig.holder, 507, 507), FigsColour(4, 0, 60));
}

TEST(DrawBoard, TenByTenSquaresUseTheReducedSheet) {
    ViewRig rig(10, 0, false);
    EXPECT_EQ(rig.holder.FigsWidth(), 735);
    EXPECT_EQ(rig.holder.FigsHeight(), 392);
    const Board& board = rig.position.board;
    for (int col = 0; col < 10; ++col) {
        for (int row = 0; row < 10; ++row) {
            const int v = board[rig.Square(col, row)];
            const bool even = (col + row) % 2 == 0;
            const int k = (v == White ? 6 : 4) + (even ? 0 : 1);
            const int f = v == Empty ? 0 : 14;
            ASSERT_EQ(rig.SquarePixel(col, row, 24, 24), FigsColour(k, f)) << col << "," << row;
            ASSERT_EQ(rig.SquarePixel(col, row, 3, 45), FigsColour(k, f)) << col << "," << row;
        }
    }
    // Square (9, 9) ends at picture 509; the bottom strip begins at 510.
    EXPECT_EQ(BackPixel(rig.holder, 506, 506), FigsColour(4, 0));
    EXPECT_EQ(BackPixel(rig.holder, 508, 510), LinehColour(508, 60));
}

struct PointCase {
    int size;
    int x;
    int y;
    int startCol;
    int startRow;
    int col;
    int row;
};

void PrintTo(const PointCase& t, std::ostream* os) {
    *os << t.size << "x" << t.size << " (" << t.x << "," << t.y << ")";
}

class SquareFromPointCases : public ::testing::TestWithParam<PointCase> {};

TEST_P(SquareFromPointCases, MapsMousePositionsToTheCursorSquare) {
    const PointCase t = GetParam();
    GraphicsHolder holder("DATA", [](const std::string&) { return std::nullopt; });
    BoardRenderer renderer(holder);
    renderer.SetBoardSize(t.size);
    renderer.SquareFromPoint(20 + renderer.Geometry().cell * t.startCol + 1,
                             20 + renderer.Geometry().cell * t.startRow + 1);
    const bool changed = renderer.SquareFromPoint(t.x, t.y);
    EXPECT_EQ(renderer.CursorCol(), t.col);
    EXPECT_EQ(renderer.CursorRow(), t.row);
    EXPECT_EQ(changed, t.col != t.startCol || t.row != t.startRow);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SquareFromPointCases,
    ::testing::Values(PointCase{8, 80, 80, 3, 3, 0, 0}, PointCase{8, 81, 81, 3, 3, 1, 1},
                      PointCase{10, 68, 68, 3, 3, 0, 0}, PointCase{10, 69, 69, 3, 3, 1, 1},
                      PointCase{8, 5, 300, 3, 3, 0, 4},    // truncating division
                      PointCase{8, 300, 520, 3, 6, 4, 6},  // over the bottom strip: row kept
                      PointCase{8, -50, 540, 2, 5, 2, 5},  // both off the board
                      PointCase{10, 509, 19, 1, 2, 9, 0},  // last pixel column of square 9
                      PointCase{10, 530, 30, 1, 2, 1,
                                0}));  // the last: right strip keeps the column

TEST(BoardGeometry, MatchesTheLayoutOfBothSizes) {
    const BoardGeometry g8 = GeometryFor(8);
    const BoardGeometry g10 = GeometryFor(10);
    EXPECT_EQ(g8.BackSide(), 528);
    EXPECT_EQ(g10.BackSide(), 530);
    EXPECT_EQ(g8.BoardAreaSide(), 532);
    EXPECT_EQ(g10.BoardAreaSide(), 534);
    EXPECT_EQ(g8.halfCell, 30);
    EXPECT_EQ(g10.halfCell, 25);
    EXPECT_EQ(g8.SquareBlockRow(0), 447);
    EXPECT_EQ(g10.SquareBlockRow(9), 20);
    EXPECT_EQ(g10.HintPointX(1), 20 + 49 + 25);
    EXPECT_EQ(g10.KeyPointX(1), 20 + 49 + 24);
    EXPECT_EQ(g8.ClientX(2), 22 + 122);
}

TEST(BoardRenderer, SizeChangePutsTheCursorBackOnTheFirstSquare) {
    GraphicsHolder holder("DATA", [](const std::string&) { return std::nullopt; });
    BoardRenderer renderer(holder);
    renderer.SetBoardSize(10);
    renderer.SquareFromPoint(500, 500);
    renderer.PresentSquare(9, 9, true);  // no presenter, no back buffer: nothing to crash on
    EXPECT_EQ(renderer.ShownCursorCol(), 9);
    renderer.SetBoardSize(10);
    EXPECT_EQ(renderer.CursorCol(), 9);
    renderer.SetBoardSize(8);
    EXPECT_EQ(renderer.CursorCol(), 0);
    EXPECT_EQ(renderer.CursorRow(), 0);
    EXPECT_EQ(renderer.ShownCursorCol(), 0);
    EXPECT_EQ(renderer.ShownCursorRow(), 0);
}

}  // namespace
}  // namespace velmora
