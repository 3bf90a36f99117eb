#pragma once

#include "game/statistics.h"

class QSettings;

namespace velmora {

// The table as the top-level binary "Statistics" value. A value that is not binary or is
// longer than the table leaves every counter at 0; start-up goes on either way.
StatisticsTable LoadStatistics();

// The same on a store already open.
StatisticsTable ReadStatistics(const QSettings& store);
void WriteStatistics(QSettings& store, const StatisticsTable& table);

}  // namespace velmora
