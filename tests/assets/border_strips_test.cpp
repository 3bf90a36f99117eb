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

TEST_P(BorderStrips, HaveTheSizesTheRendererAllocates) {
    auto h = LoadPicture(std::string("DATA/Lineh") + GetParam().suffix + ".jpg");
    auto v = LoadPicture(std::string("DATA/Linev") + GetParam().suffix + ".jpg");
    ASSERT_TRUE(h && v);
    EXPECT_EQ(h->width, 530);
    EXPECT_EQ(h->height, 80);
    EXPECT_EQ(v->width, 80);
    EXPECT_EQ(v->height, 490);
}

TEST_P(BorderStrips, ColumnLettersSitOverTheirColumnsInEveryHorizontalStrip) {
    auto h = LoadPicture(std::string("DATA/Lineh") + GetParam().suffix + ".jpg");
    ASSERT_TRUE(h);
    struct Strip {
        int top, n, cell;
    };
    // 8 x 8 top and bottom, 10 x 10 top and bottom; a square's column c starts at x = 20 + cell c.
    for (Strip s : {Strip{0, 8, 61}, Strip{20, 8, 61}, Strip{40, 10, 49}, Strip{60, 10, 49}}) {
        std::vector<int> widths;
        for (int c = 0; c < s.n; ++c) {
            double centre = 20 + s.cell * c + s.cell / 2.0;
            // The middle of the strip, clear of the moulding's dark edge lines.
            Label l = FindLabel(*h, static_cast<int>(centre) - 20, static_cast<int>(centre) + 20,
                                s.top + 3, s.top + 17, GetParam().inkIsDark, true);
            ASSERT_TRUE(l.found) << "no letter over column " << c << " of the strip at row "
                                 << s.top;
            EXPECT_NEAR(l.cx, centre, 1.5) << "column " << c << ", strip at row " << s.top;
            EXPECT_NEAR(l.cy, s.top + 10.0, 2.5) << "column " << c << ", strip at row " << s.top;
            widths.push_back(l.inkWidth);
        }
        // The letters run A, B, C ...: on the large board "I" (the ninth) is the narrowest.
        if (s.n == 10) {
            EXPECT_EQ(std::min_element(widths.begin(), widths.end()) - widths.begin(), 8);
        }
    }
}

TEST_P(BorderStrips, RowNumbersSitBesideTheirRowsCountingDownFromTheTop) {
    auto v = LoadPicture(std::string("DATA/Linev") + GetParam().suffix + ".jpg");
    ASSERT_TRUE(v);
    struct Strip {
        int left, n, cell;
    };
    // Strip row p lands on board row 20 + p: square row r is centred on strip row (r + 1/2) cell.
    for (Strip s : {Strip{0, 8, 61}, Strip{20, 8, 61}, Strip{40, 10, 49}, Strip{60, 10, 49}}) {
        std::vector<int> widths;
        std::vector<double> masses;
        for (int r = 0; r < s.n; ++r) {
            double centre = s.cell * r + s.cell / 2.0;
            Label l = FindLabel(*v, s.left + 3, s.left + 17, static_cast<int>(centre) - 18,
                                static_cast<int>(centre) + 18, GetParam().inkIsDark, false);
            ASSERT_TRUE(l.found) << "no number beside row " << r << " of the strip at column "
                                 << s.left;
            EXPECT_NEAR(l.cy, centre, 1.5) << "row " << r << ", strip at column " << s.left;
            EXPECT_NEAR(l.cx, s.left + 10.0, 1.5) << "row " << r << ", strip at column " << s.left;
            widths.push_back(l.inkWidth);
            masses.push_back(l.mass);
        }
        // N at the top, 1 at the bottom: "1" (at the bottom) has less ink than "8" (eight rows
        // up), and on the large board "10" (at the top) is the widest.
        EXPECT_LT(masses[s.n - 1], masses[s.n - 8]);
        if (s.n == 10) {
            EXPECT_EQ(std::max_element(widths.begin(), widths.end()) - widths.begin(), 0);
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
