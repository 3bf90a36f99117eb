#pragma once

#include <array>
#include <string_view>

#include "game/game_ports.h"

namespace velmora {

// The eight sound effects; the value is the index PlayEffect takes.
enum SoundEffect : int {
    ConnectSound = 0,     // a call request arrives; the called side accepts
    CorrectSound = 1,     // the cursor moves onto another legal square
    DisconnectSound = 2,  // the opponent breaks off a network game
    EndGameSound = 3,     // the game-over and pass messages
    MessageSound = 4,     // a chat message arrives
    MoveSound = 5,        // a move placed with animation and figure skin 0
    MoveHintSound = 6,    // the hint shows its move
    StMoveSound = 7,      // a move placed without animation
};

constexpr int kSoundEffectCount = 8;

// The game flow names the effects it plays without depending on audio; they must stay these.
static_assert(kCursorEffect == CorrectSound && kEndGameEffect == EndGameSound &&
              kHintEffect == MoveHintSound);

// Effect files relative to the folder that holds DATA/, in index order.
constexpr std::array<std::string_view, kSoundEffectCount> kSoundEffectFiles = {
    "DATA/connect.ogg", "DATA/correct.ogg", "DATA/disconnect.ogg", "DATA/endgame.ogg",
    "DATA/message.ogg", "DATA/move.ogg",    "DATA/movehint.ogg",   "DATA/stmove.ogg",
};

// Playbacks of one effect that may sound at once.
constexpr int kEffectPlaybacks = 3;

// Stored volumes run 0..255 and reach the library divided by 256, so the loudest setting
// is 0.99609375 and never full scale.
constexpr float VolumeLevel(int value) {
    return static_cast<float>(value / 256.0);
}

}  // namespace velmora
