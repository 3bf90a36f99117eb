#pragma once

#include <array>
#include <cstdint>

#include "engine/board.h"

namespace velmora {

// How the fast search lays a board out in bits: bit = row * kWidth + column, row 0 at the
// top. 10 x 10 keeps an empty eleventh column so that runs stop at the edge by themselves.
template <int Size>
struct BitLayout;

template <>
struct BitLayout<8> {
    using Bits = std::uint64_t;
    // The legal-move set in move-order rank space (60 ranks).
    using OrderBits = std::uint64_t;
    static constexpr int kWidth = 8;
    static constexpr int kBits = 64;
};

template <>
struct BitLayout<10> {
    using Bits = unsigned __int128;
    using OrderBits = unsigned __int128;  // 96 ranks
    static constexpr int kWidth = 11;
    static constexpr int kBits = 128;
};

// Every playing square's bit.
template <int Size>
constexpr typename BitLayout<Size>::Bits BoardMask() {
    typename BitLayout<Size>::Bits mask = 0;
    for (int row = 0; row < Size; ++row) {
        for (int column = 0; column < Size; ++column) {
            mask |= typename BitLayout<Size>::Bits{1} << (row * BitLayout<Size>::kWidth + column);
        }
    }
    return mask;
}

// Directions in bit steps; the first four raise the bit index, the last four lower it.
template <int Size>
constexpr std::array<int, 8> kBitSteps = {
    1,  BitLayout<Size>::kWidth - 1,    BitLayout<Size>::kWidth,  BitLayout<Size>::kWidth + 1,
    -1, -(BitLayout<Size>::kWidth - 1), -BitLayout<Size>::kWidth, -(BitLayout<Size>::kWidth + 1)};

// Everything the fast search looks up, built once per size.
template <int Size>
struct BitboardTables {
    using Bits = typename BitLayout<Size>::Bits;
    static constexpr int kBits = BitLayout<Size>::kBits;

    // The squares a move may be played on: every playing square except the four centre ones.
    Bits moveOrderMask = 0;
    // The set of each single bit.
    std::array<Bits, kBits> squareBit{};
    // Per square and direction: the squares beyond it up to the edge.
    std::array<std::array<Bits, 8>, kBits> rays{};
    // The last four rays (towards lower bits) with every bit index i mirrored to kBits - 1 - i:
    // mirrored, they run towards higher bits, where the first stopper is the cheap lowest one.
    std::array<std::array<Bits, 4>, kBits> mirroredDownRays{};
    std::array<std::int16_t, kBoardCells> bitOfSquare{};  // -1 off the board
    std::array<std::int16_t, kBits> squareOfBit{};        // mailbox square, -1 off the board
    // Move order: rank of a bit (-1 off the order) and bit of a rank.
    std::array<std::int8_t, kBits> rankOfBit{};
    std::array<std::int8_t, kBits> bitOfRank{};
    // 8 x 8 only: the rank set of each byte value of each byte of a move set.
    std::array<std::array<std::uint64_t, 256>, Size == 8 ? 8 : 0> orderOfByte{};
    // For gathering a move set's bits into rank order 64 ranks at a time: per 64 ranks, the
    // bit within its 64-bit half that holds each rank, and which ranks come from which half.
    std::array<std::array<std::uint8_t, 64>, kBits / 64> rankGatherIndex{};
    std::array<std::array<std::uint64_t, kBits / 64>, kBits / 64> ranksFromHalf{};
    // Corner state: bit k set when corner k (CornerNeighbourhoods order) holds a disc.
    std::array<std::uint8_t, kBits> cornerFlag{};
    // Weights per bit for every corner state; state 0 is the opening table. The extra last
    // entry is 0, for the lowest index of an empty set.
    using Weights = std::array<std::int32_t, kBits + 1>;
    std::array<Weights, 16> weights{};
    // The corner table while no corner is taken, wanted the moment the first one is.
    Weights cornerBase{};
    // The same tables for summing the weights of a set 64 bits at a time: 65 entries per
    // 64-bit half, the last one a zero for an empty half.
    static constexpr int kHalves = kBits / 64;
    using HalfWeights = std::array<std::int32_t, 65 * kHalves>;
    std::array<HalfWeights, 16> halfWeights{};
    HalfWeights halfCornerBase{};
    // The same weights as bytes (each fits one), for summing a set with one masked load.
    using ByteWeights = std::array<std::int8_t, kBits>;
    std::array<ByteWeights, 16> byteWeights{};
    ByteWeights byteCornerBase{};
    // 10 x 10: the rank set of each bit, as two 64-bit words, per 64-bit half with a zero
    // entry for an empty half.
    std::array<std::array<std::array<std::uint64_t, 2>, 65>, kHalves> rankWordsOfBit{};
    // Per corner: its two edge neighbours and its diagonal neighbour, and how much more
    // each is worth once that corner is taken.
    std::array<Bits, 4> cornerEdges{};
    std::array<Bits, 4> cornerDiagonals{};
    static constexpr int kEdgeGain = 20;
    static constexpr int kDiagonalGain = 32;
};

template <int Size>
const BitboardTables<Size>& GetBitboardTables();

}  // namespace velmora
