#include "app/audio_music_source.h"

#include <filesystem>

#include "app/audio_system.h"
#include "game/prompter.h"

namespace velmora {

std::string DefaultMusicFolder(const std::string& programFolder) {
    return (std::filesystem::path(programFolder) / "DATA" / "MUSIC").string();
}

bool ChooseMusicSource(AudioSystem& audio, FolderChooser& chooser, Prompter& prompter,
                       const std::string& defaultFolder) {
    std::string& folder = audio.Settings().MusicFolder;
    const std::string previous = folder;
    if (const auto chosen = chooser.ChooseFolder(folder)) {
        folder = *chosen;
    } else {
        if (!prompter.AskYesNo(kNoMusicFolderQuestion)) {
            return false;
        }
        folder = defaultFolder;
    }
    if (folder == previous) {
        return false;
    }
    audio.RestartMusicSearch();
    return true;
}

}  // namespace velmora
