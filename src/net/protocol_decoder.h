#pragma once

#include <cstddef>
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
// next read. "T" and the name of "B" still take the rest of their read: nothing marks their
// end, so a conforming peer cannot be told apart there. A first byte that names no message
// makes the rest of its read ignored, as before.
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

    NetMessageDecoder(NetRole role, int boardSize);

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
    std::string pending_;
};

}  // namespace velmora
