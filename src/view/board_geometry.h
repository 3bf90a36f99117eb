#pragma once

namespace velmora {

// Where everything of the board lies, for one board size. Picture coordinates count rows from
// the top; block rows count from the bottom of the back buffer.
struct BoardGeometry {
    static constexpr int kBorder = 20;       // strip width on all four sides
    static constexpr int kFrame = 2;         // sunken frame around the back buffer in the window
    static constexpr int kPointOffset = 20;  // mouse positions are measured from here

    int size = 8;
    int cell = 61;
    int halfCell = 30;

    int BackSide() const { return size * cell + 2 * kBorder; }
    int BoardAreaSide() const { return BackSide() + 2 * kFrame; }
    // Top-left pixel of a square in the back buffer, picture coordinates.
    int SquareX(int col) const { return kBorder + cell * col; }
    int SquareY(int row) const { return kBorder + cell * row; }
    // Lowest block row of a square.
    int SquareBlockRow(int row) const { return (size - 1 - row) * cell + kBorder; }
    // Top-left pixel of a square in the board widget (the window's client area).
    int ClientX(int col) const { return kFrame + SquareX(col); }
    int ClientY(int row) const { return kFrame + SquareY(row); }
    // Where the hint puts the mouse pointer.
    int HintPointX(int col) const { return kPointOffset + cell * col + halfCell; }
    int HintPointY(int row) const { return kPointOffset + cell * row + halfCell; }
    // Where the arrow keys put the mouse pointer.
    int KeyPointX(int col) const { return kPointOffset + cell * col + cell / 2; }
    int KeyPointY(int row) const { return kPointOffset + cell * row + cell / 2; }
    bool Contains(int col, int row) const {
        return col >= 0 && col < size && row >= 0 && row < size;
    }
    static bool IsEven(int col, int row) { return (col + row) % 2 == 0; }
};

// 61 / 30 on 8 x 8, 49 / 25 on 10 x 10; any other size is treated as 8.
constexpr BoardGeometry GeometryFor(int boardSize) {
    return boardSize == 10 ? BoardGeometry{10, 49, 25} : BoardGeometry{8, 61, 30};
}

}  // namespace velmora
