#include "support/intro_triangle.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace velmora {

namespace {

// Rows and columns are clamped this far outside the layers before they become integers.
constexpr double kFar = 1 << 20;

long RoundClamped(double value) {
    return std::lrint(std::clamp(value, -kFar, kFar));
}

struct EdgePoint {
    double x;
    double depth;
};

// The point of edge from-to at row y, held to the edge's ends; a flat edge gives the
// corner named `flat`, so that a flat top or bottom spans the whole edge.
EdgePoint OnEdge(const IntroCorner& from, const IntroCorner& to, double y,
                 const IntroCorner& flat) {
    if (!(to.y > from.y)) {
        return {flat.x, flat.depth};
    }
    const double t = std::clamp((y - from.y) / (to.y - from.y), 0.0, 1.0);
    return {from.x + (to.x - from.x) * t, from.depth + (to.depth - from.depth) * t};
}

void FillSpan(EdgePoint left, EdgePoint right, int layerRow, std::uint8_t shade,
              IntroLayers& layers) {
    if (left.x > right.x) {
        std::swap(left, right);
    }
    const long first = std::max(RoundClamped(left.x), 0L);
    const long last = std::min(RoundClamped(right.x), static_cast<long>(kIntroWidth - 1));
    const double width = right.x - left.x;
    const double slope = width > 0 ? (right.depth - left.depth) / width : 0;
    const float nearEnd = static_cast<float>(std::min(left.depth, right.depth));
    const float farEnd = static_cast<float>(std::max(left.depth, right.depth));
    const auto fslope = static_cast<float>(slope);
    // Depth at the first pixel, then one step per pixel, held to the span's ends.
    float depth = static_cast<float>(left.depth + slope * (static_cast<double>(first) - left.x));
    std::uint8_t* shadeRow = layers.shade.data() + layerRow * kIntroWidth;
    float* depthRow = layers.depth.data() + layerRow * kIntroWidth;
    for (long x = first; x <= last; ++x, depth += fslope) {
        const float clamped = std::clamp(depth, nearEnd, farEnd);
        if (IntroDepthPasses(depthRow[x], clamped)) {
            depthRow[x] = clamped;
            shadeRow[x] = shade;
        }
    }
}

}  // namespace

void FillIntroTriangle(IntroCorner a, IntroCorner b, IntroCorner c, std::uint8_t shade,
                       IntroLayers& layers) {
    for (const IntroCorner& corner : {a, b, c}) {
        if (!std::isfinite(corner.x) || !std::isfinite(corner.y) || !std::isfinite(corner.depth)) {
            return;
        }
    }
    // Sort by y: a on top, c at the bottom.
    if (b.y < a.y) {
        std::swap(a, b);
    }
    if (c.y < b.y) {
        std::swap(b, c);
    }
    if (b.y < a.y) {
        std::swap(a, b);
    }
    const long top = RoundClamped(a.y);
    const long bottom = RoundClamped(c.y);
    if (top == bottom) {
        return;
    }
    // Layer row kIntroLayerHeight - y exists for y from 1 to kIntroLayerHeight.
    const long firstRow = std::max(top, 1L);
    const long lastRow = std::min(bottom, static_cast<long>(kIntroLayerHeight));
    for (long y = firstRow; y <= lastRow; ++y) {
        const double row = static_cast<double>(y);
        const EdgePoint longSide = OnEdge(a, c, row, c);
        const EdgePoint shortSide = row < b.y ? OnEdge(a, b, row, b) : OnEdge(b, c, row, b);
        FillSpan(longSide, shortSide, static_cast<int>(kIntroLayerHeight - y), shade, layers);
    }
}

}  // namespace velmora
