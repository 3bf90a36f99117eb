#pragma once

#include "assetkit/raster.h"
#include "assetkit/vec3.h"

namespace velmora::assets {

// What a playing disc looks like: a short cylinder with rounded edges, one colour on each
// face (the rim is split half and half), a gently domed face with a turned groove.
struct DiscLook {
    double radius = 23.5;        // pixels
    double halfThickness = 2.9;  // pixels
    double edge = 1.9;           // rounding radius of the rim
    double grooveRadius = 0.68;  // as a fraction of the radius
    double grooveDepth = 0.45;   // pixels
    double grooveWidth = 1.1;    // pixels
    double dome = 0.9;           // height of the face's dome, pixels
    Vec3 topColour;              // linear albedo of the face that is up at rest
    Vec3 bottomColour;           // the other face
    double shadowStrength = 0.62;
    double contactStrength = 0.32;

    DiscLook Scaled(double s) const;
};

// Where the disc is: its centre on the picture, how high it floats over the board, how
// far it has turned about an axis lying in the board, and how transparent it is.
struct DiscPose {
    double cx = 0, cy = 0;  // picture pixels
    double lift = 0;        // pixels between the board and the lowest point of the rim at rest
    double turn = 0;        // radians; 0 shows the top face, pi the bottom face
    double axis = 1.5707963267948966;  // direction of the turning axis in the board (radians)
    double scale = 1;                  // perspective growth while the disc is lifted
    double opacity = 1;
    double shadowMargin = 0;  // shadows fade out within this many pixels of the picture's edge
};

// The amber-yellow and deep-green materials of the "Янтарные" figures.
Vec3 AmberColour();  // sRGB about (244, 176, 24)
Vec3 GreenColour();

// Draws the disc, its soft shadow and its contact shade over `picture` (which holds the
// board under it), antialiased with `supersample` x `supersample` rays per pixel.
void RenderDisc(Raster& picture, const DiscLook& look, const DiscPose& pose, int supersample = 4);

}  // namespace velmora::assets
