#pragma once

#include <array>
#include <cstdint>

#include "engine/board.h"

namespace velmora {

// Weights as laid out on screen: [row][column], top row first.
template <int Size>
using WeightGrid = std::array<std::array<std::int32_t, Size>, Size>;

// Used while all four corners are empty.
extern const WeightGrid<8> kOpeningWeights8;
extern const WeightGrid<10> kOpeningWeights10;
// Used once any corner is taken. The three cells next to each corner hold kRewritten here:
// they are set from the state of their corner before every evaluation.
extern const WeightGrid<8> kCornerWeights8;
extern const WeightGrid<10> kCornerWeights10;
constexpr std::int32_t kRewritten = 0;

// Next to an empty corner the squares are dangerous; next to a taken one they are safe.
constexpr std::int32_t kEmptyCornerEdge = -8;
constexpr std::int32_t kEmptyCornerDiagonal = -24;
constexpr std::int32_t kTakenCornerEdge = 12;
constexpr std::int32_t kTakenCornerDiagonal = 8;

// One weight per mailbox cell; 0 on the border ring and beyond the board.
using CellWeights = std::array<std::int32_t, kBoardCells>;
CellWeights OpeningWeights(int size);
CellWeights CornerWeights(int size);

// A corner with its two edge neighbours and its diagonal neighbour, as mailbox squares.
struct CornerNeighbourhood {
    int corner;
    int edgeA;
    int edgeB;
    int diagonal;
};
// In the order top-left, bottom-left, top-right, bottom-right (A8, A1, H8, H1 on 8 x 8).
std::array<CornerNeighbourhood, 4> CornerNeighbourhoods(int size);

// The CornerWeights table as rewritten for a given set of taken corners: bit k of
// takenCorners stands for corner k of CornerNeighbourhoods.
CellWeights CornerWeightsFor(int size, unsigned takenCorners);

}  // namespace velmora
