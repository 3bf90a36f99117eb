// Built with the AVX-512 flags of fast_search_avx512.cpp (see CMakeLists.txt).
#include "engine/endgame_solver_variants.h"

#define VELMORA_FAST_VARIANT fast_avx512
#include "engine/endgame_solver_impl.h"
