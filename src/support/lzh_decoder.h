#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "support/lzh_constants.h"
#include "support/lzh_tree.h"

namespace velmora::lzh {

// Expands an LZHUF bit stream. Each Decode starts afresh; one object may decode many
// streams but only one at a time. Whatever the stream holds, the decoder reads nothing
// outside `input` (bits beyond its end read as zero) and writes nothing outside `output`.
class Decoder {
  public:
    // Fills all of `output` from the stream; returns how many input bytes it took,
    // counting the zero bytes supplied past the end.
    std::size_t Decode(std::span<const std::uint8_t> input, std::span<std::uint8_t> output);

  private:
    void TopUp();
    int GetBit();
    int GetByte();
    int DecodeChar();
    int DecodePosition();

    Tree tree_;
    std::array<std::uint8_t, N> text_buf_{};
    std::span<const std::uint8_t> input_;
    std::size_t in_pos_ = 0;
    std::uint16_t bit_buf_ = 0;
    std::uint8_t bit_count_ = 0;
};

}  // namespace velmora::lzh
