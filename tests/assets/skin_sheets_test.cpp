// The piece and possible-move sheets: sizes and the sprite layout the board renderer relies on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "asset_files.h"

namespace velmora::test {
namespace {

constexpr int kCell = 61;

enum class Hue { Board, Amber, Green };

Hue Classify(std::uint32_t p) {
    int r = Red(p), g = Green(p), b = Blue(p);
    if (r > 140 && r >= g && r - b > 80 && g - b > 40)
        return Hue::Amber;
    if (g - r > 25 && g - b > 5)
        return Hue::Green;
    return Hue::Board;
}

struct CellStats {
    double amber = 0, green = 0;  // fractions of the cell
    double cx = 0, cy = 0;        // centre of the disc-coloured pixels
    double luma = 0;
};

CellStats Stats(const PixelImage& sheet, int row, int frame) {
    CellStats s;
    int discs = 0;
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            std::uint32_t p = PixelAt(sheet, frame * kCell + x, row * kCell + y);
            Hue h = Classify(p);
            s.luma += Luma(p);
            if (h == Hue::Board)
                continue;
            (h == Hue::Amber ? s.amber : s.green) += 1;
            s.cx += x;
            s.cy += y;
            ++discs;
        }
    const double n = kCell * kCell;
    s.luma /= n;
    if (discs > 0) {
        s.cx /= discs;
        s.cy /= discs;
    }
    s.amber /= n;
    s.green /= n;
    return s;
}

// Mean absolute channel difference between two cells (of possibly different sheets).
double CellDistance(const PixelImage& a, int rowA, int frameA, const PixelImage& b, int rowB,
                    int frameB) {
    double sum = 0;
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            std::uint32_t p = PixelAt(a, frameA * kCell + x, rowA * kCell + y);
            std::uint32_t q = PixelAt(b, frameB * kCell + x, rowB * kCell + y);
            sum += std::abs(Red(p) - Red(q)) + std::abs(Green(p) - Green(q)) +
                   std::abs(Blue(p) - Blue(q));
        }
    return sum / (3.0 * kCell * kCell);
}

class SkinSheets : public ::testing::Test {
  protected:
    void SetUp() override {
        auto figs = LoadPicture("DATA/Figs1.jpg");
        auto help = LoadPicture("DATA/Help1.jpg");
        ASSERT_TRUE(figs && help) << "DATA/Figs1.jpg or DATA/Help1.jpg missing or unreadable";
        figs_ = *figs;
        help_ = *help;
        // The sizes the renderer allocates.
        ASSERT_EQ(figs_.width, 915);
        ASSERT_EQ(figs_.height, 488);
        ASSERT_EQ(help_.width, 2440);
        ASSERT_EQ(help_.height, 122);
    }
    PixelImage figs_, help_;
};

TEST_F(SkinSheets, FrameZeroOfThePlacingRowsIsTheBareSquareInTwoCloseTones) {
    for (int row : {4, 5, 6, 7}) {
        CellStats s = Stats(figs_, row, 0);
        EXPECT_LT(s.amber + s.green, 0.002) << "row " << row;
    }
    double even = Stats(figs_, 4, 0).luma, odd = Stats(figs_, 5, 0).luma;
    EXPECT_GT(std::fabs(even - odd), 2.0) << "even and odd squares look the same";
    EXPECT_LT(std::fabs(even - odd), 25.0) << "even and odd squares are not close tones";
    // The empty square is the same picture in every placing row of its parity.
    EXPECT_LT(CellDistance(figs_, 4, 0, figs_, 6, 0), 1.5);
    EXPECT_LT(CellDistance(figs_, 5, 0, figs_, 7, 0), 1.5);
}

TEST_F(SkinSheets, FrameFourteenIsTheDiscAtRestCentredOnItsSquare) {
    for (int row : {4, 5, 6, 7}) {
        CellStats s = Stats(figs_, row, 14);
        bool green = row < 6;
        EXPECT_GT(green ? s.green : s.amber, 0.30) << "row " << row;
        EXPECT_LT(green ? s.amber : s.green, 0.01) << "row " << row;
        EXPECT_NEAR(s.cx, 30.0, 1.5) << "row " << row;
        EXPECT_NEAR(s.cy, 30.0, 1.5) << "row " << row;
    }
    // Even and odd rest pictures hold the same disc.
    double area4 = Stats(figs_, 4, 14).green, area5 = Stats(figs_, 5, 14).green;
    EXPECT_NEAR(area4, area5, 0.02);
}

