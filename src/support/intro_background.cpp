#include "support/intro_background.h"

#include <array>

#include "support/intro_sizes.h"
#include "support/intro_tables.h"

namespace velmora {

namespace {

constexpr std::int32_t kQuarterTurn = IntroTables::kFixedAngleSteps / 4;

// Texture coordinates run round the texture: all arithmetic on them wraps at 32 bits.
std::uint32_t Wrap(std::int64_t value) {
    return static_cast<std::uint32_t>(value);
}

}  // namespace

IntroTextureStep IntroBackgroundStep(std::int32_t angle, std::int32_t zoom) {
    const IntroTables& tables = GetIntroTables();
    const int index = angle & (IntroTables::kFixedAngleSteps - 1);
    // 16.16 times 8.24 needs 64 bits before it is brought back to 8.24.
    return {static_cast<std::int32_t>(std::int64_t{tables.fixedCosine[index]} * zoom / 65536),
            static_cast<std::int32_t>(std::int64_t{tables.fixedSine[index]} * zoom / 65536)};
}

void DrawIntroBackground(std::span<const std::uint8_t> texture, IntroBackgroundView view,
                         std::span<std::uint32_t> frame) {
    if (texture.size() < static_cast<std::size_t>(kIntroTextureBytes) ||
        frame.size() < static_cast<std::size_t>(kIntroWidth * kIntroHeight)) {
        return;
    }
    std::array<std::uint32_t, 256> palette;
    for (int i = 0; i < 256; ++i) {
        palette[i] = texture[i * 4] | texture[i * 4 + 1] << 8 | texture[i * 4 + 2] << 16;
    }
    const std::uint8_t* map = texture.data() + kIntroPaletteBytes;

    const IntroTextureStep along = IntroBackgroundStep(view.angle, view.zoom);
    const IntroTextureStep across = IntroBackgroundStep(view.angle + kQuarterTurn, view.zoom);
    std::uint32_t rowU = Wrap(std::int64_t{view.u} - 190LL * along.du - 130LL * across.du);
    std::uint32_t rowV = Wrap(std::int64_t{view.v} - 190LL * along.dv - 130LL * across.dv);
    const std::uint32_t du = Wrap(along.du), dv = Wrap(along.dv);
    std::uint32_t* pixel = frame.data();
    for (int row = 0; row < kIntroHeight; ++row) {
        std::uint32_t u = rowU, v = rowV;
        for (int x = 0; x < kIntroWidth; ++x) {
            u += du;
            v += dv;
            // The integer parts, taken modulo 256, pick the texel: the texture tiles.
            *pixel++ = palette[map[(u >> 24) << 8 | v >> 24]];
        }
        rowU += Wrap(across.du);
        rowV += Wrap(across.dv);
    }
}

}  // namespace velmora
