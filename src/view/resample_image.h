#pragma once

#include <cstdint>

namespace velmora {

// Area-averaging reduction of a bottom-up picture (srcW x srcH) into dstW x dstH. Each source
// pixel lands with weight 4 on its nearest target pixel and weight 1 on three neighbours half a
// target step further; contributions past the last target column or row are dropped. The fourth
// byte of the target is left alone.
void ResampleImage(const std::uint32_t* source, std::uint32_t* target, int srcW, int srcH, int dstW,
                   int dstH);

}  // namespace velmora