TEST_F(SkinSheets, FlipRowsTurnEdgeOnAndEndNextToTheOppositeColour) {
    struct Flip {
        int row, restFrom, restTo;  // rest rows of the starting and the final colour
    };
    for (Flip f : {Flip{0, 6, 4}, Flip{1, 7, 5}, Flip{2, 4, 6}, Flip{3, 5, 7}}) {
        bool amberFirst = f.row < 2;
        CellStats first = Stats(figs_, f.row, 0), last = Stats(figs_, f.row, 13);
        EXPECT_GT(amberFirst ? first.amber : first.green, 0.25) << "row " << f.row;
        EXPECT_GT(amberFirst ? last.green : last.amber, 0.25) << "row " << f.row;
        EXPECT_LT(amberFirst ? last.amber : last.green, 0.03) << "row " << f.row;
        // Frame 13 hands over to the rest frame of the new colour, not of the old one.
        double toNew = CellDistance(figs_, f.row, 13, figs_, f.restTo, 14);
        double toOld = CellDistance(figs_, f.row, 13, figs_, f.restFrom, 14);
        EXPECT_LT(toNew * 4, toOld) << "row " << f.row;
        // Somewhere in the middle the disc is seen edge-on.
        double rest = Stats(figs_, f.restFrom, 14).amber + Stats(figs_, f.restFrom, 14).green;
        double narrowest = 1;
        int narrowestFrame = -1;
        for (int frame = 0; frame <= 13; ++frame) {
            CellStats s = Stats(figs_, f.row, frame);
            if (s.amber + s.green < narrowest) {
                narrowest = s.amber + s.green;
                narrowestFrame = frame;
            }
        }
        EXPECT_LT(narrowest * 3, rest) << "row " << f.row;
        EXPECT_GE(narrowestFrame, 4) << "row " << f.row;
        EXPECT_LE(narrowestFrame, 9) << "row " << f.row;
    }
}

TEST_F(SkinSheets, PlacingRowsDropTheDiscInAndSettleBeforeTheLastFrame) {
    for (int row : {4, 5, 6, 7}) {
        // Identical cells still differ by the JPEG noise of their different block offsets.
        const double noise = CellDistance(figs_, row, 12, figs_, row, 14);
        EXPECT_LT(noise, 2.5) << "row " << row;
        EXPECT_GT(CellDistance(figs_, row, 1, figs_, row, 14), 4 * noise) << "row " << row;
        // A disc in the air casts its shadow further off: the falling frames differ from
        // each other as it comes down.
        EXPECT_GT(CellDistance(figs_, row, 1, figs_, row, 3), 2.0) << "row " << row;
    }
}

TEST_F(SkinSheets, PossibleMoveMarkPulsesInAndOutOverTheFortyFrames) {
    for (int parity = 0; parity < 2; ++parity) {
        std::vector<double> away;
        for (int frame = 0; frame < 40; ++frame)
            away.push_back(CellDistance(help_, parity, frame, figs_, 4 + parity, 0));
        EXPECT_LT(away.front(), 2.0) << "first frame is not near the bare square";
        EXPECT_LT(away.back(), 2.0) << "last frame is not near the bare square";
        auto peak = std::max_element(away.begin(), away.end());
        EXPECT_GT(*peak, 5 * std::max(away.front(), 0.5));
        long at = peak - away.begin();
        EXPECT_GE(at, 14);
        EXPECT_LE(at, 25);
        // Rising to the peak and falling after it, frame by frame.
        for (long f = 1; f <= at; ++f)
            EXPECT_GE(away[f] + 0.3, away[f - 1]) << "frame " << f;
        for (long f = at + 1; f < 40; ++f)
            EXPECT_LE(away[f], away[f - 1] + 0.3) << "frame " << f;
    }
}

}  // namespace
}  // namespace velmora::test
