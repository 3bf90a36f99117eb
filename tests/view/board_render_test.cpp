#include <gtest/gtest.h>

#include "view_rig.h"

namespace velmora {
namespace {

using testing::BackPixel;
using testing::FigsColour;
using testing::LinehColour;
using testing::LinevColour;
using testing::ViewRig;

TEST(DrawBoard, StripsAndSquaresLandWhereTheLayoutPutsThem) {
    // Picture rows 0..19 show the top strip, the last 20 the bottom one; columns 0..19 and the
    // last 20 between them the side strips; the rows and columns of the sheets they start at.
    // On 10 x 10 the squares come from the reduced sheet, whose flat cells stay exact inside.
    struct {
        int size, side, linehTop, linehBottom, linevLeft, linevRight;
        std::vector<int> at;  // sample positions inside each square
        std::uint32_t firstPixel;
        int lastAt;  // a pixel of the last square, near its far corner
        std::uint32_t lastPixel;
    } const cases[] = {
        {8, 528, 0, 20, 0, 20, {0, 1, 30, 59, 60}, FigsColour(6, 14, 0), 507, FigsColour(4, 0, 60)},
        {10, 530, 40, 60, 40, 60, {3, 24, 45}, FigsColour(6, 14), 506, FigsColour(4, 0)}};
    for (const auto& t : cases) {
        SCOPED_TRACE(t.size);
        const bool gradient = t.size == 8;
        ViewRig rig(t.size, 0, gradient);
        GraphicsHolder& h = rig.holder;
        ASSERT_EQ(h.BackWidth(), t.side);
        ASSERT_EQ(h.BackHeight(), t.side);
        for (int px = 0; px < t.side; ++px) {
            for (int r = 0; r < 20; ++r) {
                ASSERT_EQ(BackPixel(h, px, r), LinehColour(px, t.linehTop + r)) << px << "," << r;
                ASSERT_EQ(BackPixel(h, px, t.side - 20 + r), LinehColour(px, t.linehBottom + r))
                    << px << "," << r;
            }
        }
        // The corners belong to the horizontal strips.
        for (int py = 20; py < t.side - 20; ++py) {
            for (int c = 0; c < 20; ++c) {
                ASSERT_EQ(BackPixel(h, c, py), LinevColour(t.linevLeft + c, py - 20)) << py;
                ASSERT_EQ(BackPixel(h, t.side - 20 + c, py), LinevColour(t.linevRight + c, py - 20))
                    << c << "," << py;
            }
        }

        Board& board = rig.position.board;
        board[rig.Square(0, 0)] = White;  // even
        board[rig.Square(7, 0)] = Black;  // odd
        board[rig.Square(1, 0)] = White;  // odd
        rig.renderer.DrawBoard(board);
        rig.ForEachSquare([&](int col, int row, int sq) {
            const int v = board[sq];
            const int k = (v == White ? 6 : 4) + (col + row) % 2;
            const int f = v == Empty ? 0 : 14;
            for (int y : t.at) {
                for (int x : t.at) {
                    ASSERT_EQ(rig.SquarePixel(col, row, x, y), FigsColour(k, f, gradient ? y : -1))
                        << col << "," << row << " at " << x << "," << y;
                }
            }
        });
        // The first square starts at (20, 20); the last ends at 507 on 8 x 8, 509 on 10 x 10.
        EXPECT_EQ(BackPixel(h, 20 + t.at.front(), 20 + t.at.front()), t.firstPixel);
        EXPECT_EQ(BackPixel(h, t.lastAt, t.lastAt), t.lastPixel);
    }
}

TEST(SquareFromPoint, MapsMousePositionsToTheCursorSquare) {
    struct {
        int size, x, y, startCol, startRow, col, row;
    } const cases[] = {
        {8, 80, 80, 3, 3, 0, 0},   {8, 81, 81, 3, 3, 1, 1}, {10, 68, 68, 3, 3, 0, 0},
        {10, 69, 69, 3, 3, 1, 1},  {8, 5, 300, 3, 3, 0, 4},  // truncating division
        {8, 300, 520, 3, 6, 4, 6},                           // over the bottom strip: row kept
        {8, -50, 540, 2, 5, 2, 5},                           // both off the board
        {10, 509, 19, 1, 2, 9, 0},                           // last pixel column of square 9
        {10, 530, 30, 1, 2, 1, 0},                           // the right strip keeps the column
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(::testing::Message() << t.size << ": " << t.x << "," << t.y);
        GraphicsHolder holder("DATA", [](const std::string&) { return std::nullopt; });
        BoardRenderer renderer(holder);
        renderer.SetBoardSize(t.size);
        const int c = renderer.Geometry().cell;
        renderer.SquareFromPoint(20 + c * t.startCol + 1, 20 + c * t.startRow + 1);
        const bool changed = renderer.SquareFromPoint(t.x, t.y);
        EXPECT_EQ(renderer.CursorCol(), t.col);
        EXPECT_EQ(renderer.CursorRow(), t.row);
        EXPECT_EQ(changed, t.col != t.startCol || t.row != t.startRow);
    }
    // The hint aims at the half cell (25 on 10 x 10), the arrow keys at c div 2.
    EXPECT_EQ(GeometryFor(10).HintPointX(1), 94);
    EXPECT_EQ(GeometryFor(10).KeyPointY(1), 93);

    // A size change puts the cursor back on the first square.
    GraphicsHolder holder("DATA", [](const std::string&) { return std::nullopt; });
    BoardRenderer renderer(holder);
    renderer.SetBoardSize(10);
    renderer.SquareFromPoint(500, 500);
    renderer.PresentSquare(9, 9, true);  // no presenter, no back buffer: nothing to crash on
    EXPECT_EQ(renderer.ShownCursorCol(), 9);
    renderer.SetBoardSize(10);
    EXPECT_EQ(renderer.CursorCol(), 9);
    renderer.SetBoardSize(8);
    EXPECT_EQ(renderer.CursorCol() + renderer.CursorRow(), 0);
    EXPECT_EQ(renderer.ShownCursorCol() + renderer.ShownCursorRow(), 0);
}

}  // namespace
}  // namespace velmora
