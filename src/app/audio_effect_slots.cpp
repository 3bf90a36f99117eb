#include "app/audio_effect_slots.h"

#include <algorithm>

namespace velmora {

EffectSlots::EffectSlots(int capacity)
    : started_(static_cast<std::size_t>(std::max(capacity, 1)), 0) {}

int EffectSlots::Pick(const std::function<bool(int)>& sounding) const {
    int oldest = 0;
    for (int slot = 0; slot < Capacity(); ++slot) {
        if (!sounding(slot)) {
            return slot;
        }
        if (started_[slot] < started_[oldest]) {
            oldest = slot;
        }
    }
    return oldest;
}

void EffectSlots::Started(int slot) {
    if (slot >= 0 && slot < Capacity()) {
        started_[slot] = ++clock_;
    }
}

}  // namespace velmora
