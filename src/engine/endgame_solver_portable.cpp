#include "engine/endgame_solver_variants.h"

#define VELMORA_FAST_VARIANT fast_portable
#include "engine/endgame_solver_impl.h"
