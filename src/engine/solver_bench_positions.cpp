#include "engine/solver_bench_positions.h"

#include <array>

#include "engine/board.h"

namespace velmora {

namespace {

// clang-format off
constexpr std::array kPositions = {
    BenchPosition{8, "++bbb+w+++bbbw++wwbbwbwwwwwwbww+wbwwwbwbwwwwwwbbw+ww+++b++w+++++", White, 40},
    BenchPosition{8, "wwwwwb++bbbbbb++bbbbbw++bbbbw+w+wbbwbwwb+bwwwwwb++++w++b+++www++", White, 40},
    BenchPosition{8, "++ww+b++w+wwbb++wwwbbbbwwwwbbbbwwbwwbbbwwwbbwbbww+w+bw++++++++++", White, 40},
    BenchPosition{8, "++bb+bww++bb+www++bwwwbw+++bbbwwbbwbbwwwbbwbwbww++bbbw++++wb+w++", White, 40},
    BenchPosition{8, "++bwwb++++wbbb++wwwbbwwwwwwwbbw++wwbbb+wwwbwbwww++bbw+++++w+bbb+", White, 40},
    BenchPosition{8, "++wb+b+++++bbb++w+bbbwwb+bbwbwwwbbwbbww+bbbwbwww++wbbw++++wwwww+", White, 40},
    BenchPosition{8, "++b+w+++++bww+++wbbwwbbbbb+bwbbb+bwbbww+bbwbwbww++bwbb+++bbbbbb+", White, 40},
    BenchPosition{8, "+++b+w+bw+b+bwb+w+bbwbbbwwwwbwb+wwwwwww+w+bwwwb++bbwww++b+b+ww++", White, 40},
    BenchPosition{8, "++bbbb+w++bwbww+bbwbbww+bwwwbw++bbbbbwb+bwbbwwww++bbbw++++b++b++", White, 40},
    BenchPosition{8, "++bw+w++b+bww+++bbbwwbw+bbbww+b+bwbwwbb+bbbbwbwwb+bbbb++++bbbb++", White, 40},
};
// clang-format on

}  // namespace

std::span<const BenchPosition> SolverBenchPositions() {
    return kPositions;
}

}  // namespace velmora
