#include "assetkit/raster.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <cmath>

namespace velmora::assets {

double SrgbToLinear(double v) {
    v = Clamp01(v);
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double LinearToSrgb(double v) {
    v = Clamp01(v);
    return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
}

Vec3 Srgb(int r, int g, int b) {
    return {SrgbToLinear(r / 255.0), SrgbToLinear(g / 255.0), SrgbToLinear(b / 255.0)};
}

int ToByte(double srgb01) {
    return std::clamp(static_cast<int>(std::lround(srgb01 * 255.0)), 0, 255);
}

double Plane::Sample(double x, double y) const {
    x = std::clamp(x, 0.0, width - 1.0);
    y = std::clamp(y, 0.0, height - 1.0);
    int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
    int x1 = std::min(x0 + 1, width - 1), y1 = std::min(y0 + 1, height - 1);
    double fx = x - x0, fy = y - y0;
    double top = At(x0, y0) * (1 - fx) + At(x1, y0) * fx;
    double bottom = At(x0, y1) * (1 - fx) + At(x1, y1) * fx;
    return top * (1 - fy) + bottom * fy;
}

void Raster::Over(const Raster& src, int x, int y, double opacity) {
    for (int sy = 0; sy < src.height; ++sy) {
        int dy = y + sy;
        if (dy < 0 || dy >= height)
            continue;
        for (int sx = 0; sx < src.width; ++sx) {
            int dx = x + sx;
            if (dx < 0 || dx >= width)
                continue;
            double a = src.A(sx, sy) * opacity;
            if (a <= 0)
                continue;
            double da = A(dx, dy);
            double oa = a + da * (1 - a);
            Vec3 c = (src.At(sx, sy) * a + At(dx, dy) * (da * (1 - a)));
            At(dx, dy) = oa > 0 ? c / oa : Vec3{};
            A(dx, dy) = oa;
        }
    }
}

void Raster::Fill(const Plane& mask, Vec3 colour, int x, int y, double opacity) {
    Raster layer(mask.width, mask.height, colour, 0.0);
    layer.alpha = mask.v;
    Over(layer, x, y, opacity);
}

Raster Raster::Crop(int x, int y, int w, int h) const {
    Raster out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            int sx = std::clamp(x + i, 0, width - 1), sy = std::clamp(y + j, 0, height - 1);
            out.At(i, j) = At(sx, sy);
            out.A(i, j) = A(sx, sy);
        }
    return out;
}

void Raster::Blit(const Raster& src, int x, int y) {
    for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i) {
            int dx = x + i, dy = y + j;
            if (dx < 0 || dy < 0 || dx >= width || dy >= height)
                continue;
            At(dx, dy) = src.At(i, j);
            A(dx, dy) = src.A(i, j);
        }
}

Raster Downsample(const Raster& src, int factor) {
    Raster out(src.width / factor, src.height / factor);
    double n = static_cast<double>(factor) * factor;
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            Vec3 sum;
            double asum = 0;
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i) {
                    int sx = x * factor + i, sy = y * factor + j;
                    double a = src.A(sx, sy);
                    sum += src.At(sx, sy) * a;
                    asum += a;
                }
            out.A(x, y) = asum / n;
            out.At(x, y) = asum > 0 ? sum / asum : Vec3{};
        }
    return out;
}

Plane Downsample(const Plane& src, int factor) {
    Plane out(src.width / factor, src.height / factor);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            double sum = 0;
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i)
                    sum += src.At(x * factor + i, y * factor + j);
            out.At(x, y) = sum / (factor * factor);
        }
    return out;
}

