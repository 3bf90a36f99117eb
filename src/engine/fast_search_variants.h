#pragma once

#include <atomic>
#include <cstdint>

#include "engine/board.h"
#include "engine/search_settings.h"

namespace velmora {

// The fast and deep searches built for processors with AVX-512, with AVX2, with POPCNT and BMI1,
// and for any x86-64 (or other) processor; fast_search.cpp picks one at run time.
namespace fast_avx512 {
template <int Size>
SearchResult FastSearchVariant(const Board& board, int sideToMove, const SearchSettings& settings,
                               const std::atomic<bool>* stop);
template <int Size>
SearchResult DeepSearchVariant(const Board& board, int sideToMove, const SearchSettings& settings,
                               const std::atomic<bool>* stop, int threads);
template <int Size>
std::uint64_t FastPerftVariant(const Board& board, int sideToMove, int depth);
}  // namespace fast_avx512

namespace fast_avx2 {
template <int Size>
SearchResult FastSearchVariant(const Board& board, int sideToMove, const SearchSettings& settings,
                               const std::atomic<bool>* stop);
template <int Size>
SearchResult DeepSearchVariant(const Board& board, int sideToMove, const SearchSettings& settings,
                               const std::atomic<bool>* stop, int threads);
template <int Size>
std::uint64_t FastPerftVariant(const Board& board, int sideToMove, int depth);
}  // namespace fast_avx2

namespace fast_popcnt {
template <int Size>
SearchResult FastSearchVariant(const Board& board, int sideToMove, const SearchSettings& settings,
                               const std::atomic<bool>* stop);
template <int Size>
SearchResult DeepSearchVariant(const Board& board, int sideToMove, const SearchSettings& settings,
                               const std::atomic<bool>* stop, int threads);
template <int Size>
std::uint64_t FastPerftVariant(const Board& board, int sideToMove, int depth);
}  // namespace fast_popcnt

namespace fast_portable {
template <int Size>
SearchResult FastSearchVariant(const Board& board, int sideToMove, const SearchSettings& settings,
                               const std::atomic<bool>* stop);
template <int Size>
SearchResult DeepSearchVariant(const Board& board, int sideToMove, const SearchSettings& settings,
                               const std::atomic<bool>* stop, int threads);
template <int Size>
std::uint64_t FastPerftVariant(const Board& board, int sideToMove, int depth);
}  // namespace fast_portable

}  // namespace velmora
