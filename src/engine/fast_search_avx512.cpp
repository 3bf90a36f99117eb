// Built with AVX-512 (F, VL, BW, VBMI2, BITALG), GFNI, AVX2, POPCNT and BMI1 on x86-64
// (see CMakeLists.txt).
#include "engine/fast_search_variants.h"

#define VELMORA_FAST_VARIANT fast_avx512
#include "engine/fast_search_impl.h"
