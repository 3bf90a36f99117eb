#include "net/protocol_stage.h"

namespace velmora {

bool NetCallStage::Answered(bool accepted) {
    if (stage_ != NetStage::Asking) {
        return false;
    }
    stage_ = accepted ? NetStage::AwaitingGo : NetStage::None;
    return true;
}

NetAction NetCallStage::Decide(NetRole role, const NetMessage& message, const NetGameState& game) {
    const bool answerer = role == NetRole::Answerer;
    const auto moveTo = [this](NetStage from, NetStage to, NetAction action) {
        if (stage_ != from) {
            return NetAction::Ignore;
        }
        stage_ = to;
        return action;
    };
    switch (LetterOf(message)) {
        case 'B':
            return answerer
                       ? moveTo(NetStage::AwaitingRequest, NetStage::Asking, NetAction::AskCall)
                       : NetAction::Ignore;
        case 'Y':
            return answerer ? NetAction::Ignore
                            : moveTo(NetStage::AwaitingAnswer, NetStage::Started,
                                     NetAction::StartAccepted);
        case 'N':
            return answerer ? NetAction::Ignore
                            : moveTo(NetStage::AwaitingAnswer, NetStage::None, NetAction::Declined);
        case 'A':
            return answerer ? NetAction::Ignore
                            : moveTo(NetStage::AwaitingAnswer, NetStage::None, NetAction::Busy);
        case 'G':
            return answerer ? moveTo(NetStage::AwaitingGo, NetStage::Started, NetAction::StartOnGo)
                            : NetAction::Ignore;
        case 'M': {
            // A move that names no square, or comes in our turn, is no peer's move.
            const auto& move = std::get<NetMove>(message);
            const bool peersTurn = game.sideToMove != game.localSide;
            return game.networkGame && move.square != NoMove && peersTurn ? NetAction::PlayMove
                                                                          : NetAction::Ignore;
        }
        case 'R':
            return game.networkGame ? NetAction::Restart : NetAction::Ignore;
        case 'T':
            return game.connected ? NetAction::ShowText : NetAction::Ignore;
        case 'F':
            return NetAction::AnswerField;
        case 'D':
            return NetAction::ShowField;
        default:
            return NetAction::Ignore;
    }
}

}  // namespace velmora
