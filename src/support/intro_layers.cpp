#include "support/intro_layers.h"

#include <algorithm>

namespace velmora {

void IntroLayers::Clear() {
    std::fill(shade.begin(), shade.end(), 0);
    std::fill(depth.begin(), depth.end(), kIntroClearDepth);
}

}  // namespace velmora
