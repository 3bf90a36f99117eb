#include "engine/fast_search.h"

#include "engine/fast_search_variants.h"

namespace velmora {

bool FastSearchUsesPopcnt() {
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool supported = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("popcnt") && __builtin_cpu_supports("bmi");
    }();
    return supported;
#else
    return false;
#endif
}

template <int Size>
SearchResult FastSearchOn(const Board& board, int sideToMove, const SearchSettings& settings,
                          const std::atomic<bool>* stop) {
    return FastSearchUsesPopcnt()
               ? fast_popcnt::FastSearchVariant<Size>(board, sideToMove, settings, stop)
               : fast_portable::FastSearchVariant<Size>(board, sideToMove, settings, stop);
}

template SearchResult FastSearchOn<8>(const Board&, int, const SearchSettings&,
                                      const std::atomic<bool>*);
template SearchResult FastSearchOn<10>(const Board&, int, const SearchSettings&,
                                       const std::atomic<bool>*);

std::uint64_t FastPerft(const Board& board, int size, int sideToMove, int depth) {
    if (FastSearchUsesPopcnt()) {
        return size == 10 ? fast_popcnt::FastPerftVariant<10>(board, sideToMove, depth)
                          : fast_popcnt::FastPerftVariant<8>(board, sideToMove, depth);
    }
    return size == 10 ? fast_portable::FastPerftVariant<10>(board, sideToMove, depth)
                      : fast_portable::FastPerftVariant<8>(board, sideToMove, depth);
}

}  // namespace velmora
