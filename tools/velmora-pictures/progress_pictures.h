#pragma once

#include <QImage>

namespace velmora::assets {

// The transparent colour of the progress pictures (their lower-left pixel): a light grey
// close to a button face, so antialiased edges blend into the box they are drawn on.
constexpr QRgb kProgressKey = 0xFFF0F0F0u;

// "CONNECT_BMP", 34 x 34: two discs calling each other.
QImage ConnectPicture();
// "PACK_BMP", 44 x 34: discs being unpacked from a box.
QImage PackPicture();

}  // namespace velmora::assets
