#include "game/game_texts.h"

#include "engine/board.h"
#include "engine/side_names.h"

namespace velmora {

std::string SideToMoveText(int side) {
    return SideName(side) + " ходят";
}

std::string ScoreText(int whiteCount, int blackCount) {
    return SideName(White) + " " + std::to_string(whiteCount) + " : " + SideName(Black) + " " +
           std::to_string(blackCount);
}

std::string MoveCounterText(int current, int count) {
    return "Ход " + std::to_string(current) + "/" + std::to_string(count);
}

std::string FinalText(int kind, int first, int second) {
    switch (kind) {
        case WhiteWon:
        case BlackWon:
            return SideName(kind == WhiteWon ? White : Black) + " победили " +
                   std::to_string(first) + " : " + std::to_string(second);
        case Draw:
            return "ничья";
        case WhitePasses:
            return SideName(White) + " пассуют";
        case BlackPasses:
            return SideName(Black) + " пассуют";
        default:
            return {};
    }
}

}  // namespace velmora
