#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/board.h"

namespace velmora {

// "E6": the column letter from 'A' and the number size - row.
std::string SquareName(int size, int square);
// The moves list's form, "E:6".
std::string SquareListName(int size, int square);
// Reads "E6" / "e6" / "A10"; nothing for text that names no square of the board.
std::optional<int> ParseSquare(int size, std::string_view text);

// Column by column, top to bottom: 'w' White, 'b' Black, '+' anything else.
std::string BoardToText(const Board& board, int size);
// The inverse of BoardToText; nothing when the text has the wrong length or letters.
std::optional<Board> BoardFromText(int size, std::string_view text);

char DigitChar(int value);
// -1 for a character outside '0'..'9'.
int DigitValue(char c);

}  // namespace velmora
