#pragma once

#include <string>

namespace velmora {

// The persistent options that audio reads and changes, bound to the fields of the settings
// record so that the menus, the settings dialog and the exit writer all see one value.
struct AudioSettings {
    bool& SoundOn;
    bool& MusicOn;
    int& SoundVolume;          // 0..255
    int& MusicVolume;          // 0..255
    std::string& MusicFolder;  // without a trailing separator
};

}  // namespace velmora
