#include "support/lzh_match_finder.h"

namespace velmora::lzh {

MatchFinder::MatchFinder(std::span<const std::uint8_t> text, std::size_t window,
                         std::size_t min_length)
    : text_(text),
      window_(window),
      min_length_(min_length < 3 ? 3 : min_length),
      head_(std::size_t{1} << kHashBits, -1),
      prev_(text.size(), -1) {}

std::size_t MatchFinder::Hash(std::size_t pos) const {
    const std::uint32_t key = static_cast<std::uint32_t>(text_[pos]) << 16 |
                              static_cast<std::uint32_t>(text_[pos + 1]) << 8 | text_[pos + 2];
    return (key * 2654435761u) >> (32 - kHashBits);
}

void MatchFinder::InsertUpTo(std::size_t pos) {
    for (; inserted_ < pos && inserted_ + 2 < text_.size(); ++inserted_) {
        const std::size_t h = Hash(inserted_);
        prev_[inserted_] = head_[h];
        head_[h] = static_cast<std::int64_t>(inserted_);
    }
    if (inserted_ < pos) {
        inserted_ = pos;
    }
}

Match MatchFinder::Find(std::size_t pos, std::size_t max_length) {
    InsertUpTo(pos);
    Match best;
    if (pos + 2 >= text_.size() || max_length < min_length_) {
        return best;
    }
    if (max_length > text_.size() - pos) {
        max_length = text_.size() - pos;
    }
    const std::uint8_t* here = text_.data() + pos;
    int steps = 0;
    for (std::int64_t candidate = head_[Hash(pos)]; candidate >= 0 && steps < kMaxChainSteps;
         candidate = prev_[static_cast<std::size_t>(candidate)], ++steps) {
        const std::size_t source = static_cast<std::size_t>(candidate);
        const std::size_t distance = pos - source;
        if (distance > window_) {
            break;  // chains run from the newest position back
        }
        const std::uint8_t* there = text_.data() + source;
        if (there[best.length] != here[best.length]) {
            continue;  // cannot beat the best so far
        }
        std::size_t length = 0;
        while (length < max_length && there[length] == here[length]) {
            ++length;
        }
        if (length > best.length) {
            best = {length, distance};
            if (length == max_length) {
                break;
            }
        }
    }
    if (best.length < min_length_) {
        best = {};
    }
    return best;
}

}  // namespace velmora::lzh
