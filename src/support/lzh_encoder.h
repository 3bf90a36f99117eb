#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "support/lzh_tree.h"

namespace velmora::lzh {

// Writes LZHUF symbols as a bit stream, most significant bit first, the last byte padded
// with zeros. The symbol-level half of Encode; tests use it to build streams by hand.
class StreamWriter {
  public:
    void PutLiteral(std::uint8_t byte);
    // A copy of `length` (3..F) bytes starting `position` + 1 bytes back (position 0..N-1).
    void PutMatch(int length, int position);
    // The stream so far, flushed; the writer starts afresh afterwards.
    std::vector<std::uint8_t> Finish();

  private:
    void PutBits(std::uint32_t value, int length);
    void EncodeChar(int symbol);
    void EncodePosition(int position);

    Tree tree_;
    std::vector<std::uint8_t> out_;
    std::uint8_t acc_ = 0;
    int bit_count_ = 0;
};

// Compresses `data` into the LZHUF bit stream that Decoder expands back (the stream only,
// without any size header; the decoder must be told the size).
std::vector<std::uint8_t> Encode(std::span<const std::uint8_t> data);

}  // namespace velmora::lzh
