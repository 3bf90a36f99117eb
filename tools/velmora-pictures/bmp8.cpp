#include "bmp8.h"

#include "assetkit/palette.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace velmora::assets {

namespace {

using Colour = Rgb8;

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, unsigned v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

bool SaveBmp8(const std::string& path, const QImage& source, QRgb key) {
    QImage img = source.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    std::vector<Colour> others;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            QRgb p = img.pixel(x, y) & 0xFFFFFFu;
            if (p != (key & 0xFFFFFFu))
                others.push_back({qRed(p), qGreen(p), qBlue(p)});
        }
    std::vector<Colour> palette{{qRed(key), qGreen(key), qBlue(key)}};
    if (!others.empty())
        for (const Colour& c : MedianCut(others, 255))
            palette.push_back(c);
    auto index = [&](QRgb p) {
        if ((p & 0xFFFFFFu) == (key & 0xFFFFFFu))
            return 0;
        // From 1: an inked pixel never becomes transparent.
        return NearestIndex(palette, Colour{qRed(p), qGreen(p), qBlue(p)}, 1);
    };
    const int stride = (w + 3) & ~3;
    const unsigned dataOffset = 14 + 40 + 256 * 4;
    const unsigned fileSize = dataOffset + static_cast<unsigned>(stride * h);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, fileSize);
    Put32(out, 0);
    Put32(out, dataOffset);
    Put32(out, 40);
    Put32(out, static_cast<unsigned>(w));
    Put32(out, static_cast<unsigned>(h));
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);
    Put32(out, static_cast<unsigned>(stride * h));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 256);
    Put32(out, 0);
    for (int i = 0; i < 256; ++i) {
        Colour c = i < static_cast<int>(palette.size()) ? palette[i] : Colour{0, 0, 0};
        out.push_back(static_cast<std::uint8_t>(c[2]));
        out.push_back(static_cast<std::uint8_t>(c[1]));
        out.push_back(static_cast<std::uint8_t>(c[0]));
        out.push_back(0);
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x)
            out.push_back(static_cast<std::uint8_t>(index(img.pixel(x, y))));
        for (int x = w; x < stride; ++x)
            out.push_back(0);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace velmora::assets