void GaussianBlur(Plane& p, double sigma) {
    if (sigma <= 0.05)
        return;
    int radius = static_cast<int>(std::ceil(sigma * 3));
    std::vector<double> kernel(2 * radius + 1);
    double total = 0;
    for (int i = -radius; i <= radius; ++i)
        total += kernel[i + radius] = std::exp(-0.5 * i * i / (sigma * sigma));
    for (double& k : kernel)
        k /= total;
    std::vector<double> tmp(p.v.size());
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            double s = 0;
            for (int i = -radius; i <= radius; ++i) {
                int sx = x + i;
                if (sx >= 0 && sx < p.width)
                    s += kernel[i + radius] * p.At(sx, y);
            }
            tmp[static_cast<size_t>(y) * p.width + x] = s;
        }
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            double s = 0;
            for (int i = -radius; i <= radius; ++i) {
                int sy = y + i;
                if (sy >= 0 && sy < p.height)
                    s += kernel[i + radius] * tmp[static_cast<size_t>(sy) * p.width + x];
            }
            p.At(x, y) = s;
        }
}

Raster Resize(const Raster& src, int w, int h) {
    Raster out(w, h, {}, 0.0);
    double sx = static_cast<double>(src.width) / w, sy = static_cast<double>(src.height) / h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double x0 = x * sx, x1 = (x + 1) * sx, y0 = y * sy, y1 = (y + 1) * sy;
            Vec3 sum;
            double asum = 0, wsum = 0;
            for (int j = static_cast<int>(y0); j < std::ceil(y1) && j < src.height; ++j) {
                double wy = std::min(y1, j + 1.0) - std::max(y0, static_cast<double>(j));
                for (int i = static_cast<int>(x0); i < std::ceil(x1) && i < src.width; ++i) {
                    double wx = std::min(x1, i + 1.0) - std::max(x0, static_cast<double>(i));
                    double wgt = wx * wy, a = src.A(i, j);
                    sum += src.At(i, j) * (a * wgt);
                    asum += a * wgt;
                    wsum += wgt;
                }
            }
            out.A(x, y) = wsum > 0 ? asum / wsum : 0;
            out.At(x, y) = asum > 0 ? sum / asum : Vec3{};
        }
    return out;
}

QImage ToQImage(const Raster& r, bool withAlpha) {
    QImage img(r.width, r.height, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < r.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < r.width; ++x) {
            const Vec3& c = r.At(x, y);
            int a = withAlpha ? ToByte(r.A(x, y)) : 255;
            line[x] = qRgba(ToByte(LinearToSrgb(c.x)), ToByte(LinearToSrgb(c.y)),
                            ToByte(LinearToSrgb(c.z)), a);
        }
    }
    return img;
}

Raster FromQImage(const QImage& image) {
    QImage img = image.convertToFormat(QImage::Format_ARGB32);
    Raster r(img.width(), img.height());
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            QRgb p = line[x];
            r.At(x, y) = Srgb(qRed(p), qGreen(p), qBlue(p));
            r.A(x, y) = qAlpha(p) / 255.0;
        }
    }
    return r;
}

bool SavePng(const std::string& path, const Raster& r, bool withAlpha) {
    return ToQImage(r, withAlpha).save(QString::fromStdString(path), "PNG");
}

bool SaveJpeg(const std::string& path, const Raster& r, int quality) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = static_cast<JDIMENSION>(r.width);
    cinfo.image_height = static_cast<JDIMENSION>(r.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    for (int i = 0; i < cinfo.num_components; ++i) {
        cinfo.comp_info[i].h_samp_factor = 1;
        cinfo.comp_info[i].v_samp_factor = 1;
    }
    cinfo.optimize_coding = TRUE;
    cinfo.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(r.width) * 3);
    for (int y = 0; y < r.height; ++y) {
        for (int x = 0; x < r.width; ++x) {
            const Vec3& c = r.At(x, y);
            row[x * 3 + 0] = static_cast<JSAMPLE>(ToByte(LinearToSrgb(c.x)));
            row[x * 3 + 1] = static_cast<JSAMPLE>(ToByte(LinearToSrgb(c.y)));
            row[x * 3 + 2] = static_cast<JSAMPLE>(ToByte(LinearToSrgb(c.z)));
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(f) == 0;
}

}  // namespace velmora::assets
