#include "view/fire_field.h"

namespace velmora {

std::uint32_t FireField::NextRandom() {
    std::uint32_t x = seed_;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    seed_ = x;
    return x;
}

void FireField::Step() {
    // 1. Fuel: uniform 0..319 in every column.
    std::uint16_t* fuel = &cells_[kFuelRow * kColumns];
    for (int c = 0; c < kColumns; ++c) {
        fuel[c] = static_cast<std::uint16_t>((std::uint64_t{NextRandom()} * 320) >> 32);
    }
    // 2. In place from the fuel row up, so each row already sees the new row below it.
    for (int r = kFuelRow - 1; r >= 0; --r) {
        std::uint16_t* row = &cells_[r * kColumns];
        const std::uint16_t* below = row + kColumns;
        for (int c = 1; c < kColumns - 1; ++c) {
            int v = row[c] + below[c - 1] + below[c] + below[c + 1];
            if (v > 40) {
                v -= 40;
            }
            row[c] = static_cast<std::uint16_t>(v / 4);
        }
    }
}

}  // namespace velmora
