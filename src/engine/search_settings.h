#pragma once

#include <cstdint>

#include "engine/board.h"

namespace velmora {

// The win offset of final scores, and the value of wiping the opponent out.
constexpr int kWinScore = 32000;
// The root window is -kSearchWindow .. kSearchWindow.
constexpr int kSearchWindow = 32767;

constexpr int kMinLevel = 1;
// Ten work boards bound the depth.
constexpr int kMaxLevel = 9;

// What the computer player is asked to do. The levels shown to the player are 0..9;
// level 0 is held as depth 1 with the novice flag, which inverts every evaluation.
struct SearchSettings {
    int level = 1;
    bool novice = false;
    bool advanced = false;

    static constexpr SearchSettings FromShownLevel(int shownLevel, bool advanced) {
        return shownLevel <= 0 ? SearchSettings{1, true, advanced}
                               : SearchSettings{shownLevel, false, advanced};
    }
    constexpr int ShownLevel() const { return novice ? 0 : level; }
    // The depth actually searched: out-of-range levels are pulled into 1..9.
    constexpr int Depth() const {
        return level < kMinLevel ? kMinLevel : level > kMaxLevel ? kMaxLevel : level;
    }

    friend constexpr bool operator==(const SearchSettings&, const SearchSettings&) = default;
};

struct SearchResult {
    // The chosen square; NoMove when the side to move has none or the search was stopped.
    int move = NoMove;
    // The root's value from the side to move's point of view (the root call's return, negated).
    int value = 0;
    // Search calls made, the root included.
    std::uint64_t nodes = 0;
    bool stopped = false;

    friend bool operator==(const SearchResult&, const SearchResult&) = default;
};

}  // namespace velmora
