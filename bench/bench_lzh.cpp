// LZH codec throughput on data shaped like the intro's pictures (98 800 bytes: smooth
// gradients with repeats) and on incompressible noise.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "support/lzh_decoder.h"
#include "support/lzh_encoder.h"

namespace velmora {
namespace {

std::vector<std::uint8_t> PictureLike(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    std::mt19937 random(1);
    for (std::size_t i = 0; i < size; ++i) {
        const std::size_t x = i % 260, y = i / 260;
        bytes[i] = static_cast<std::uint8_t>(((x / 4) ^ (y / 8)) + (random() % 3 == 0));
    }
    return bytes;
}

std::vector<std::uint8_t> Noise(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    std::mt19937 random(2);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

void Decode(benchmark::State& state, std::vector<std::uint8_t> (*make)(std::size_t)) {
    const auto data = make(98800);
    const auto stream = lzh::Encode(data);
    std::vector<std::uint8_t> out(data.size());
    lzh::Decoder decoder;
    for (auto _ : state) {
        decoder.Decode(stream, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
    state.counters["ratio"] = static_cast<double>(stream.size()) / data.size();
}

void Encode(benchmark::State& state, std::vector<std::uint8_t> (*make)(std::size_t)) {
    const auto data = make(98800);
    for (auto _ : state) {
        benchmark::DoNotOptimize(lzh::Encode(data));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}

BENCHMARK_CAPTURE(Decode, picture, PictureLike)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, noise, Noise)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, picture, PictureLike)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, noise, Noise)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora
