#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "net/protocol_message.h"

namespace velmora {

// Turns the bytes of each socket read into the messages they hold, for one connection.
//
// Peers write every message with one send and the receiving side used to take each read as
// exactly one message. That merged messages arriving together and broke a message arriving
// in pieces. Here every message of known length is split off and handled in turn ("Y", "N",
// "A", "G", "R", "F" one byte, "M" three, "D" one plus the squares of the board in force,
// and the three-byte head of "B"), and one cut by the end of a read is completed from the
// next read, but only by bytes that can continue it (digits for "M", a colour letter and a
// size digit for "B", board letters for "D") and only if that read comes within
// kJoinWindow. Otherwise the piece is dropped and the new read stands on its own: a peer
// that sent a stray "M" must not have its next message swallowed. "T" and the name of "B" still
// take the rest of their read: nothing marks their end, so a conforming peer cannot be told apart
// there. A first byte that names no message makes the rest of its read ignored, as before.
//
// Messages the role does not act on are dropped; a field cut short by a byte that is no
// board letter is dropped and reading goes on at that byte.
//
// Memory stays bounded whatever a peer sends: a pending piece is under 101 bytes (the
// longest known-length message), a text keeps at most kMaxTextBytes and a name
// kMaxCallerNameBytes of its read, and one read yields at most kMaxMessagesPerRead messages
// (a conforming peer sends a few at a time, so the rest of a flooding read is dropped). The
// connection should also cap its socket's read buffer at kNetReadBufferBytes, so that a
// flood waits in the kernel rather than in our memory.
class NetMessageDecoder {
  public:
    static constexpr std::size_t kMaxMessagesPerRead = 64;
    static constexpr std::size_t kNetReadBufferBytes = 64 * 1024;
    // A piece waits this long for the read that completes it.
    static constexpr std::chrono::milliseconds kJoinWindow{500};

    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // clock tells the time of each read (the steady clock when empty).
    NetMessageDecoder(NetRole role, int boardSize, Clock clock = {});

    // The size of the game in force decides the length of "D" (anything but 10 reads as 8).
    // A field still pending from another size is dropped.
    void SetBoardSize(int boardSize);
    int BoardSize() const { return boardSize_; }
    NetRole Role() const { return role_; }

    // Everything one read delivered; returns the messages to handle, in order.
    std::vector<NetMessage> Feed(std::string_view bytes);

    // Bytes of a message waiting for the next read.
    std::size_t PendingBytes() const { return pending_.size(); }
    // Forgets a pending piece, as when the connection closes.
    void Reset() { pending_.clear(); }

  private:
    struct Framed;
    Framed FrameOne(std::string_view data) const;
    void Emit(Framed& framed, std::vector<NetMessage>& messages) const;

    NetRole role_;
    int boardSize_;
    Clock clock_;
    std::string pending_;
    std::chrono::steady_clock::time_point pendingSince_{};
};

}  // namespace velmora
