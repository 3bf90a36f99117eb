#pragma once

namespace velmora {

// Sizes shared by the about-box intro's resources and buffers. Every picture is stored
// bottom row first.
constexpr int kIntroWidth = 380;   // frame, front image and layers
constexpr int kIntroHeight = 260;  // frame and front image
constexpr int kIntroLayerHeight = 130;
constexpr int kIntroFrontBytes = kIntroWidth * kIntroHeight;

// The font strip: one byte per pixel, 255 = blank, smaller = ink; like the other pictures its
// first row is the bottom one (the scroller puts strip row r on front-image row 5 + r).
constexpr int kIntroFontColumns = 2820;
constexpr int kIntroFontRows = 20;
constexpr int kIntroFontBytes = kIntroFontColumns * kIntroFontRows;
constexpr int kIntroGlyphCount = 149;  // the blank glyph 0 and 148 found in the strip

// The background texture: 256 palette entries (blue, green, red, 0), then a 256 x 256
// map of palette indices.
constexpr int kIntroTextureSide = 256;
constexpr int kIntroPaletteBytes = 256 * 4;
constexpr int kIntroTextureBytes = kIntroPaletteBytes + kIntroTextureSide * kIntroTextureSide;

}  // namespace velmora
