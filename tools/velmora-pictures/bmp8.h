#pragma once

#include <QImage>
#include <string>

namespace velmora::assets {

// Writes an 8-bit palette BMP (bottom-up, uncompressed). The colours are reduced to at
// most 256 by median cut; `key`, the transparent colour of the progress pictures, keeps
// its exact value.
bool SaveBmp8(const std::string& path, const QImage& image, QRgb key);

}  // namespace velmora::assets
