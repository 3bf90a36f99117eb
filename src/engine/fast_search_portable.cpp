#include "engine/fast_search_variants.h"

#define VELMORA_FAST_VARIANT fast_portable
#include "engine/fast_search_impl.h"
