#pragma once

#include "engine/board.h"
#include "game/game_session.h"

namespace velmora {

// What a computer search was asked about. The window keeps handling events while the
// computer thinks, so by the time the answer comes the game may be another one: the
// answer is played only while every part of this still holds.
struct SearchTag {
    unsigned gameSerial = 0;
    int recordCount = 0;
    int recordCurrent = 0;
    int boardSize = 8;
    int sideToMove = White;
    bool noLastMove = false;
    Board board{};

    bool operator==(const SearchTag&) const = default;
};

inline SearchTag TagOf(const GameSession& session, unsigned gameSerial, bool noLastMove) {
    return SearchTag{gameSerial,
                     session.record.Count(),
                     session.record.Current(),
                     session.position.boardSize,
                     session.position.sideToMove,
                     noLastMove,
                     session.position.board};
}

}  // namespace velmora
