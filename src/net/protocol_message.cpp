#include "net/protocol_message.h"

#include <string_view>

namespace velmora {
namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

}  // namespace

char LetterOf(const NetMessage& message) {
    return std::visit(Overloaded{
                          [](const NetCallRequest&) { return 'B'; },
                          [](const NetAccept&) { return 'Y'; },
                          [](const NetRefuse&) { return 'N'; },
                          [](const NetBusy&) { return 'A'; },
                          [](const NetGo&) { return 'G'; },
                          [](const NetMove&) { return 'M'; },
                          [](const NetRestart&) { return 'R'; },
                          [](const NetText&) { return 'T'; },
                          [](const NetFieldRequest&) { return 'F'; },
                          [](const NetField&) { return 'D'; },
                      },
                      message);
}

bool RoleAccepts(NetRole role, char letter) {
    const std::string_view letters = role == NetRole::Caller ? "ADFMNRTY" : "BDFGMRT";
    return letters.find(letter) != std::string_view::npos;
}

int NetMoveSquare(int boardSize, int column, int row) {
    if (!IsValidBoardSize(boardSize) || column < 0 || column >= boardSize || row < 0 ||
        row >= boardSize) {
        return NoMove;
    }
    return SquareAt(boardSize, column, row);
}

}  // namespace velmora
