#include "engine/bitboard_tables.h"

#include <limits>
#include <stdexcept>

#include "engine/evaluation_weights.h"

namespace velmora {

namespace {

template <int Size>
BitboardTables<Size> BuildTables() {
    using Bits = typename BitLayout<Size>::Bits;
    constexpr int kWidth = BitLayout<Size>::kWidth;
    BitboardTables<Size> t;
    t.bitOfSquare.fill(-1);
    t.squareOfBit.fill(-1);
    t.rankOfBit.fill(-1);
    t.bitOfRank.fill(-1);
    const auto bitAt = [](int column, int row) { return row * kWidth + column; };
    for (int column = 0; column < Size; ++column) {
        for (int row = 0; row < Size; ++row) {
            const int bit = bitAt(column, row);
            const int square = SquareAt(Size, column, row);
            t.bitOfSquare[static_cast<std::size_t>(square)] = static_cast<std::int16_t>(bit);
            t.squareOfBit[static_cast<std::size_t>(bit)] = static_cast<std::int16_t>(square);
            // The column and row steps of kBitSteps, in the same order.
            static constexpr int kDc[8] = {1, -1, 0, 1, -1, 1, 0, -1};
            static constexpr int kDr[8] = {0, 1, 1, 1, 0, -1, -1, -1};
            for (int d = 0; d < 8; ++d) {
                Bits ray = 0;
                for (int c = column + kDc[d], r = row + kDr[d];
                     c >= 0 && c < Size && r >= 0 && r < Size; c += kDc[d], r += kDr[d]) {
                    ray |= Bits{1} << bitAt(c, r);
                }
                t.rays[static_cast<std::size_t>(bit)][static_cast<std::size_t>(d)] = ray;
                if (d >= 4) {
                    Bits mirrored = 0;
                    for (int i = 0; i < BitLayout<Size>::kBits; ++i) {
                        if ((ray >> i & 1) != 0) {
                            mirrored |= Bits{1} << (BitLayout<Size>::kBits - 1 - i);
                        }
                    }
                    t.mirroredDownRays[static_cast<std::size_t>(bit)]
                                      [static_cast<std::size_t>(d - 4)] = mirrored;
                }
            }
        }
    }
    for (std::size_t bit = 0; bit < static_cast<std::size_t>(BitLayout<Size>::kBits); ++bit) {
        t.squareBit[bit] = Bits{1} << bit;
    }
    const auto order = MoveOrder(Size);
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        const int bit = t.bitOfSquare[static_cast<std::size_t>(order[rank])];
        t.rankOfBit[static_cast<std::size_t>(bit)] = static_cast<std::int8_t>(rank);
        t.bitOfRank[rank] = static_cast<std::int8_t>(bit);
        t.moveOrderMask |= Bits{1} << bit;
        t.rankGatherIndex[rank / 64][rank % 64] = static_cast<std::uint8_t>(bit % 64);
        t.ranksFromHalf[rank / 64][static_cast<std::size_t>(bit / 64)] |= std::uint64_t{1}
                                                                          << (rank % 64);
    }
    if constexpr (Size == 8) {
        for (std::size_t byte = 0; byte < 8; ++byte) {
            for (std::size_t value = 0; value < 256; ++value) {
                std::uint64_t ranks = 0;
                for (std::size_t b = 0; b < 8; ++b) {
                    const int rank = t.rankOfBit[byte * 8 + b];
                    if ((value >> b & 1U) != 0 && rank >= 0) {
                        ranks |= std::uint64_t{1} << rank;
                    }
                }
                t.orderOfByte[byte][value] = ranks;
            }
        }
    }
    const auto bitOf = [&t](int square) {
        return Bits{1} << t.bitOfSquare[static_cast<std::size_t>(square)];
    };
    const auto corners = CornerNeighbourhoods(Size);
    for (std::size_t k = 0; k < corners.size(); ++k) {
        t.cornerFlag[static_cast<std::size_t>(t.bitOfSquare[corners[k].corner])] =
            static_cast<std::uint8_t>(1U << k);
        t.cornerEdges[k] = bitOf(corners[k].edgeA) | bitOf(corners[k].edgeB);
        t.cornerDiagonals[k] = bitOf(corners[k].diagonal);
    }
    static_assert(BitboardTables<Size>::kEdgeGain == kTakenCornerEdge - kEmptyCornerEdge);
    static_assert(BitboardTables<Size>::kDiagonalGain ==
                  kTakenCornerDiagonal - kEmptyCornerDiagonal);
    const auto byBit = [&t](const CellWeights& cells) {
        typename BitboardTables<Size>::Weights weights{};
        for (int bit = 0; bit < BitLayout<Size>::kBits; ++bit) {
            const int square = t.squareOfBit[static_cast<std::size_t>(bit)];
            weights[static_cast<std::size_t>(bit)] =
                square < 0 ? 0 : cells[static_cast<std::size_t>(square)];
        }
        return weights;
    };
    for (unsigned state = 0; state < 16; ++state) {
        t.weights[state] = byBit(state == 0 ? OpeningWeights(Size) : CornerWeightsFor(Size, state));
    }
    t.cornerBase = byBit(CornerWeightsFor(Size, 0));
    const auto byHalf = [](const typename BitboardTables<Size>::Weights& weights) {
        typename BitboardTables<Size>::HalfWeights halves{};
        for (std::size_t bit = 0; bit < static_cast<std::size_t>(BitLayout<Size>::kBits); ++bit) {
            halves[bit / 64 * 65 + bit % 64] = weights[bit];
        }
        return halves;
    };
    for (std::size_t state = 0; state < 16; ++state) {
        t.halfWeights[state] = byHalf(t.weights[state]);
    }
    t.halfCornerBase = byHalf(t.cornerBase);
    const auto asBytes = [](const typename BitboardTables<Size>::Weights& weights) {
        typename BitboardTables<Size>::ByteWeights bytes{};
        for (std::size_t bit = 0; bit < bytes.size(); ++bit) {
            if (weights[bit] < std::numeric_limits<std::int8_t>::min() ||
                weights[bit] > std::numeric_limits<std::int8_t>::max()) {
                throw std::logic_error("a square weight does not fit a byte");
            }
            bytes[bit] = static_cast<std::int8_t>(weights[bit]);
        }
        return bytes;
    };
    for (std::size_t state = 0; state < 16; ++state) {
        t.byteWeights[state] = asBytes(t.weights[state]);
    }
    t.byteCornerBase = asBytes(t.cornerBase);
    for (std::size_t bit = 0; bit < static_cast<std::size_t>(BitLayout<Size>::kBits); ++bit) {
        const int rank = t.rankOfBit[bit];
        if (rank >= 0) {
            t.rankWordsOfBit[bit / 64][bit % 64][static_cast<std::size_t>(rank / 64)] =
                std::uint64_t{1} << (rank % 64);
        }
    }
    return t;
}

}  // namespace

template <int Size>
const BitboardTables<Size>& GetBitboardTables() {
    static const BitboardTables<Size> tables = BuildTables<Size>();
    return tables;
}

template const BitboardTables<8>& GetBitboardTables<8>();
template const BitboardTables<10>& GetBitboardTables<10>();

}  // namespace velmora
