#pragma once

#include "net/protocol_message.h"

namespace velmora {

// Where the call set-up of a connection stands; it decides which messages count.
enum class NetStage {
    None,
    AwaitingRequest,  // answering side, connected, no call request yet
    Asking,           // answering side, the call request is being asked
    AwaitingGo,       // answering side, accepted the call
    AwaitingAnswer,   // calling side, call request sent
    Started,          // the network game was started
};

// What a message from the peer asks of the connection.
enum class NetAction {
    Ignore,
    AskCall,        // "B": ask the player about the call
    StartAccepted,  // "Y": send "G" and start the game
    Declined,       // "N": disconnect, then say so
    Busy,           // "A": say so, then disconnect
    StartOnGo,      // "G": start the game
    PlayMove,       // "M": the peer's move, in its turn
    Restart,        // "R"
    ShowText,       // "T"
    AnswerField,    // "F": reply with the board, in any state
    ShowField,      // "D"
};

// The game as the messages see it.
struct NetGameState {
    bool connected = false;
    bool networkGame = false;
    int sideToMove = White;
    int localSide = White;
};

// The call set-up of one connection: plain logic, so that it can be checked against random
// message sequences. The connection code carries the actions out.
class NetCallStage {
  public:
    NetStage Stage() const { return stage_; }
    void AnswererConnected() { stage_ = NetStage::AwaitingRequest; }
    void CallerConnected() { stage_ = NetStage::AwaitingAnswer; }
    // The player answered the call request; false if it no longer counted.
    bool Answered(bool accepted);
    void Reset() { stage_ = NetStage::None; }

    // The action for a message the role accepts; moves the stage on.
    NetAction Decide(NetRole role, const NetMessage& message, const NetGameState& game);

  private:
    NetStage stage_ = NetStage::None;
};

}  // namespace velmora
