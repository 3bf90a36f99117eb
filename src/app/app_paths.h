#pragma once

#include <QString>

namespace velmora {

// The folder that holds DATA/ and docs/: beside the executable in a build tree, or the
// installed share folder. Falls back to the executable's folder when neither has DATA/.
QString ProgramFolder();
QString DataFolder();
QString HelpFilePath();

}  // namespace velmora
