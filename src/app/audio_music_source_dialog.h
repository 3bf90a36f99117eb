#pragma once

#include <string>

#include "app/audio_music_source.h"

class QWidget;

namespace velmora {

class AudioSystem;
class Prompter;

// The platform's folder dialog.
class QtFolderChooser final : public FolderChooser {
  public:
    explicit QtFolderChooser(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> ChooseFolder(const std::string& start) override;

  private:
    QWidget* parent_;
};

// The music-source command (Ctrl+W) with the real folder dialog.
void MusicSourceCommand(AudioSystem& audio, QWidget* window, Prompter& prompter,
                        const std::string& defaultFolder);

}  // namespace velmora
