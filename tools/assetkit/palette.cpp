#include "assetkit/palette.h"

#include <algorithm>

namespace velmora::assets {

std::vector<Rgb8> MedianCut(std::vector<Rgb8> colours, int count) {
    std::vector<std::vector<Rgb8>> boxes{std::move(colours)};
    while (static_cast<int>(boxes.size()) < count) {
        int best = -1, bestRange = 0, bestChannel = 0;
        for (size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].size() < 2)
                continue;
            for (int ch = 0; ch < 3; ++ch) {
                auto [lo, hi] = std::minmax_element(
                    boxes[b].begin(), boxes[b].end(),
                    [ch](const Rgb8& a, const Rgb8& c) { return a[ch] < c[ch]; });
                int range = (*hi)[ch] - (*lo)[ch];
                if (range > bestRange) {
                    bestRange = range;
                    best = static_cast<int>(b);
                    bestChannel = ch;
                }
            }
        }
        if (best < 0)
            break;
        auto& box = boxes[best];
        std::stable_sort(box.begin(), box.end(), [bestChannel](const Rgb8& a, const Rgb8& c) {
            return a[bestChannel] < c[bestChannel];
        });
        std::vector<Rgb8> upper(box.begin() + static_cast<long>(box.size() / 2), box.end());
        box.resize(box.size() / 2);
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgb8> palette;
    for (const auto& box : boxes) {
        if (box.empty())
            continue;
        long sum[3] = {0, 0, 0};
        for (const Rgb8& c : box)
            for (int ch = 0; ch < 3; ++ch)
                sum[ch] += c[ch];
        long n = static_cast<long>(box.size());
        palette.push_back({static_cast<int>((sum[0] + n / 2) / n),
                           static_cast<int>((sum[1] + n / 2) / n),
                           static_cast<int>((sum[2] + n / 2) / n)});
    }
    return palette;
}

int NearestIndex(const std::vector<Rgb8>& palette, const Rgb8& c, int first) {
    int best = first, bestDist = 1 << 30;
    for (size_t i = static_cast<size_t>(first); i < palette.size(); ++i) {
        int d = 0;
        for (int ch = 0; ch < 3; ++ch)
            d += (c[ch] - palette[i][ch]) * (c[ch] - palette[i][ch]);
        if (d < bestDist) {
            bestDist = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

}  // namespace velmora::assets
