#include <gtest/gtest.h>

#include <map>
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

TEST(Cursor, ClassicFramesSwapColoursBetweenEvenAndOddSquares) {
    struct {
        int col, row;
        std::uint32_t outer, inner;
    } const cases[] = {{2, 2, 0xF0C459, 0xD09449}, {2, 3, 0xD09449, 0xF0C459}};
    for (const auto& t : cases) {
        SCOPED_TRACE(t.row);
        ViewRig rig(8, 0);
        const auto before = BackCopy(rig.holder);
        rig.PointAt(t.col, t.row);
        rig.renderer.PresentSquare(t.col, t.row, true);
        const auto* blit = rig.presenter.LastBlitOf(t.col, t.row);
        ASSERT_NE(blit, nullptr);
        const int c = rig.Cell();
        for (const int d : {1, 2}) {  // the outer frame, then the inner one
            for (int i = d; i <= c - d; i += 6) {
                for (const auto& [x, y] : {std::pair{i, d}, {i, c - d}, {d, i}, {c - d, i}}) {
                    EXPECT_EQ(blit->At(x, y), NearlySolid(d == 1 ? t.outer : t.inner)) << x << y;
                }
            }
        }
        // Row and column 0 and the middle keep the square's picture.
        for (const auto& [x, y] : {std::pair{0, 0}, {30, 0}, {3, 30}, {30, 30}}) {
            EXPECT_EQ(blit->At(x, y), rig.SquarePixel(t.col, t.row, x, y)) << x << "," << y;
        }
        // The back buffer never keeps the cursor.
        EXPECT_EQ(BackCopy(rig.holder), before);
    }
}

// One hot flame-field entry lights the pixels of each band that reads it (square-relative x, y
// worked out from the band formulas); a cold field leaves the fiery cursor's single frame alone.
TEST(Cursor, FieryStyleLightsTheBandPixelsOfAHotFieldEntry) {
    struct {
        int size, col, row, fireRow, fireCol;
        std::map<std::pair<int, int>, int> lit;  // position -> how many bands light it
    } const cases[] = {
        // Row 24 feeds the edges: top band at y 2, bottom at y c-2, sides at x 2 and c-2.
        {8, 2, 2, 24, 10, {{{12, 2}, 1}, {{50, 59}, 1}, {{2, 11}, 1}, {{59, 11}, 1}}},
        {8, 2, 3, 24, 40, {{{42, 2}, 1}, {{20, 59}, 1}, {{2, 41}, 1}, {{59, 41}, 1}}},
        {10, 4, 4, 24, 40, {{{42, 2}, 1}, {{20, 47}, 1}, {{2, 29}, 1}, {{47, 29}, 1}}},
        {10, 4, 5, 24, 10, {{{12, 2}, 1}}},  // beyond the short 10 x 10 side bands
        // Entry 0 reaches the top band only; entry 1450 (row 25, column 0) only the others,
        // the bottom and left bands meeting in one corner pixel.
        {8, 2, 2, 0, 0, {{{2, 26}, 1}}},
        {8, 2, 2, 25, 0, {{{2, 59}, 2}, {{59, 59}, 1}}},
        {10, 4, 4, -1, 0, {}},  // a cold field
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(::testing::Message() << t.size << ": " << t.col << "," << t.row << " entry "
                                          << t.fireRow << "," << t.fireCol);
        ViewRig rig(t.size, 1);
        const int c = rig.Cell();
        FireField& fire = rig.holder.FireBuffer();
        fire.Clear();
        if (t.fireRow >= 0) {
            fire.Cells()[t.fireRow * FireField::kColumns + t.fireCol] = 200;
        }
        rig.PointAt(t.col, t.row);
        rig.renderer.PresentSquare(t.col, t.row, true);
        const auto* blit = rig.presenter.LastBlitOf(t.col, t.row);
        ASSERT_NE(blit, nullptr);
        EXPECT_EQ(blit->At(10, 1), NearlySolid((t.col + t.row) % 2 ? 0xD09449 : 0xF0C459));
        EXPECT_EQ(blit->At(c - 1, 20), blit->At(10, 1));

        // Palette entry 200 less 200 / 4 per channel, added to the picture and clamped.
        const std::uint32_t add = (t.col + t.row) % 2 ? PixelOf(150, 120, 16) : PixelOf(110, 53, 0);
        std::map<std::pair<int, int>, int> lit;
        for (int y = 2; y <= c - 2; ++y) {
            for (int x = 2; x <= c - 2; ++x) {
                const std::uint32_t was = rig.SquarePixel(t.col, t.row, x, y);
                const std::uint32_t now = blit->At(x, y);
                if (now == was) {
                    continue;
                }
                const auto expected = t.lit.find({x, y});
                const int n = expected == t.lit.end() ? 1 : expected->second;
                lit[{x, y}] = n;
                EXPECT_EQ(now, PixelOf(std::min(255, RedOf(was) + n * RedOf(add)),
                                       std::min(255, GreenOf(was) + n * GreenOf(add)),
                                       std::min(255, BlueOf(was) + n * BlueOf(add))))
                    << x << "," << y;
            }
        }
        EXPECT_EQ(lit, t.lit);
    }
}

