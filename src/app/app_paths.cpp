#include "app/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace velmora {

QString ProgramFolder() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {exeDir, exeDir + "/../share/velmora-reversi"};
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate + "/DATA").isDir()) {
            return QDir::cleanPath(candidate);
        }
    }
    return exeDir;
}

QString DataFolder() {
    return ProgramFolder() + "/DATA";
}

QString HelpFilePath() {
    return ProgramFolder() + "/docs/readme_rus.txt";
}

}  // namespace velmora
