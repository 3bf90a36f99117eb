#pragma once

#include <cstdint>

#include "view/pixel_surface.h"

namespace velmora {

// The copy, blend and line primitives on raw surfaces. Coordinates are pixel column and block
// row. A rectangle that does not lie wholly inside both surfaces is skipped rather than
// clipped: the board geometry never asks for one, so such a request is a fault to contain.

// Copies width x height pixels whose lower-left pixel is (srcCol, srcRow) of src to (dstX, dstY).
void CopyPixels(const PixelSurface& dst, int dstX, int dstY, int width, const PixelSurface& src,
                int srcRow, int srcCol, int height);

// Like CopyPixels, but alpha 1..255 mixes: channel = dst * alpha / 256 + src * (256 - alpha) / 256
// (each product truncated). Alpha 0 copies the source unchanged.
void BlendPixels(const PixelSurface& dst, int dstX, int dstY, int width, const PixelSurface& src,
                 int alpha, int srcRow, int srcCol, int height);

// Tints a run towards colour: channel = pixel * alpha / 256 + colour * ((256 - alpha) mod 256) /
// 256. Ends may come in either order; the run is clamped to the surface, or skipped when its fixed
// coordinate lies outside.
void BlendHLinePixels(const PixelSurface& dst, int x1, int x2, int y, int alpha,
                      std::uint32_t colour);
void BlendVLinePixels(const PixelSurface& dst, int x, int y1, int y2, int alpha,
                      std::uint32_t colour);

// Outline: rows y1 and y2 over x1..x2, columns x1 and x2 over y1 + 1..y2 - 1.
void BlendRectPixels(const PixelSurface& dst, int x1, int y1, int x2, int y2, int alpha,
                     std::uint32_t colour);

}  // namespace velmora
