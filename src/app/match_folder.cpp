#include "app/match_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "app/settings_store.h"

namespace velmora {

namespace {

const QString kKey = QStringLiteral("options/matchdir");

bool IsFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

}  // namespace

QString MatchFolder() {
    const QString remembered = OpenSettingsStore()->value(kKey).toString();
    if (IsFolder(remembered)) {
        return remembered;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return IsFolder(documents) ? documents : QDir::homePath();
}

void RememberMatchFolder(const QString& matchPath) {
    if (matchPath.isEmpty()) {
        return;
    }
    const std::unique_ptr<QSettings> store = OpenSettingsStore();
    store->setValue(kKey, QFileInfo(matchPath).absolutePath());
    store->sync();
}

}  // namespace velmora
