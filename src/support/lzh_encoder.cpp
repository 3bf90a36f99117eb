#include "support/lzh_encoder.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

#include "support/lzh_constants.h"
#include "support/lzh_match_finder.h"
#include "support/lzh_position_code.h"

namespace velmora::lzh {

void StreamWriter::PutBits(std::uint32_t value, int length) {
    for (int i = length - 1; i >= 0; --i) {
        acc_ = static_cast<std::uint8_t>(acc_ << 1 | ((value >> i) & 1));
        if (++bit_count_ == 8) {
            out_.push_back(acc_);
            acc_ = 0;
            bit_count_ = 0;
        }
    }
}

void StreamWriter::EncodeChar(int symbol) {
    // The code is the path from the root; walk it leaf first, then send it reversed.
    std::array<std::uint8_t, T> path;
    int depth = 0;
    for (int node = tree_.LeafOf(symbol); node != R; node = tree_.parent(node)) {
        path[depth++] = static_cast<std::uint8_t>(node - tree_.son(tree_.parent(node)));
    }
    while (depth > 0) {
        PutBits(path[--depth], 1);
    }
    tree_.Update(symbol);
}

void StreamWriter::EncodePosition(int position) {
    const int upper = position >> 6;
    PutBits(kPositionEncode.p_code[upper], kPositionEncode.p_len[upper]);
    PutBits(static_cast<std::uint32_t>(position & 63), 6);
}

void StreamWriter::PutLiteral(std::uint8_t byte) {
    EncodeChar(byte);
}

void StreamWriter::PutMatch(int length, int position) {
    if (length <= THRESHOLD || length > F || position < 0 || position >= N) {
        throw std::invalid_argument("LZH match out of range");
    }
    EncodeChar(SymbolOfLength(length));
    EncodePosition(position);
}

std::vector<std::uint8_t> StreamWriter::Finish() {
    if (bit_count_ > 0) {
        out_.push_back(static_cast<std::uint8_t>(acc_ << (8 - bit_count_)));
    }
    std::vector<std::uint8_t> stream = std::move(out_);
    out_.clear();
    acc_ = 0;
    bit_count_ = 0;
    tree_.StartHuff();
    return stream;
}

std::vector<std::uint8_t> Encode(std::span<const std::uint8_t> data) {
    StreamWriter writer;
    if (data.empty()) {
        return writer.Finish();
    }
    // The decoder's ring starts as spaces, so the text is searched as if those spaces came
    // first; a match may reach back into them. The ring holds the last N bytes written,
    // so a source up to N bytes back is still there when the copy starts.
    std::vector<std::uint8_t> text(kFirstRingPosition + data.size());
    std::fill_n(text.begin(), kFirstRingPosition, kRingFill);
    std::copy(data.begin(), data.end(), text.begin() + kFirstRingPosition);
    MatchFinder finder(text, N, THRESHOLD + 1);

    const std::size_t end = text.size();
    auto longest = [&](std::size_t pos) {
        return pos < end ? finder.Find(pos, std::min<std::size_t>(F, end - pos)) : Match{};
    };
    std::size_t pos = kFirstRingPosition;
    Match pending = longest(pos);
    while (pos < end) {
        if (pending.length == 0) {
            writer.PutLiteral(text[pos]);
            pending = longest(++pos);
            continue;
        }
        // One step of lazy matching: a longer match one byte on is worth a literal.
        const Match next = longest(pos + 1);
        if (next.length > pending.length) {
            writer.PutLiteral(text[pos]);
            ++pos;
            pending = next;
            continue;
        }
        writer.PutMatch(static_cast<int>(pending.length), static_cast<int>(pending.distance - 1));
        pos += pending.length;
        pending = longest(pos);
    }
    return writer.Finish();
}

}  // namespace velmora::lzh
