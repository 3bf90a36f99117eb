#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace velmora {

// The playbacks of one sample. A new playback takes the first free slot; with every slot
// sounding it takes over the one that started first, which has played longest.
class EffectSlots {
  public:
    explicit EffectSlots(int capacity);

    int Capacity() const { return static_cast<int>(started_.size()); }
    // The slot for the next playback; `sounding(slot)` tells whether a slot is still heard.
    int Pick(const std::function<bool(int)>& sounding) const;
    // Notes that a playback has just started in `slot`.
    void Started(int slot);

  private:
    std::vector<std::uint64_t> started_;  // start order of each slot's playback, 0 = never
    std::uint64_t clock_ = 0;
};

}  // namespace velmora
