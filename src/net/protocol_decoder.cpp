#include "net/protocol_decoder.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "engine/notation.h"
#include "net/protocol_charset.h"

namespace velmora {
namespace {

constexpr std::size_t kLongestKnownLength = 1 + 10 * 10;
constexpr std::size_t kCallRequestHead = 3;

bool IsBoardLetter(char c) {
    return c == 'w' || c == 'b' || c == '+';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether next can carry on the piece a previous read left (a conforming peer's split).
bool ContinuesPiece(std::string_view piece, std::string_view next) {
    for (std::size_t i = 0; i < next.size(); ++i) {
        const std::size_t at = piece.size() + i;
        const char c = next[i];
        switch (piece[0]) {
            case 'M':
                if (at >= 3) {
                    return true;
                }
                if (!IsDigit(c)) {
                    return false;
                }
                break;
            case 'B':
                if (at >= kCallRequestHead) {
                    return true;
                }
                if ((at == 1 && c != 'W' && c != 'B') || (at == 2 && c != '8' && c != '0')) {
                    return false;
                }
                break;
            default:
                // A field ends at its first byte that is no board letter; framing sorts it.
                return true;
        }
    }
    return true;
}

NetCallRequest DecodeCallRequest(std::string_view data) {
    NetCallRequest call;
    call.callerSide = data[1] == 'W' ? White : Black;
    call.boardSize = data[2] == '8' ? 8 : 10;
    std::string_view name = data.substr(kCallRequestHead);
    name = name.substr(0, std::min(name.find('\0'), kMaxCallerNameBytes));
    call.callerName = Windows1251ToUtf8(name);
    return call;
}

}  // namespace

// One message framed at the start of a read's remaining bytes.
struct NetMessageDecoder::Framed {
    bool complete = true;     // false: the read ended inside it
    bool restOfRead = false;  // it takes every byte left in the read
    std::size_t length = 0;   // bytes taken, unless restOfRead
    std::optional<NetMessage> message;
};

NetMessageDecoder::NetMessageDecoder(NetRole role, int boardSize, Clock clock)
    : role_(role), boardSize_(boardSize == 10 ? 10 : 8), clock_(std::move(clock)) {
    if (!clock_) {
        clock_ = [] { return std::chrono::steady_clock::now(); };
    }
}

void NetMessageDecoder::SetBoardSize(int boardSize) {
    const int size = boardSize == 10 ? 10 : 8;
    if (size != boardSize_ && !pending_.empty() && pending_[0] == 'D') {
        pending_.clear();
    }
    boardSize_ = size;
}

NetMessageDecoder::Framed NetMessageDecoder::FrameOne(std::string_view data) const {
    Framed framed;
    switch (data[0]) {
        case 'Y':
            framed.message = NetAccept{};
            break;
        case 'N':
            framed.message = NetRefuse{};
            break;
        case 'A':
            framed.message = NetBusy{};
            break;
        case 'G':
            framed.message = NetGo{};
            break;
        case 'R':
            framed.message = NetRestart{};
            break;
        case 'F':
            framed.message = NetFieldRequest{};
            break;
        case 'M': {
            if (data.size() < 3) {
                framed.complete = false;
                return framed;
            }
            const int column = DigitValue(data[1]);
            const int row = DigitValue(data[2]);
            framed.length = 3;
            framed.message = NetMove{column, row, NetMoveSquare(boardSize_, column, row)};
            return framed;
        }
        case 'D': {
            const auto squares = static_cast<std::size_t>(boardSize_ * boardSize_);
            std::size_t letters = 0;
            while (letters < squares && 1 + letters < data.size() &&
                   IsBoardLetter(data[1 + letters])) {
                ++letters;
            }
            framed.length = 1 + letters;
            if (letters == squares) {
                framed.message = NetField{std::string(data.substr(1, squares))};
            } else if (framed.length == data.size()) {
                framed.complete = false;
            }
            return framed;
        }
        case 'B':
            if (data.size() < kCallRequestHead) {
                framed.complete = false;
                return framed;
            }
            framed.restOfRead = true;
            framed.message = DecodeCallRequest(data);
            return framed;
        case 'T':
            framed.restOfRead = true;
            framed.message = NetText{Windows1251ToUtf8(data.substr(1, kMaxTextBytes))};
            return framed;
        default:
            framed.restOfRead = true;
            return framed;
    }
    framed.length = 1;
    return framed;
}

void NetMessageDecoder::Emit(Framed& framed, std::vector<NetMessage>& messages) const {
    if (framed.message && RoleAccepts(role_, LetterOf(*framed.message))) {
        messages.push_back(std::move(*framed.message));
    }
}

std::vector<NetMessage> NetMessageDecoder::Feed(std::string_view bytes) {
    std::vector<NetMessage> messages;
    std::size_t pos = 0;
    std::size_t framedCount = 0;

    if (bytes.empty()) {
        return messages;
    }
    const auto now = clock_();
    // 1. Complete a message cut by the end of the previous read from the head of this one,
    // if this read can carry it on and came soon enough; otherwise forget the piece.
    if (!pending_.empty() &&
        (now - pendingSince_ > kJoinWindow || !ContinuesPiece(pending_, bytes))) {
        pending_.clear();
    }
    if (!pending_.empty()) {
        const std::size_t held = pending_.size();
        std::string joined = pending_;
        joined.append(bytes.substr(0, kLongestKnownLength));
        Framed framed = FrameOne(joined);
        if (!framed.complete) {
            pending_ = std::move(joined);
            pendingSince_ = now;
            return messages;
        }
        pending_.clear();
        // A field cut short at this read's first byte takes nothing from it.
        pos = framed.restOfRead ? bytes.size() : std::max(framed.length, held) - held;
        ++framedCount;
        Emit(framed, messages);
    }

    // 2. Split off message after message; a piece cut by the end of the read waits.
    while (pos < bytes.size() && framedCount < kMaxMessagesPerRead) {
        const std::string_view rest = bytes.substr(pos);
        Framed framed = FrameOne(rest);
        if (!framed.complete) {
            pending_ = rest;
            pendingSince_ = now;
            break;
        }
        pos = framed.restOfRead ? bytes.size() : pos + framed.length;
        ++framedCount;
        Emit(framed, messages);
    }
    return messages;
}

}  // namespace velmora
