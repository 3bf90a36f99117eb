#pragma once

#include <QString>

namespace velmora {

// Where the Open and Save dialogs start: the folder of the match last opened or saved through
// them, kept in the settings store as "options/matchdir". Until then, or when that folder
// has gone, the user's documents folder, or home when there is none.
QString MatchFolder();
// Remembers the folder of a match file just chosen in the Open or Save dialog.
void RememberMatchFolder(const QString& matchPath);

}  // namespace velmora
