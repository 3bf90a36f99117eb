#include "app/settings_store.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QVariant>

#include "app/settings_file_repair.h"
#include "app/statistics_store.h"
#include "game/settings_rules.h"

namespace velmora {

namespace {

QString Key(std::string_view group, std::string_view key) {
    const std::string path =
        group.empty() ? std::string(key) : std::string(group) + "/" + std::string(key);
    return QString::fromStdString(path);
}

void Put(QSettings& store, const std::vector<SettingText>& texts,
         const StatisticsTable* statistics) {
    for (const SettingText& text : texts) {
        if (text.IsStatistics()) {
            if (statistics != nullptr) {
                WriteStatistics(store, *statistics);
            }
        } else {
            store.setValue(Key(text.group, text.key), QString::fromStdString(text.value));
        }
    }
}

// Replaces a file whole through a temporary file beside it.
bool WriteWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QString FreeBackupPath(const QString& path) {
    QString backup = path + QStringLiteral(".bak");
    // An earlier backup is the player's data too.
    for (int n = 2; QFileInfo::exists(backup) && n < 100; ++n) {
        backup = path + QStringLiteral(".bak.%1").arg(n);
    }
    return backup;
}

bool Write(const std::vector<SettingText>& texts, const StatisticsTable* statistics) {
    const std::unique_ptr<QSettings> store = OpenSettingsStore();
    Put(*store, texts, statistics);
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

QString SettingsFilePath() {
    return OpenSettingsStore()->fileName();
}

SettingsRecovery RecoverSettingsFile() {
    const QString path = SettingsFilePath();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // A file that is there but cannot be read must not be replaced by defaults.
        return QFileInfo::exists(path)
                   ? SettingsRecovery{SettingsRecovery::State::BackupFailed, QString()}
                   : SettingsRecovery{};
    }
    const QByteArray bytes = file.readAll();
    file.close();
    SettingsFileRepair repair = ExamineSettingsFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
        StatisticsTable::kBytes);
    if (!repair.damaged) {
        const std::unique_ptr<QSettings> store = OpenSettingsStore();
        store->allKeys();
        if (store->status() != QSettings::FormatError) {
            return {};
        }
    }
    SettingsRecovery recovery;
    recovery.backupPath = FreeBackupPath(path);
    if (!WriteWhole(recovery.backupPath, bytes)) {
        recovery.state = SettingsRecovery::State::BackupFailed;
        return recovery;
    }
    recovery.state = SettingsRecovery::State::Repaired;
    if (!WriteWhole(path, QByteArray::fromStdString(repair.cleanText))) {
        return recovery;
    }
    if (repair.statistics) {
        const std::unique_ptr<QSettings> store = OpenSettingsStore();
        WriteStatistics(*store, StatisticsTable::FromBytes(*repair.statistics));
        store->sync();
    }
    return recovery;
}

std::string RecoveryMessage(const SettingsRecovery& recovery) {
    const std::string file = "«" + SettingsFilePath().toStdString() + "»";
    switch (recovery.state) {
        case SettingsRecovery::State::Clean:
            return {};
        case SettingsRecovery::State::Repaired:
            return "Файл настроек " + file +
                   " был повреждён.\rЕго прежнее содержимое сохранено в «" +
                   recovery.backupPath.toStdString() +
                   "».\rВосстановлено всё, что удалось прочитать.";
        case SettingsRecovery::State::BackupFailed:
            return "Файл настроек " + file +
                   " прочитан не полностью, а сохранить его копию не удалось.\rЧтобы не потерять "
                   "статистику, настройки этого сеанса записаны не будут.";
    }
    return {};
}

bool SaveAllSettings(const Settings& window, const Settings* dialog,
                     const StatisticsTable& statistics, bool listening) {
    const std::unique_ptr<QSettings> store = OpenSettingsStore();
    Put(*store, WindowSettingTexts(window, listening), &statistics);
    if (dialog != nullptr) {
        Put(*store, DialogSettingTexts(*dialog), nullptr);
    }
    store->sync();
    return store->status() != QSettings::AccessError;
}

bool SaveTipSettings(const Settings& settings) {
    return Write(TipSettingTexts(settings), nullptr);
}

}  // namespace velmora
