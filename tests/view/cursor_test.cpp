#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <utility>

#include "view/cursor_style.h"
#include "view/fire_field.h"
#include "view_rig.h"

namespace velmora {
namespace {

using testing::BackCopy;
using testing::ViewRig;

// Alpha 1 over anything: colour * 255 >> 8 per channel.
std::uint32_t NearlySolid(std::uint32_t colour) {
    return PixelOf(RedOf(colour) * 255 >> 8, GreenOf(colour) * 255 >> 8, BlueOf(colour) * 255 >> 8);
}

void PointAt(ViewRig& rig, int col, int row) {
    const BoardGeometry& g = rig.renderer.Geometry();
    rig.renderer.SquareFromPoint(g.KeyPointX(col), g.KeyPointY(row));
    ASSERT_EQ(rig.renderer.CursorCol(), col);
    ASSERT_EQ(rig.renderer.CursorRow(), row);
}

struct FrameCase {
    int col;
    int row;
    std::uint32_t outer;
    std::uint32_t inner;
};

TEST(Cursor, ClassicFramesSwapColoursBetweenEvenAndOddSquares) {
    for (const FrameCase t :
         {FrameCase{2, 2, 0xF0C459, 0xD09449}, FrameCase{2, 3, 0xD09449, 0xF0C459}}) {
        ViewRig rig(8, 0);
        const auto before = BackCopy(rig.holder);
        PointAt(rig, t.col, t.row);
        rig.renderer.PresentSquare(t.col, t.row, true);
        const auto* blit = rig.presenter.LastBlitOf(t.col, t.row);
        ASSERT_NE(blit, nullptr);
        const int c = rig.Cell();
        auto at = [&](int x, int y) { return blit->At(x, y, c); };
        for (int i = 1; i <= c - 1; i += 6) {
            EXPECT_EQ(at(i, 1), NearlySolid(t.outer)) << i;
            EXPECT_EQ(at(i, c - 1), NearlySolid(t.outer)) << i;
            EXPECT_EQ(at(1, i), NearlySolid(t.outer)) << i;
            EXPECT_EQ(at(c - 1, i), NearlySolid(t.outer)) << i;
        }
        for (int i = 2; i <= c - 2; i += 6) {
            EXPECT_EQ(at(i, 2), NearlySolid(t.inner)) << i;
            EXPECT_EQ(at(i, c - 2), NearlySolid(t.inner)) << i;
            EXPECT_EQ(at(2, i), NearlySolid(t.inner)) << i;
            EXPECT_EQ(at(c - 2, i), NearlySolid(t.inner)) << i;
        }
        // Row and column 0 and the middle keep the square's picture.
        EXPECT_EQ(at(0, 0), rig.SquarePixel(t.col, t.row, 0, 0));
        EXPECT_EQ(at(30, 0), rig.SquarePixel(t.col, t.row, 30, 0));
        EXPECT_EQ(at(3, 30), rig.SquarePixel(t.col, t.row, 3, 30));
        EXPECT_EQ(at(30, 30), rig.SquarePixel(t.col, t.row, 30, 30));
        // The back buffer never keeps the cursor.
        EXPECT_EQ(BackCopy(rig.holder), before);
    }
}

TEST(Cursor, FieryStyleDrawsOneFrameAndTheFlamesOnly) {
    ViewRig rig(10, 1);
    rig.holder.FireBuffer().Clear();
    PointAt(rig, 4, 4);
    rig.renderer.PresentSquare(4, 4, true);
    const auto* blit = rig.presenter.LastBlitOf(4, 4);
    ASSERT_NE(blit, nullptr);
    const int c = rig.Cell();
    EXPECT_EQ(blit->At(10, 1, c), NearlySolid(0xF0C459));
    EXPECT_EQ(blit->At(c - 1, 20, c), NearlySolid(0xF0C459));
    // A cold field adds nothing, so there is no inner frame.
    EXPECT_EQ(blit->At(10, 2, c), rig.SquarePixel(4, 4, 10, 2));
    EXPECT_EQ(blit->At(2, 20, c), rig.SquarePixel(4, 4, 2, 20));
}

// One hot entry of the flame field lights the pixels of each band that read it; the positions
// are square-relative (x, y) worked out from the band formulas.
struct FlameCase {
    int size;
    int col;
    int row;
    int fireRow;
    int fireCol;
    std::map<std::pair<int, int>, int> lit;  // position -> how many bands light it
};

void PrintTo(const FlameCase& t, std::ostream* os) {
    *os << t.size << "x" << t.size << " square " << t.col << "," << t.row << " entry " << t.fireRow
        << "," << t.fireCol;
}

class FlameBands : public ::testing::TestWithParam<FlameCase> {};

TEST_P(FlameBands, HotEntryLightsTheMappedPixels) {
    const FlameCase t = GetParam();
    ViewRig rig(t.size, 1);
    const int c = rig.Cell();
    FireField& fire = rig.holder.FireBuffer();
    fire.Clear();
    fire.Cells()[t.fireRow * FireField::kColumns + t.fireCol] = 200;
    PointAt(rig, t.col, t.row);
    rig.renderer.PresentSquare(t.col, t.row, true);
    const auto* blit = rig.presenter.LastBlitOf(t.col, t.row);
    ASSERT_NE(blit, nullptr);

    // Palette entry 200 less 200 / 4 per channel, added to the picture and clamped.
    const bool even = (t.col + t.row) % 2 == 0;
    const std::uint32_t add = even ? PixelOf(110, 53, 0) : PixelOf(150, 120, 16);
    std::map<std::pair<int, int>, int> lit;
    for (int y = 2; y <= c - 2; ++y) {
        for (int x = 2; x <= c - 2; ++x) {
            const std::uint32_t was = rig.SquarePixel(t.col, t.row, x, y);
            const std::uint32_t now = blit->At(x, y, c);
            if (now == was) {
                continue;
            }
            const auto expected = t.lit.find({x, y});
            const int times = expected == t.lit.end() ? 1 : expected->second;
            lit[{x, y}] = times;
            EXPECT_EQ(now, PixelOf(std::min(255, RedOf(was) + times * RedOf(add)),
                                   std::min(255, GreenOf(was) + times * GreenOf(add)),
                                   std::min(255, BlueOf(was) + times * BlueOf(add))))
                << x << "," << y;
        }
    }
    EXPECT_EQ(lit, t.lit);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FlameBands,
    ::testing::Values(
        // Row 24 feeds the edges: top band at y 2, bottom at y c-2, sides at x 2 and c-2.
        FlameCase{8, 2, 2, 24, 10, {{{12, 2}, 1}, {{50, 59}, 1}, {{2, 11}, 1}, {{59, 11}, 1}}},
        FlameCase{8, 2, 3, 24, 40, {{{42, 2}, 1}, {{20, 59}, 1}, {{2, 41}, 1}, {{59, 41}, 1}}},
        FlameCase{10, 4, 4, 24, 40, {{{42, 2}, 1}, {{20, 47}, 1}, {{2, 29}, 1}, {{47, 29}, 1}}},
        FlameCase{10, 4, 5, 24, 10, {{{12, 2}, 1}}},  // beyond the short 10 x 10 side bands
        // Entry 0 reaches the top band only; entry 1450 (row 25, column 0) only the others,
        // the bottom and left bands meeting in one corner pixel.
        FlameCase{8, 2, 2, 0, 0, {{{2, 26}, 1}}},
        FlameCase{8, 2, 2, 25, 0, {{{2, 59}, 2}, {{59, 59}, 1}}}));

TEST(CursorStyle, FlamePalettesFollowTheirFormulasAndSurviveStyleZero) {
    CursorStyle style;
    SetCursorStyle(style, 1);
    EXPECT_TRUE(style.flameCursor);
    EXPECT_EQ(style.flamePaletteEven[0], 0u);
    EXPECT_EQ(style.flamePaletteEven[91], PixelOf(73, 34, 22));
    EXPECT_EQ(style.flamePaletteEven[255], PixelOf(204, 138, 61));
    EXPECT_EQ(style.flamePaletteOdd[0], 0u);
    EXPECT_EQ(style.flamePaletteOdd[130], PixelOf(130, 65, 43));
    EXPECT_EQ(style.flamePaletteOdd[131], PixelOf(131, 66, 43));
    EXPECT_EQ(style.flamePaletteOdd[255], PixelOf(255, 252, 85));
    SetCursorStyle(style, 0);
    EXPECT_FALSE(style.flameCursor);
    EXPECT_EQ(style.frameColor1, 0xF0C459u);
    EXPECT_EQ(style.frameColor2, 0xD09449u);
    EXPECT_EQ(style.flamePaletteOdd[255], PixelOf(255, 252, 85));
}

TEST(FireField, HeatRisesFromTheFuelRowAndCoolsOnTheWay) {
    FireField fire;
    fire.Clear();
    double sums[FireField::kRows] = {};
    for (int step = 0; step < 200; ++step) {
        fire.Step();
        for (int r = 0; r < FireField::kRows; ++r) {
            if (r < FireField::kFuelRow) {
                EXPECT_EQ(fire.At(r, 0), 0);
                EXPECT_EQ(fire.At(r, FireField::kColumns - 1), 0);
            }
            for (int c = 0; c < FireField::kColumns; ++c) {
                sums[r] += fire.At(r, c);
                ASSERT_LE(fire.At(r, c), r == FireField::kFuelRow ? 319 : 306) << r << "," << c;
            }
        }
    }
    EXPECT_GT(sums[26], sums[24]);
    EXPECT_GT(sums[24], sums[18]);
    EXPECT_GT(sums[18], sums[12]);
    EXPECT_GT(sums[24], 0);
}

TEST(PresentSquare, MovingTheCursorErasesItWhereItWasShown) {
    ViewRig rig(8, 0);
    PointAt(rig, 1, 1);
    rig.animator.CursorStep();
    EXPECT_EQ(rig.renderer.ShownCursorCol(), 1);
    PointAt(rig, 4, 5);
    rig.presenter.blits.clear();
    rig.animator.CursorStep();
    // The new square with the cursor, then the old one as the back buffer has it.
    ASSERT_EQ(rig.presenter.blits.size(), 2u);
    const auto& old = rig.presenter.blits[0];
    EXPECT_EQ(old.col, 1);
    EXPECT_EQ(old.row, 1);
    EXPECT_EQ(old.At(1, 1, 61), rig.SquarePixel(1, 1, 1, 1));
    const auto& now = rig.presenter.blits[1];
    EXPECT_EQ(now.col, 4);
    EXPECT_EQ(now.row, 5);
    EXPECT_EQ(now.At(1, 1, 61), NearlySolid(0xD09449));  // odd square: outer frame colour 2
    EXPECT_EQ(rig.renderer.ShownCursorCol(), 4);
    EXPECT_EQ(rig.renderer.ShownCursorRow(), 5);

    // Another square shown with the cursor: the cursor square first, then that square, clean.
    rig.presenter.blits.clear();
    const auto before = BackCopy(rig.holder);
    rig.renderer.PresentSquare(6, 6, true);
    ASSERT_EQ(rig.presenter.blits.size(), 2u);
    EXPECT_EQ(rig.presenter.blits[0].col, 4);
    EXPECT_EQ(rig.presenter.blits[0].At(1, 1, 61), NearlySolid(0xD09449));
    EXPECT_EQ(rig.presenter.blits[1].col, 6);
    EXPECT_EQ(rig.presenter.blits[1].At(1, 1, 61), rig.SquarePixel(6, 6, 1, 1));
    EXPECT_EQ(BackCopy(rig.holder), before);

    // A square shown without the cursor is just blitted.
    rig.presenter.blits.clear();
    rig.renderer.PresentSquare(0, 7, false);
    ASSERT_EQ(rig.presenter.blits.size(), 1u);
    EXPECT_EQ(rig.presenter.blits[0].col, 0);
}

}  // namespace
}  // namespace velmora
