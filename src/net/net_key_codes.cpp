#include "net/net_key_codes.h"

namespace velmora {

NetKeyCodes::Action NetKeyCodes::Type(char c) {
    const std::string_view tail = mode_ == 0 ? kFieldRequestTail : kPeerAddressTail;
    if (c == tail[static_cast<std::size_t>(position_)]) {
        if (++position_ < static_cast<int>(tail.size())) {
            return Action::None;
        }
        position_ = 0;
        return mode_ == 0 ? Action::FieldRequest : Action::PeerAddress;
    }
    if (c == kPeerAddressSelector) {
        position_ = 0;
        mode_ = 1;
    } else if (c == kFieldRequestSelector) {
        position_ = 0;
        mode_ = 0;
    }
    return Action::None;
}

}  // namespace velmora
