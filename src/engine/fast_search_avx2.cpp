// Built with -mavx2 -mpopcnt -mbmi on x86-64 (see CMakeLists.txt).
#include "engine/fast_search_variants.h"

#define VELMORA_FAST_VARIANT fast_avx2
#include "engine/fast_search_impl.h"