TEST(CursorStyle, FlamePalettesHoldTheirValuesAndSurviveStyleZero) {
    CursorStyle style;
    SetCursorStyle(style, 1);
    EXPECT_TRUE(style.flameCursor);
    const auto& even = style.flamePaletteEven;
    const auto& odd = style.flamePaletteOdd;
    EXPECT_EQ(std::vector({even[0], even[91], even[255], odd[0], odd[130], odd[131], odd[255]}),
              std::vector({0u, PixelOf(73, 34, 22), PixelOf(204, 138, 61), 0u, PixelOf(130, 65, 43),
                           PixelOf(131, 66, 43), PixelOf(255, 252, 85)}));
    SetCursorStyle(style, 0);
    EXPECT_FALSE(style.flameCursor);
    EXPECT_EQ(std::pair(style.frameColor1, style.frameColor2), std::pair(0xF0C459u, 0xD09449u));
    EXPECT_EQ(odd[255], PixelOf(255, 252, 85));
}

TEST(FireField, HeatRisesFromTheFuelRowAndCoolsOnTheWay) {
    FireField fire;
    fire.Clear();
    double sums[FireField::kRows] = {};
    for (int step = 0; step < 200; ++step) {
        fire.Step();
        for (int r = 0; r < FireField::kRows; ++r) {
            const int edges = fire.At(r, 0) + fire.At(r, FireField::kColumns - 1);
            EXPECT_TRUE(r >= FireField::kFuelRow || edges == 0) << r;
            for (int c = 0; c < FireField::kColumns; ++c) {
                sums[r] += fire.At(r, c);
                ASSERT_LE(fire.At(r, c), r == FireField::kFuelRow ? 319 : 306) << r << "," << c;
            }
        }
    }
    EXPECT_GT(sums[26], sums[24]);
    EXPECT_GT(sums[24], sums[18]);
    EXPECT_GT(sums[18], sums[12]);
}

TEST(PresentSquare, MovingTheCursorErasesItWhereItWasShown) {
    ViewRig rig(8, 0);
    rig.PointAt(1, 1);
    rig.animator.CursorStep();
    rig.PointAt(4, 5);
    rig.presenter.blits.clear();
    rig.animator.CursorStep();
    // The old square as the back buffer has it, then the new one with the cursor.
    auto& blits = rig.presenter.blits;
    ASSERT_EQ(blits.size(), 2u);
    EXPECT_EQ(std::pair(blits[0].col, blits[0].row), std::pair(1, 1));
    EXPECT_EQ(blits[0].At(1, 1), rig.SquarePixel(1, 1, 1, 1));
    EXPECT_EQ(std::pair(blits[1].col, blits[1].row), std::pair(4, 5));
    EXPECT_EQ(blits[1].At(1, 1), NearlySolid(0xD09449));  // odd square: outer frame colour 2
    EXPECT_EQ(rig.renderer.ShownCursorCol() * 10 + rig.renderer.ShownCursorRow(), 45);

    // Another square shown with the cursor: the cursor square first, then that square, clean.
    blits.clear();
    const auto before = BackCopy(rig.holder);
    rig.renderer.PresentSquare(6, 6, true);
    ASSERT_EQ(blits.size(), 2u);
    EXPECT_EQ(blits[0].col, 4);
    EXPECT_EQ(blits[0].At(1, 1), NearlySolid(0xD09449));
    EXPECT_EQ(blits[1].col, 6);
    EXPECT_EQ(blits[1].At(1, 1), rig.SquarePixel(6, 6, 1, 1));
    EXPECT_EQ(BackCopy(rig.holder), before);
}

}  // namespace
}  // namespace velmora
