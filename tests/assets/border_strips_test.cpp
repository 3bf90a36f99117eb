// The border strips: sizes, and the column letters and row numbers centred on the columns
// and rows of the board exactly where the renderer copies each strip.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "asset_files.h"

namespace velmora::test {
namespace {

struct Label {
    double cx = 0, cy = 0;
    double mass = 0;   // summed contrast of the ink
    int inkWidth = 0;  // columns holding ink
    bool found = false;
};

// Finds the label in the window [x0, x1) x [y0, y1): pixels that stand out towards
// `inkIsDark` from the median of their line along the strip (the moulding's shading is
// constant along the strip, so it does not count as ink).
Label FindLabel(const PixelImage& img, int x0, int x1, int y0, int y1, bool inkIsDark,
                bool horizontalStrip) {
    auto contrast = [&](int x, int y) {
        std::vector<double> line;
        if (horizontalStrip)
            for (int i = x0; i < x1; ++i)
                line.push_back(Luma(PixelAt(img, i, y)));
        else
            for (int j = y0; j < y1; ++j)
                line.push_back(Luma(PixelAt(img, x, j)));
        std::nth_element(line.begin(), line.begin() + line.size() / 2, line.end());
        double median = line[line.size() / 2], l = Luma(PixelAt(img, x, y));
        return inkIsDark ? median - l : l - median;
    };
    Label l;
    std::vector<bool> inkColumns(x1 - x0, false);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            double d = contrast(x, y);
            if (d < 45)
                continue;
            l.cx += d * (x + 0.5);
            l.cy += d * (y + 0.5);
            l.mass += d;
            inkColumns[x - x0] = true;
        }
    if (l.mass > 0) {
        l.found = true;
        l.cx /= l.mass;
        l.cy /= l.mass;
        l.inkWidth = static_cast<int>(std::count(inkColumns.begin(), inkColumns.end(), true));
    }
    return l;
}

struct Style {
    const char* suffix;
    bool inkIsDark;
};

class BorderStrips : public ::testing::TestWithParam<Style> {};

// Horizontal strips: a square's column c starts at x = 20 + cell c, and its letter sits over
// it. Vertical strips: strip row p lands on board row 20 + p, so square row r is centred on
// strip row (r + 1/2) cell, and its number sits beside it, counting down from the top.
TEST_P(BorderStrips, LabelsSitOnTheirColumnsAndRowsInEveryStrip) {
    auto h = LoadPicture(std::string("DATA/Lineh") + GetParam().suffix + ".jpg");
    auto v = LoadPicture(std::string("DATA/Linev") + GetParam().suffix + ".jpg");
    ASSERT_TRUE(h && v);
    // The sizes the renderer allocates.
    EXPECT_EQ(h->width, 530);
    EXPECT_EQ(h->height, 80);
    EXPECT_EQ(v->width, 80);
    EXPECT_EQ(v->height, 490);
    struct Strip {
        int offset, n, cell;
    };
    // 8 x 8 top and bottom (left and right), then 10 x 10.
    for (const bool across : {true, false}) {
        for (Strip s : {Strip{0, 8, 61}, Strip{20, 8, 61}, Strip{40, 10, 49}, Strip{60, 10, 49}}) {
            std::vector<int> widths;
            std::vector<double> masses;
            for (int i = 0; i < s.n; ++i) {
                const double centre = (across ? 20 : 0) + s.cell * i + s.cell / 2.0;
                const int c = static_cast<int>(centre);
                // The middle of the strip, clear of the moulding's dark edge lines.
                const Label l = across ? FindLabel(*h, c - 20, c + 20, s.offset + 3, s.offset + 17,
                                                   GetParam().inkIsDark, true)
                                       : FindLabel(*v, s.offset + 3, s.offset + 17, c - 18, c + 18,
                                                   GetParam().inkIsDark, false);
                const std::string where = (across ? "column " : "row ") + std::to_string(i) +
                                          " of the strip at " + std::to_string(s.offset);
                ASSERT_TRUE(l.found) << "no label at " << where;
                EXPECT_NEAR(across ? l.cx : l.cy, centre, 1.5) << where;
                EXPECT_NEAR(across ? l.cy : l.cx, s.offset + 10.0, across ? 2.5 : 1.5) << where;
                widths.push_back(l.inkWidth);
                masses.push_back(l.mass);
            }
            if (across && s.n == 10) {
                // The letters run A, B, C ...: "I" (the ninth) is the narrowest.
                EXPECT_EQ(std::min_element(widths.begin(), widths.end()) - widths.begin(), 8);
            } else if (!across) {
                // "1" (at the bottom) has less ink than "8" (eight rows up), and on the large
                // board "10" (at the top) is the widest.
                EXPECT_LT(masses[s.n - 1], masses[s.n - 8]);
                if (s.n == 10) {
                    EXPECT_EQ(std::max_element(widths.begin(), widths.end()) - widths.begin(), 0);
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothBorders, BorderStrips,
                         ::testing::Values(Style{"1", true}, Style{"2", false}),
                         [](const auto& param) {
                             return std::string(param.param.inkIsDark ? "Light" : "Dark");
                         });

}  // namespace
}  // namespace velmora::test
