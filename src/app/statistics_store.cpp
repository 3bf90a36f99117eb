#include "app/statistics_store.h"

#include <QByteArray>
#include <QSettings>
#include <QVariant>

#include "app/settings_store.h"
#include "game/settings_rules.h"

namespace velmora {

namespace {

QString StatisticsKey() {
    return QString::fromUtf8(kStatisticsKey.data(), static_cast<qsizetype>(kStatisticsKey.size()));
}

}  // namespace

StatisticsTable ReadStatistics(const QSettings& store) {
    const QVariant value = store.value(StatisticsKey());
    if (value.typeId() != QMetaType::QByteArray) {
        return {};
    }
    const QByteArray bytes = value.toByteArray();
    return StatisticsTable::FromBytes(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                  static_cast<std::size_t>(bytes.size())));
}

void WriteStatistics(QSettings& store, const StatisticsTable& table) {
    const StatisticsTable::Bytes bytes = table.ToBytes();
    store.setValue(StatisticsKey(), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<qsizetype>(bytes.size())));
}

StatisticsTable LoadStatistics() {
    return ReadStatistics(*OpenSettingsStore());
}

}  // namespace velmora
