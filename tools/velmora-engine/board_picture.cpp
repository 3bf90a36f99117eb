#include "velmora-engine/board_picture.h"

namespace velmora {

std::string BoardPicture(const Board& board, int size) {
    std::string letters = "    ";
    for (int column = 0; column < size; ++column) {
        letters += static_cast<char>('A' + column);
        letters += ' ';
    }
    letters.back() = '\n';
    std::string picture = letters;
    for (int row = 0; row < size; ++row) {
        const std::string number = std::to_string(size - row);
        picture += (number.size() < 2 ? "  " : " ") + number + " ";
        for (int column = 0; column < size; ++column) {
            const int cell = board[SquareAt(size, column, row)];
            picture += cell == White ? 'O' : cell == Black ? 'X' : '.';
            picture += ' ';
        }
        picture += number + "\n";
    }
    return picture + letters;
}

}  // namespace velmora
