#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velmora::lzh {

struct Match {
    std::size_t length = 0;
    std::size_t distance = 0;  // 1 = the byte just before
};

// Finds the longest earlier copy of the bytes at a position, within a window, through hash
// chains over 3-byte prefixes. Positions must be asked for in non-decreasing order.
class MatchFinder {
  public:
    MatchFinder(std::span<const std::uint8_t> text, std::size_t window, std::size_t min_length);

    // Longest match for `pos` of at most `max_length` bytes whose source starts within
    // `window` bytes before it; length 0 when none reaches min_length. A source may
    // overlap the bytes it matches.
    Match Find(std::size_t pos, std::size_t max_length);

  private:
    static constexpr int kHashBits = 14;
    static constexpr int kMaxChainSteps = 512;

    std::size_t Hash(std::size_t pos) const;
    void InsertUpTo(std::size_t pos);

    std::span<const std::uint8_t> text_;
    std::size_t window_;
    std::size_t min_length_;
    std::size_t inserted_ = 0;  // positions below it are in the chains
    std::vector<std::int64_t> head_;
    std::vector<std::int64_t> prev_;
};

}  // namespace velmora::lzh
