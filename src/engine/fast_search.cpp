#include "engine/fast_search.h"

#include "engine/fast_search_variants.h"

namespace velmora {

FastSearchBuild SelectedFastSearchBuild() {
#if defined(__x86_64__) && defined(__GNUC__)
    static const FastSearchBuild build = [] {
        __builtin_cpu_init();
        if (!__builtin_cpu_supports("popcnt") || !__builtin_cpu_supports("bmi")) {
            return FastSearchBuild::Portable;
        }
        if (!__builtin_cpu_supports("avx2")) {
            return FastSearchBuild::Popcnt;
        }
        const bool avx512 =
            __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
            __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi2") &&
            __builtin_cpu_supports("avx512bitalg") && __builtin_cpu_supports("gfni");
        return avx512 ? FastSearchBuild::Avx512 : FastSearchBuild::Avx2;
    }();
    return build;
#else
    return FastSearchBuild::Portable;
#endif
}

const char* FastSearchBuildName(FastSearchBuild build) {
    switch (build) {
        case FastSearchBuild::Avx512:
            return "avx512";
        case FastSearchBuild::Avx2:
            return "avx2";
        case FastSearchBuild::Popcnt:
            return "popcnt";
        case FastSearchBuild::Portable:
            break;
    }
    return "portable";
}

template <int Size>
SearchResult FastSearchOn(const Board& board, int sideToMove, const SearchSettings& settings,
                          const std::atomic<bool>* stop) {
    switch (SelectedFastSearchBuild()) {
        case FastSearchBuild::Avx512:
            return fast_avx512::FastSearchVariant<Size>(board, sideToMove, settings, stop);
        case FastSearchBuild::Avx2:
            return fast_avx2::FastSearchVariant<Size>(board, sideToMove, settings, stop);
        case FastSearchBuild::Popcnt:
            return fast_popcnt::FastSearchVariant<Size>(board, sideToMove, settings, stop);
        case FastSearchBuild::Portable:
            break;
    }
    return fast_portable::FastSearchVariant<Size>(board, sideToMove, settings, stop);
}

template SearchResult FastSearchOn<8>(const Board&, int, const SearchSettings&,
                                      const std::atomic<bool>*);
template SearchResult FastSearchOn<10>(const Board&, int, const SearchSettings&,
                                       const std::atomic<bool>*);

std::vector<FastSearchBuild> SupportedFastSearchBuilds() {
    std::vector<FastSearchBuild> builds = {FastSearchBuild::Portable};
    const FastSearchBuild best = SelectedFastSearchBuild();
    for (const FastSearchBuild build :
         {FastSearchBuild::Popcnt, FastSearchBuild::Avx2, FastSearchBuild::Avx512}) {
        if (static_cast<int>(build) <= static_cast<int>(best)) {
            builds.push_back(build);
        }
    }
    return builds;
}

SearchFunction FastSearchOfBuild(int size, FastSearchBuild build) {
    const bool ten = size == 10;
    switch (build) {
        case FastSearchBuild::Avx512:
            return ten ? &fast_avx512::FastSearchVariant<10> : &fast_avx512::FastSearchVariant<8>;
        case FastSearchBuild::Avx2:
            return ten ? &fast_avx2::FastSearchVariant<10> : &fast_avx2::FastSearchVariant<8>;
        case FastSearchBuild::Popcnt:
            return ten ? &fast_popcnt::FastSearchVariant<10> : &fast_popcnt::FastSearchVariant<8>;
        case FastSearchBuild::Portable:
            break;
    }
    return ten ? &fast_portable::FastSearchVariant<10> : &fast_portable::FastSearchVariant<8>;
}

namespace {

template <int Size>
std::uint64_t FastPerftOn(const Board& board, int sideToMove, int depth) {
    switch (SelectedFastSearchBuild()) {
        case FastSearchBuild::Avx512:
            return fast_avx512::FastPerftVariant<Size>(board, sideToMove, depth);
        case FastSearchBuild::Avx2:
            return fast_avx2::FastPerftVariant<Size>(board, sideToMove, depth);
        case FastSearchBuild::Popcnt:
            return fast_popcnt::FastPerftVariant<Size>(board, sideToMove, depth);
        case FastSearchBuild::Portable:
            break;
    }
    return fast_portable::FastPerftVariant<Size>(board, sideToMove, depth);
}

}  // namespace

std::uint64_t FastPerft(const Board& board, int size, int sideToMove, int depth) {
    return size == 10 ? FastPerftOn<10>(board, sideToMove, depth)
                      : FastPerftOn<8>(board, sideToMove, depth);
}

}  // namespace velmora
