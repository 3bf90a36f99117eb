#include "figure_sheet.h"

#include <cmath>

#include "assetkit/board_surface.h"
#include "assetkit/disc.h"
#include "skin_geometry.h"

namespace velmora::assets {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kPerspective = 0.0045;  // growth per pixel of height

// Height of the disc's lowest rest point that keeps a disc turned by `turn` clear of the board.
double Clearance(const DiscLook& look, double turn) {
    double s = std::fabs(std::sin(turn)), c = std::fabs(std::cos(turn));
    return look.radius * s + look.halfThickness * c - look.halfThickness;
}

DiscPose AtCentre(double lift, double turn, double opacity) {
    DiscPose pose;
    pose.cx = kCell / 2.0;
    pose.cy = kCell / 2.0;
    pose.turn = turn;
    pose.lift = lift;
    pose.scale = 1 + kPerspective * lift;
    pose.opacity = opacity;
    pose.shadowMargin = 4;  // a shadow must never end in a hard line at the square's edge
    return pose;
}

// Frame f (0..13) of a flip: the disc rises just enough to turn, passes edge-on at the
// middle (where the other colour comes up) and settles; frame 14 is the rest frame of the
// other colour's row.
DiscPose FlipPose(const DiscLook& look, int f) {
    double t = (f + 1) / 15.0;
    double eased = t - std::sin(2 * kPi * t) / (2 * kPi);
    double turn = kPi * eased;
    double lift = Clearance(look, turn) + 2.5 * std::sin(kPi * t);
    return AtCentre(lift, turn, 1.0);
}

// Frame f (0..14) of a placing: empty square, then the disc falls in with a slight tilt,
// lands at frame 5 (when the move sound clacks), bounces a little and lies still.
DiscPose DropPose(const DiscLook& look, int f) {
    static const double kLift[15] = {0, 27, 19, 11, 4.5, 0, 1.9, 2.1, 0.8, 0, 0, 0, 0, 0, 0};
    static const double kTilt[15] = {0,    0.22, 0.18, 0.13, 0.07, 0, 0.03, 0.02,
                                     0.01, 0,    0,    0,    0,    0, 0};
    static const double kOpacity[15] = {0, 0.30, 0.62, 0.88, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    double lift = std::max(kLift[f], Clearance(look, kTilt[f]));
    return AtCentre(lift, kTilt[f], kOpacity[f]);
}

DiscLook Look(bool amberUp) {
    DiscLook look;
    look.topColour = amberUp ? AmberColour() : GreenColour();
    look.bottomColour = amberUp ? GreenColour() : AmberColour();
    return look;
}

}  // namespace

Raster FigureSheet() {
    Raster sheet(kCell * kFigFrames, kCell * kFigRows);
    for (int row = 0; row < kFigRows; ++row) {
        bool even = row % 2 == 0;
        int kind = row / 2;  // 0 amber->green, 1 green->amber, 2 green drops, 3 amber drops
        DiscLook look = Look(kind == 0 || kind == 3);
        for (int f = 0; f < kFigFrames; ++f) {
            Raster cell = BoardSquare(kCell, even);
            bool flip = kind < 2;
            if (flip && f == kFigFrames - 1) {
                // Never shown (the renderer switches to the rest row), kept as the landed disc.
                RenderDisc(cell, Look(kind == 1), AtCentre(0, 0, 1));
            } else if (flip) {
                RenderDisc(cell, look, FlipPose(look, f));
            } else if (f > 0) {
                RenderDisc(cell, look, DropPose(look, f));
            }
            sheet.Blit(cell, f * kCell, row * kCell);
        }
    }
    return sheet;
}

}  // namespace velmora::assets
