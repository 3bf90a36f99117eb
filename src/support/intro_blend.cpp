#include "support/intro_blend.h"

#include <array>
#include <cstring>

#include "support/intro_sizes.h"
#include "support/intro_tables.h"

namespace velmora {

namespace {

// Channel-wise blends through the multiply table, on whole 0x00RRGGBB pixels. The two
// products of a channel add up to at most 254, so packed sums never carry.
class TintMixer {
  public:
    TintMixer() : mul_(GetIntroTables().multiply.data()) {
        for (int keep = 0; keep < 256; ++keep) {
            const std::uint8_t* byTint = mul_ + (255 - keep) * 256;
            tintFor_[keep] = byTint[kIntroTint & 0xFF] | byTint[kIntroTint >> 8 & 0xFF] << 8 |
                             byTint[kIntroTint >> 16 & 0xFF] << 16;
        }
    }

    // mul(x, keep) + mul(tint, 255 - keep) for each channel x.
    std::uint32_t Mix(std::uint32_t pixel, int keep) const {
        const std::uint8_t* byKeep = mul_ + keep * 256;
        return (byKeep[pixel & 0xFF] | byKeep[pixel >> 8 & 0xFF] << 8 |
                byKeep[pixel >> 16 & 0xFF] << 16) +
               tintFor_[keep];
    }

  private:
    const std::uint8_t* mul_;
    std::array<std::uint32_t, 256> tintFor_;
};

std::uint32_t Darken(std::uint32_t pixel, int loss) {
    std::uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int channel = static_cast<int>(pixel >> shift & 0xFF) - loss;
        result |= static_cast<std::uint32_t>(channel > 0 ? channel : 0) << shift;
    }
    return result;
}

}  // namespace

void BlendIntroShade(std::span<const std::uint8_t> shade, std::span<std::uint32_t> frame) {
    if (shade.size() < static_cast<std::size_t>(kIntroWidth * kIntroLayerHeight) ||
        frame.size() < static_cast<std::size_t>(kIntroWidth * kIntroHeight)) {
        return;
    }
    const TintMixer mixer;
    std::uint32_t* target = frame.data() + kIntroShadeFirstRow * kIntroWidth;
    for (int i = 0; i < kIntroWidth * kIntroLayerHeight; ++i) {
        if (const int s = shade[i]) {
            target[i] = mixer.Mix(target[i], 255 - s);
        }
    }
}

void BlendIntroFront(std::span<const std::uint8_t> front, std::span<std::uint32_t> frame) {
    if (front.size() < static_cast<std::size_t>(kIntroFrontBytes) ||
        frame.size() < static_cast<std::size_t>(kIntroWidth * kIntroHeight)) {
        return;
    }
    const TintMixer mixer;
    for (int row = kIntroHeight - 1; row >= kIntroFrontFirstRow; --row) {
        const std::uint8_t* coverage = front.data() + row * kIntroWidth;
        std::uint32_t* pixels = frame.data() + row * kIntroWidth;
        std::uint32_t* shadow = frame.data() + (row - 2) * kIntroWidth + 2;
        for (int x = 0; x < kIntroWidth; ++x) {
            // Most of the image is clear: skip clear runs eight at a time.
            if (x % 8 == 0 && x + 8 <= kIntroWidth) {
                std::uint64_t eight;
                std::memcpy(&eight, coverage + x, sizeof eight);
                if (eight == 0) {
                    x += 7;
                    continue;
                }
            }
            const int a = coverage[x];
            if (a == 0) {
                continue;
            }
            // The shadow falls two rows lower, so it goes before the tint of its own row;
            // it is not cast past the right edge.
            if (x + 2 < kIntroWidth) {
                shadow[x] = Darken(shadow[x], (255 - a) / 4);
            }
            pixels[x] = mixer.Mix(pixels[x], a);
        }
    }
}

}  // namespace velmora
