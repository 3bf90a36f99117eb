#pragma once

#include <QString>
#include <memory>
#include <string>

#include "game/settings.h"
#include "game/statistics.h"

class QSettings;

namespace velmora {

// The store every reader and writer opens for its own work: an INI file in the user's
// configuration folder, groups "net" and "options", the statistics at the top level.
std::unique_ptr<QSettings> OpenSettingsStore();

// Reads every option, applying defaults and read rules; values of the wrong kind count as
// absent. programFolder gives the default music folder; empty means the executable's folder.
Settings LoadSettings(const QString& programFolder = {});

// The file the store reads and writes.
QString SettingsFilePath();

// A settings file that does not read cleanly is never written over as it is: before the
// first write of a run the file is copied beside itself (Reversi.ini.bak) and replaced by the
// lines that read cleanly, with what could be read of the statistics.
struct SettingsRecovery {
    enum class State { Clean, Repaired, BackupFailed };
    State state = State::Clean;
    QString backupPath;
};
SettingsRecovery RecoverSettingsFile();
// The message for the player about a recovery; empty for a clean file.
std::string RecoveryMessage(const SettingsRecovery& recovery);

// Everything at once, in one write: the window's settings with the statistics and, when
// given, the settings dialog's. Every write replaces the file whole (a temporary file
// renamed over it), so a kill at any moment leaves the old file or the new one.
bool SaveAllSettings(const Settings& window, const Settings* dialog,
                     const StatisticsTable& statistics, bool listening);

// The tip window's writer, each time it closes.
bool SaveTipSettings(const Settings& settings);

}  // namespace velmora
