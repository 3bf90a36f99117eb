// One intro frame: scroller, object, background and both tints, from a state that moves
// on every iteration as the animation's does.

#include <benchmark/benchmark.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "support/intro_background.h"
#include "support/intro_blend.h"
#include "support/intro_mesh.h"
#include "support/intro_object.h"
#include "support/intro_renderer.h"
#include "support/intro_sizes.h"
#include "support/intro_state.h"
#include "support/packed_resource.h"

namespace velmora {
namespace {

void PutU16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutF32(std::vector<std::uint8_t>& out, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
}

// A torus of 26 x 22 vertices and 1144 faces, about the size of the program's object.
std::vector<std::uint8_t> TorusMesh() {
    constexpr int kRings = 26, kSegments = 22;
    std::vector<std::uint8_t> out{'3', 'D'};
    PutU16(out, 1);
    PutU16(out, 1);
    PutU16(out, kRings * kSegments);
    PutU16(out, kRings * kSegments * 2);
    for (int i = 0; i < 3; ++i) {
        PutF32(out, 0.3f);
    }
    PutU16(out, kRings * kSegments);
    PutU16(out, kRings * kSegments * 2);
    for (int i = 0; i < kRings; ++i) {
        for (int j = 0; j < kSegments; ++j) {
            const double a = 2 * std::numbers::pi * i / kRings;
            const double b = 2 * std::numbers::pi * j / kSegments;
            const double r = 3 + std::cos(b);
            PutF32(out, static_cast<float>(r * std::cos(a)));
            PutF32(out, static_cast<float>(r * std::sin(a)));
            PutF32(out, static_cast<float>(std::sin(b)));
        }
    }
    const auto at = [](int i, int j) { return (i % kRings) * kSegments + j % kSegments; };
    for (int i = 0; i < kRings; ++i) {
        for (int j = 0; j < kSegments; ++j) {
            for (const int index : {at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j),
                                    at(i + 1, j + 1), at(i, j + 1)}) {
                PutU16(out, static_cast<unsigned>(index));
            }
        }
    }
    return out;
}

IntroResources Resources() {
    std::mt19937 random(1);
    IntroResources resources;
    resources.mesh = TorusMesh();
    // Glyphs of 4 inked columns and 2 blank ones.
    resources.font.assign(kIntroFontBytes, 255);
    for (int column = 8; column < kIntroFontColumns; ++column) {
        if ((column - 8) % 6 < 4) {
            for (int row = 2; row < 18; ++row) {
                resources.font[row * kIntroFontColumns + column] = random() % 200;
            }
        }
    }
    // The front image: clear but for a border and a title of letter-sized blots, about a
    // fifth of it inked.
    resources.front.assign(kIntroFrontBytes, 255);
    for (int row = 30; row < kIntroHeight; ++row) {
        for (int x = 0; x < kIntroWidth; ++x) {
            const bool border = row < 34 || row > kIntroHeight - 5 || x < 4 || x > kIntroWidth - 5;
            const bool title = row > 180 && row < 240 && x > 30 && x < 350 && (x / 9) % 3 != 2 &&
                               random() % 4 != 0;
            if (border || title) {
                resources.front[row * kIntroWidth + x] = random() % 255;
            }
        }
    }
    resources.texture.resize(kIntroTextureBytes);
    for (std::uint8_t& byte : resources.texture) {
        byte = random() % 256;
    }
    return resources;
}

// Advances and draws one frame per iteration, from the same start every time.
void RenderFrames(benchmark::State& bench, const IntroResources& resources) {
    IntroRenderer renderer(resources);
    std::mt19937 random(2);
    IntroState state = InitialIntroState(random);
    for (auto _ : bench) {
        AdvanceIntroState(state, renderer.TextWidth(), random);
        renderer.Render(state.Frame());
        benchmark::DoNotOptimize(renderer.Frame().data());
    }
}

void BM_IntroFrame(benchmark::State& bench) {
    RenderFrames(bench, Resources());
}
BENCHMARK(BM_IntroFrame)->Unit(benchmark::kMicrosecond);

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Unpacked(const std::string& path) {
    auto bytes = UnpackResource(ReadFile(path));
    return bytes ? std::move(*bytes) : std::vector<std::uint8_t>{};
}

// The same with the resources the program carries.
void BM_IntroFrameProgramResources(benchmark::State& bench) {
    const std::string folder = VELMORA_SOURCE_DIR "/resources/intro/";
    IntroResources resources{ReadFile(folder + "INTRO_3DMESH"), Unpacked(folder + "INTRO_FONTIM"),
                             Unpacked(folder + "INTRO_FRONTIM_RUS"),
                             Unpacked(folder + "INTRO_BACKFONE")};
    if (resources.mesh.empty() || resources.font.empty() || resources.front.empty() ||
        resources.texture.empty()) {
        bench.SkipWithError("the program's intro resources are missing");
        return;
    }
    RenderFrames(bench, resources);
}
BENCHMARK(BM_IntroFrameProgramResources)->Unit(benchmark::kMicrosecond);

// The frame's parts, to see where its time goes.
void BM_IntroBackground(benchmark::State& bench) {
    const IntroResources resources = Resources();
    std::vector<std::uint32_t> frame(kIntroWidth * kIntroHeight);
    std::int32_t angle = 0;
    for (auto _ : bench) {
        DrawIntroBackground(resources.texture, {angle++ & 32767, 20000000, 0, 0}, frame);
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(BM_IntroBackground)->Unit(benchmark::kMicrosecond);

void BM_IntroObject(benchmark::State& bench) {
    const IntroMesh mesh = *LoadIntroMesh(TorusMesh());
    IntroLayers layers;
    std::vector<IntroProjected> projected;
    int spin = 0;
    for (auto _ : bench) {
        layers.Clear();
        DrawIntroObject(mesh, {1536, 40, spin++}, projected, layers);
        benchmark::DoNotOptimize(layers.shade.data());
    }
}
BENCHMARK(BM_IntroObject)->Unit(benchmark::kMicrosecond);

void BM_IntroTints(benchmark::State& bench) {
    const IntroResources resources = Resources();
    std::vector<std::uint8_t> front = resources.front;
    for (std::uint8_t& value : front) {
        ++value;
    }
    std::vector<std::uint8_t> shade(kIntroWidth * kIntroLayerHeight);
    for (std::size_t i = 0; i < shade.size(); i += 3) {
        shade[i] = static_cast<std::uint8_t>(i);
    }
    std::vector<std::uint32_t> frame(kIntroWidth * kIntroHeight, 0x123456);
    for (auto _ : bench) {
        BlendIntroShade(shade, frame);
        BlendIntroFront(front, frame);
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(BM_IntroTints)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora
