#pragma once

#include <QString>

#include "support/intro_resources.h"

namespace velmora {

// The intro's resources from a folder (by default those compiled into the program): the mesh
// as stored, the others unpacked. A resource that is missing or damaged stays empty.
IntroResources LoadIntroResources(const QString& folder = QStringLiteral(":/intro"));

}  // namespace velmora
