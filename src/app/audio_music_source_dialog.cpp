#include "app/audio_music_source_dialog.h"

#include <QFile>
#include <QFileDialog>

namespace velmora {

std::optional<std::string> QtFolderChooser::ChooseFolder(const std::string& start) {
    const QString folder = QFileDialog::getExistingDirectory(
        parent_, QStringLiteral("Источник музыки"), QFile::decodeName(start.c_str()));
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(folder).toStdString();
}

void MusicSourceCommand(AudioSystem& audio, QWidget* window, Prompter& prompter,
                        const std::string& defaultFolder) {
    QtFolderChooser chooser(window);
    ChooseMusicSource(audio, chooser, prompter, defaultFolder);
}

}  // namespace velmora
