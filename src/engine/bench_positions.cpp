#include "engine/bench_positions.h"

#include <array>

#include "engine/board.h"

namespace velmora {

namespace {

// clang-format off
constexpr std::array kPositions = {
    BenchPosition{8, "+++++++++++++++++++++w+++++ww++++bbbwb++++++ww++++++w+++++++++++", Black, 7},
    BenchPosition{8, "+++++++++++++++++++++w+++++ww+++wwwwbbbb+++bbbb+++++bb+++++++b++", White, 14},
    BenchPosition{8, "++++++++++++++++++wb+w++++wwwb++wbwwbbbbb+wwwww+++++bb+w+++++b++", Black, 21},
    BenchPosition{8, "+++++++++++++++++bwwww++bbbwwb++bbbbbbbbbwwbbww++++wbb+w+++w+b++", White, 28},
    BenchPosition{8, "++ww+b++++wwww++++wbwbbb++bbb+b+wbwbbwbww+bwbbb+w+www+++++wwww++", Black, 35},
    BenchPosition{8, "++w+++++b+ww++++bbbwwbbbbbbbwbbbbbbbbwbbbwbbwbb+++bbbbbw+b+wwww+", White, 42},
    BenchPosition{10, "+++++++++++++++++++++++++b+++++++++b++++++++wb++++++++wbwwww++++ww+w++++++w++w++++++++++++++++++++++", Black, 11},
    BenchPosition{10, "++++++++++++++++++++++++bb++++++w+bb+++++++bwbbb++++bbwwbb+++bbbbb+b++b++b+b++b+++++++++++++++++++++", White, 22},
    BenchPosition{10, "+++++b+++++++++b++++++++www++++++++w+wb+++++wb+bb++++wwbbbww++wbwbbw++wwbwwwww++++b+w++++++b+w++++++", Black, 33},
    BenchPosition{10, "+++++b+++++++b+b++++bbbbbww++w+b+w+b+ww+++++wbbwb++wwwwbwwww++wbbbww++wwbbwwww++++b+w++++++b+w++++++", White, 44},
    BenchPosition{10, "++bbbb+++++++b+b++++bbbwbww++w+b+w+b+www+w++wbbww+bbwbbbwwbw++wwbbwbb+wwwbwwbw++++w+w++w++wwww+++w++", Black, 55},
    BenchPosition{10, "++bbbb+++++++b+b++++bbbwbwwwww+bbb+b+wwwwwwbbbwbwbwwwbbwwwwww+wwwbwwwwwwwwwbbb++b+w+w+bw++wwww+++w++", White, 66},
};
// clang-format on

}  // namespace

std::span<const BenchPosition> BenchPositions() {
    return kPositions;
}

}  // namespace velmora
