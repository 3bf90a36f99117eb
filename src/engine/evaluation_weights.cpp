#include "engine/evaluation_weights.h"

namespace velmora {

namespace {

constexpr std::int32_t R = kRewritten;

template <std::size_t Size>
CellWeights ToCells(const std::array<std::array<std::int32_t, Size>, Size>& grid) {
    constexpr int size = static_cast<int>(Size);
    CellWeights cells{};
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            cells[static_cast<std::size_t>(SquareAt(size, column, row))] =
                grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
        }
    }
    return cells;
}

}  // namespace

// clang-format off
const WeightGrid<8> kOpeningWeights8 = {{
    {99,  -8,  8,  6,  6,  8,  -8, 99},
    {-8, -24, -4, -3, -3, -4, -24, -8},
    { 8,  -4,  7,  4,  4,  7,  -4,  8},
    { 6,  -3,  4,  0,  0,  4,  -3,  6},
    { 6,  -3,  4,  0,  0,  4,  -3,  6},
    { 8,  -4,  7,  4,  4,  7,  -4,  8},
    {-8, -24, -4, -3, -3, -4, -24, -8},
    {99,  -8,  8,  6,  6,  8,  -8, 99},
}};

const WeightGrid<8> kCornerWeights8 = {{
    {99, R, 8, 6, 6, 8, R, 99},
    { R, R, 0, 1, 1, 0, R,  R},
    { 8, 0, 7, 4, 4, 7, 0,  8},
    { 6, 1, 4, 1, 1, 4, 1,  6},
    { 6, 1, 4, 1, 1, 4, 1,  6},
    { 8, 0, 7, 4, 4, 7, 0,  8},
    { R, R, 0, 1, 1, 0, R,  R},
    {99, R, 8, 6, 6, 8, R, 99},
}};

const WeightGrid<10> kOpeningWeights10 = {{
    {99,  -8,  8,  7,  6,  6,  7,  8,  -8, 99},
    {-8, -24, -4, -3, -2, -2, -3, -4, -24, -8},
    { 8,  -4,  8,  3,  4,  4,  3,  8,  -4,  8},
    { 7,  -3,  3, -2, -1, -1, -2,  3,  -3,  7},
    { 6,  -2,  4, -1,  0,  0, -1,  4,  -2,  6},
    { 6,  -2,  4, -1,  0,  0, -1,  4,  -2,  6},
    { 7,  -3,  3, -2, -1, -1, -2,  3,  -3,  7},
    { 8,  -4,  8,  3,  4,  4,  3,  8,  -4,  8},
    {-8, -24, -4, -3, -2, -2, -3, -4, -24, -8},
    {99,  -8,  8,  7,  6,  6,  7,  8,  -8, 99},
}};

// Not mirror-symmetric: the second row from the bottom keeps -3 and -2 where the second
// row from the top has -2 and -1.
const WeightGrid<10> kCornerWeights10 = {{
    {99,  R, 8,  7,  6,  6,  7, 8,  R, 99},
    { R,  R, 0, -2, -1, -1, -2, 0,  R,  R},
    { 8,  0, 8,  3,  4,  4,  3, 8,  0,  8},
    { 7, -2, 3, -2, -1, -1, -2, 3, -2,  7},
    { 6, -1, 4, -1,  1,  1, -1, 4, -1,  6},
    { 6, -1, 4, -1,  1,  1, -1, 4, -1,  6},
    { 7, -2, 3, -2, -1, -1, -2, 3, -2,  7},
    { 8,  0, 8,  3,  4,  4,  3, 8,  0,  8},
    { R,  R, 0, -3, -2, -2, -3, 0,  R,  R},
    {99,  R, 8,  7,  6,  6,  7, 8,  R, 99},
}};
// clang-format on

CellWeights OpeningWeights(int size) {
    return size == 10 ? ToCells(kOpeningWeights10) : ToCells(kOpeningWeights8);
}

CellWeights CornerWeights(int size) {
    return size == 10 ? ToCells(kCornerWeights10) : ToCells(kCornerWeights8);
}

std::array<CornerNeighbourhood, 4> CornerNeighbourhoods(int size) {
    const int last = size - 1;
    std::array<CornerNeighbourhood, 4> corners{};
    int k = 0;
    for (const int column : {0, last}) {
        for (const int row : {0, last}) {
            const int inwardColumn = column == 0 ? 1 : last - 1;
            const int inwardRow = row == 0 ? 1 : last - 1;
            corners[k++] = {SquareAt(size, column, row), SquareAt(size, column, inwardRow),
                            SquareAt(size, inwardColumn, row),
                            SquareAt(size, inwardColumn, inwardRow)};
        }
    }
    return corners;
}

CellWeights CornerWeightsFor(int size, unsigned takenCorners) {
    CellWeights weights = CornerWeights(size);
    const auto corners = CornerNeighbourhoods(size);
    for (std::size_t k = 0; k < corners.size(); ++k) {
        const bool taken = (takenCorners >> k & 1U) != 0;
        const std::int32_t edge = taken ? kTakenCornerEdge : kEmptyCornerEdge;
        weights[corners[k].edgeA] = edge;
        weights[corners[k].edgeB] = edge;
        weights[corners[k].diagonal] = taken ? kTakenCornerDiagonal : kEmptyCornerDiagonal;
    }
    return weights;
}

}  // namespace velmora
