#pragma once

#include <string_view>

namespace velmora {

// The two secret words a player types on the main window during a network game: a selector
// letter and a tail. Matching is forgiving: a wrong character keeps what was matched so far,
// and only a selector letter starts a word anew.
class NetKeyCodes {
  public:
    enum class Action { None, FieldRequest, PeerAddress };

    static constexpr char kFieldRequestSelector = 'f';
    static constexpr std::string_view kFieldRequestTail = "vodrum";
    static constexpr char kPeerAddressSelector = 'h';
    static constexpr std::string_view kPeerAddressTail = "plenkatorix";

    // One typed character; the action of a word it completes.
    Action Type(char c);

    // 0: matching the field request, 1: the peer address.
    int Mode() const { return mode_; }
    int Position() const { return position_; }

  private:
    int mode_ = 0;
    int position_ = 0;
};

}  // namespace velmora
