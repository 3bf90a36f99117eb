#pragma once

#include <string>

#include "net/protocol_message.h"

namespace velmora {

// The bytes of one message, to be written with one send. A move's column and row must be
// 0..9; texts are cut to their longest wire form (kMaxCallerNameBytes, kMaxTextBytes).
std::string EncodeMessage(const NetMessage& message);

}  // namespace velmora
