#pragma once

#include <QString>
#include <memory>

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

// The window's writer at exit, with the statistics table in its place; listening tells
// whether the listening socket is up now. The caller skips it after a refused start.
// Returns false when the store could not be written.
bool SaveWindowSettings(const Settings& settings, const StatisticsTable& statistics,
                        bool listening);
// The settings dialog's writer at exit.
bool SaveDialogSettings(const Settings& settings);
// The tip window's writer, each time it closes.
bool SaveTipSettings(const Settings& settings);

}  // namespace velmora
