#pragma once

#include <cstddef>
#include <cstdint>

#include "view/pixel_surface.h"

namespace velmora {

// Copies a w x h rectangle of a bottom-up surface, given by its top-left pixel in picture
// coordinates, into a top-down buffer (dstStride pixels per row) at the same picture position,
// with the alpha byte set opaque for the screen. A rectangle outside the source copies nothing.
void CopyRectTopDown(const PixelSurface& src, int px, int py, int w, int h, std::uint32_t* dst,
                     std::ptrdiff_t dstStride);

}  // namespace velmora
