#include "engine/notation.h"

namespace velmora {

std::string SquareName(int size, int square) {
    std::string name(1, static_cast<char>('A' + ColumnOf(size, square)));
    name += std::to_string(size - RowOf(size, square));
    return name;
}

std::string SquareListName(int size, int square) {
    std::string name(1, static_cast<char>('A' + ColumnOf(size, square)));
    name += ':';
    name += std::to_string(size - RowOf(size, square));
    return name;
}

std::optional<int> ParseSquare(int size, std::string_view text) {
    if (text.size() < 2 || text.size() > 3) {
        return std::nullopt;
    }
    char letter = text[0];
    if (letter >= 'a' && letter <= 'z') {
        letter = static_cast<char>(letter - 'a' + 'A');
    }
    const int column = letter - 'A';
    int number = 0;
    for (const char c : text.substr(1)) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        number = number * 10 + (c - '0');
    }
    if (column < 0 || column >= size || number < 1 || number > size || text[1] == '0') {
        return std::nullopt;
    }
    return SquareAt(size, column, size - number);
}

std::string BoardToText(const Board& board, int size) {
    std::string text;
    text.reserve(static_cast<std::size_t>(size * size));
    for (int column = 0; column < size; ++column) {
        for (int row = 0; row < size; ++row) {
            const int cell = board[SquareAt(size, column, row)];
            text += cell == White ? 'w' : cell == Black ? 'b' : '+';
        }
    }
    return text;
}

std::optional<Board> BoardFromText(int size, std::string_view text) {
    if (!IsValidBoardSize(size) || text.size() != static_cast<std::size_t>(size * size)) {
        return std::nullopt;
    }
    Board board;
    InitBoard(board, size);
    for (std::size_t k = 0; k < text.size(); ++k) {
        const int square =
            SquareAt(size, static_cast<int>(k) / size, static_cast<int>(k) % size);
        switch (text[k]) {
            case 'w': board[square] = White; break;
            case 'b': board[square] = Black; break;
            case '+': board[square] = Empty; break;
            default: return std::nullopt;
        }
    }
    return board;
}

char DigitChar(int value) { return static_cast<char>('0' + value); }

int DigitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : -1; }

}  // namespace velmora
