#include "support/lzh_decoder.h"

#include <algorithm>

#include "support/lzh_position_code.h"

namespace velmora::lzh {

void Decoder::TopUp() {
    if (bit_count_ <= 8) {
        const unsigned byte = in_pos_ < input_.size() ? input_[in_pos_] : 0;
        ++in_pos_;
        bit_buf_ = static_cast<std::uint16_t>(bit_buf_ | (byte << (8 - bit_count_)));
        bit_count_ = static_cast<std::uint8_t>(bit_count_ + 8);
    }
}

int Decoder::GetBit() {
    TopUp();
    const int bit = bit_buf_ >> 15;
    bit_buf_ = static_cast<std::uint16_t>(bit_buf_ << 1);
    --bit_count_;
    return bit;
}

int Decoder::GetByte() {
    TopUp();
    const int byte = bit_buf_ >> 8;
    bit_buf_ = static_cast<std::uint16_t>(bit_buf_ << 8);
    bit_count_ = static_cast<std::uint8_t>(bit_count_ - 8);
    return byte;
}

int Decoder::DecodeChar() {
    int c = tree_.son(R);
    while (c < T) {
        c = tree_.son(c + GetBit());
    }
    const int symbol = c - T;
    tree_.Update(symbol);
    return symbol;
}

int Decoder::DecodePosition() {
    int b = GetByte();
    const int upper = kPositionDecode.d_code[b];
    for (int extra = kPositionDecode.d_len[b] - 2; extra > 0; --extra) {
        b = ((b << 1) + GetBit()) & 0xFFFF;
    }
    return upper | (b & 63);
}

std::size_t Decoder::Decode(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    // 1. Fresh tree and bit reader.
    tree_.StartHuff();
    input_ = input;
    in_pos_ = 0;
    bit_buf_ = 0;
    bit_count_ = 0;

    // 2. The ring starts as spaces, its last F places as zero.
    text_buf_.fill(0);
    std::fill_n(text_buf_.begin(), kFirstRingPosition, kRingFill);
    unsigned r = kFirstRingPosition;
    constexpr unsigned kMask = N - 1;

    // 3. Literals go straight out; matches copy byte by byte so that an overlapping source
    // repeats what was just written. A final match is cut at the end of the output.
    std::size_t count = 0;
    const std::size_t size = output.size();
    while (count < size) {
        const int c = DecodeChar();
        if (c < kFirstLengthSymbol) {
            output[count++] = static_cast<std::uint8_t>(c);
            text_buf_[r] = static_cast<std::uint8_t>(c);
            r = (r + 1) & kMask;
        } else {
            const unsigned from = (r - static_cast<unsigned>(DecodePosition()) - 1) & kMask;
            const int length = LengthOfSymbol(c);
            for (int k = 0; k < length && count < size; ++k) {
                const std::uint8_t b = text_buf_[(from + static_cast<unsigned>(k)) & kMask];
                output[count++] = b;
                text_buf_[r] = b;
                r = (r + 1) & kMask;
            }
        }
    }
    input_ = {};
    return in_pos_;
}

}  // namespace velmora::lzh
