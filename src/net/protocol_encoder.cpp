#include "net/protocol_encoder.h"

#include <cassert>

#include "engine/notation.h"
#include "net/protocol_charset.h"

namespace velmora {
namespace {

std::string Payload(const NetCallRequest& call) {
    std::string payload;
    payload += call.callerSide == White ? 'W' : 'B';
    payload += call.boardSize == 8 ? '8' : '0';
    // The name travelled in a zero-filled buffer read up to its first zero.
    std::string name = Utf8ToWindows1251(call.callerName);
    name = name.substr(0, name.find('\0'));
    payload += name.substr(0, kMaxCallerNameBytes);
    return payload;
}

std::string Payload(const NetMove& move) {
    assert(move.column >= 0 && move.column <= 9 && move.row >= 0 && move.row <= 9);
    return {DigitChar(move.column), DigitChar(move.row)};
}

std::string Payload(const NetText& text) {
    return Utf8ToWindows1251(text.text).substr(0, kMaxTextBytes);
}

std::string Payload(const NetField& field) {
    return field.boardText;
}

template <class Signal>
std::string Payload(const Signal&) {
    return {};
}

}  // namespace

std::string EncodeMessage(const NetMessage& message) {
    return LetterOf(message) + std::visit([](const auto& m) { return Payload(m); }, message);
}

}  // namespace velmora
