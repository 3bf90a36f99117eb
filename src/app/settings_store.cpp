#include "app/settings_store.h"

#include <QCoreApplication>
#include <QSettings>
#include <QVariant>

#include "app/statistics_store.h"
#include "game/settings_rules.h"

namespace velmora {

namespace {

QString Key(std::string_view group, std::string_view key) {
    const std::string path =
        group.empty() ? std::string(key) : std::string(group) + "/" + std::string(key);
    return QString::fromStdString(path);
}

bool Write(const std::vector<SettingText>& texts, const StatisticsTable* statistics) {
    const std::unique_ptr<QSettings> store = OpenSettingsStore();
    for (const SettingText& text : texts) {
        if (text.IsStatistics()) {
            if (statistics != nullptr) {
                WriteStatistics(*store, *statistics);
            }
        } else {
            store->setValue(Key(text.group, text.key), QString::fromStdString(text.value));
        }
    }
    store->sync();
    // A format error is about what was read; the file has been rewritten whole.
    return store->status() != QSettings::AccessError;
}

}  // namespace

std::unique_ptr<QSettings> OpenSettingsStore() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Velmora",
                                       "Reversi");
}

Settings LoadSettings(const QString& programFolder) {
    QString folder = programFolder;
    if (folder.isEmpty() && QCoreApplication::instance() != nullptr) {
        folder = QCoreApplication::applicationDirPath();
    }
    while (folder.size() > 1 && folder.endsWith('/')) {
        folder.chop(1);
    }
    const std::unique_ptr<QSettings> store = OpenSettingsStore();
    const auto lookup = [&store](std::string_view group, std::string_view key) -> StoredText {
        const QVariant value = store->value(Key(group, key));
        // Only text is ours: a list, a byte array or anything else counts as absent.
        if (value.typeId() != QMetaType::QString) {
            return std::nullopt;
        }
        return value.toString().toStdString();
    };
    return ReadSettings(lookup, folder.toStdString());
}

bool SaveWindowSettings(const Settings& settings, const StatisticsTable& statistics,
                        bool listening) {
    return Write(WindowSettingTexts(settings, listening), &statistics);
}

bool SaveDialogSettings(const Settings& settings) {
    return Write(DialogSettingTexts(settings), nullptr);
}

bool SaveTipSettings(const Settings& settings) {
    return Write(TipSettingTexts(settings), nullptr);
}

}  // namespace velmora
