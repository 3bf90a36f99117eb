#pragma once

#include <optional>
#include <string>

namespace velmora {

class AudioSystem;
class Prompter;

// The folder-selection dialog; tests answer it from a script.
class FolderChooser {
  public:
    virtual ~FolderChooser() = default;
    // The chosen folder, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> ChooseFolder(const std::string& start) = 0;
};

inline constexpr const char* kNoMusicFolderQuestion =
    "Новая папка с музыкой не выбрана.\rУстановить папку музыки по умолчанию?";

// DATA/MUSIC in the folder that holds DATA/.
std::string DefaultMusicFolder(const std::string& programFolder);

// The music-source command: lets the player choose the music folder, offers the default
// one when the dialog is cancelled, and starts the walk over only when the folder really
// changed. Returns whether it changed.
bool ChooseMusicSource(AudioSystem& audio, FolderChooser& chooser, Prompter& prompter,
                       const std::string& defaultFolder);

}  // namespace velmora
