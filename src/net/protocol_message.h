#pragma once

#include <cstddef>
#include <string>
#include <variant>

#include "engine/board.h"

namespace velmora {

// The ten messages two peers exchange. Each is one letter followed by its payload, with no
// length field and no terminator; texts are UTF-8 here and Windows-1251 on the wire.

// "B": sent by the caller once connected. The answerer plays the other colour.
struct NetCallRequest {
    int callerSide = White;
    int boardSize = 8;
    std::string callerName;
    bool operator==(const NetCallRequest&) const = default;
};
// "Y", "N", "A", "G": the answer to a call request, the busy reply, the caller's go-ahead.
struct NetAccept {
    bool operator==(const NetAccept&) const = default;
};
struct NetRefuse {
    bool operator==(const NetRefuse&) const = default;
};
struct NetBusy {
    bool operator==(const NetBusy&) const = default;
};
struct NetGo {
    bool operator==(const NetGo&) const = default;
};
// "M": the square a peer just played, as a column and a row digit. A received byte that is
// no digit reads as -1; square is the playing square they name on the board in force, or
// NoMove when they name none (such a move is illegal and must be dropped).
struct NetMove {
    int column = 0;
    int row = 0;
    int square = NoMove;
    bool operator==(const NetMove&) const = default;
};
struct NetRestart {
    bool operator==(const NetRestart&) const = default;
};
// "T": a chat text, possibly empty.
struct NetText {
    std::string text;
    bool operator==(const NetText&) const = default;
};
// "F": asks the peer for its board; "D" answers with it in BoardToText form.
struct NetFieldRequest {
    bool operator==(const NetFieldRequest&) const = default;
};
struct NetField {
    std::string boardText;
    bool operator==(const NetField&) const = default;
};

using NetMessage = std::variant<NetCallRequest, NetAccept, NetRefuse, NetBusy, NetGo, NetMove,
                                NetRestart, NetText, NetFieldRequest, NetField>;

char LetterOf(const NetMessage& message);

// The side that connected is the caller, the side that accepted the connection the answerer.
enum class NetRole { Caller, Answerer };

// The letters a role acts on; a message starting with any other byte is ignored.
bool RoleAccepts(NetRole role, char letter);

// The playing square that a column and a row name on a board, or NoMove.
int NetMoveSquare(int boardSize, int column, int row);

// Longest caller's name: the sender's 16-byte buffer ends in a zero.
constexpr std::size_t kMaxCallerNameBytes = 15;
// Longest chat text, in wire bytes (one per character). Longer texts are cut when sent and
// when received, so a peer cannot fill the chat archive with one message.
constexpr std::size_t kMaxTextBytes = 4096;

}  // namespace velmora
