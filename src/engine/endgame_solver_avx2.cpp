// Built with -mavx2 -mpopcnt -mbmi on x86-64 (see CMakeLists.txt).
#include "engine/endgame_solver_variants.h"

#define VELMORA_FAST_VARIANT fast_avx2
#include "engine/endgame_solver_impl.h"
