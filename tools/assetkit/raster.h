#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QImage>

#include "assetkit/vec3.h"

namespace velmora::assets {

double SrgbToLinear(double v);  // both in 0..1
double LinearToSrgb(double v);
Vec3 Srgb(int r, int g, int b);  // an 8-bit sRGB colour in linear light
int ToByte(double srgb01);

// Single-channel float picture, rows top-down (coverage masks, shadows, heights).
struct Plane {
    int width = 0;
    int height = 0;
    std::vector<double> v;

    Plane() = default;
    Plane(int w, int h, double fill = 0)
        : width(w), height(h), v(static_cast<size_t>(w) * h, fill) {}
    double& At(int x, int y) { return v[static_cast<size_t>(y) * width + x]; }
    double At(int x, int y) const { return v[static_cast<size_t>(y) * width + x]; }
    double Sample(double x, double y) const;  // bilinear, clamped at the edges
};

// Linear-light colour picture with straight alpha, rows top-down.
struct Raster {
    int width = 0;
    int height = 0;
    std::vector<Vec3> rgb;
    std::vector<double> alpha;

    Raster() = default;
    Raster(int w, int h, Vec3 fill = {}, double a = 1.0)
        : width(w),
          height(h),
          rgb(static_cast<size_t>(w) * h, fill),
          alpha(static_cast<size_t>(w) * h, a) {}
    Vec3& At(int x, int y) { return rgb[static_cast<size_t>(y) * width + x]; }
    const Vec3& At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
    double& A(int x, int y) { return alpha[static_cast<size_t>(y) * width + x]; }
    double A(int x, int y) const { return alpha[static_cast<size_t>(y) * width + x]; }

    // Source-over of `src` (straight alpha, scaled by `opacity`) with its top-left at (x, y).
    void Over(const Raster& src, int x, int y, double opacity = 1.0);
    // Paints `colour` through a coverage mask placed at (x, y).
    void Fill(const Plane& mask, Vec3 colour, int x = 0, int y = 0, double opacity = 1.0);
    Raster Crop(int x, int y, int w, int h) const;
    void Blit(const Raster& src, int x, int y);  // plain copy, alpha included
};

// Box-filters a supersampled picture down by an integer factor, in linear light.
Raster Downsample(const Raster& src, int factor);
Plane Downsample(const Plane& src, int factor);
void GaussianBlur(Plane& p, double sigma);
// Area-averaging resize to any size (premultiplied, so transparent edges stay clean).
Raster Resize(const Raster& src, int w, int h);

QImage ToQImage(const Raster& r, bool withAlpha);
Raster FromQImage(const QImage& image);

bool SavePng(const std::string& path, const Raster& r, bool withAlpha = true);
// Baseline JPEG without chroma subsampling, so sprite edges keep their colours.
bool SaveJpeg(const std::string& path, const Raster& r, int quality);

}  // namespace velmora::assets
