#pragma once

namespace velmora::assets {

// Cell sizes and sheet layouts the board renderer reads the skins with.
constexpr int kCell = 61;       // 8 x 8 cell; the 10 x 10 sheets are scaled down from it
constexpr int kCellTen = 49;    // 10 x 10 cell
constexpr int kFigFrames = 15;  // frames per sheet row; frame 14 is the disc at rest
constexpr int kFigRows = 8;
constexpr int kHelpFrames = 40;
constexpr int kStrip = 20;  // border strip width
constexpr int kLinehWidth = 530, kLinehHeight = 80;
constexpr int kLinevWidth = 80, kLinevHeight = 490;

}  // namespace velmora::assets
