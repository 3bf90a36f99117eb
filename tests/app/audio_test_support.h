#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/audio_settings.h"

namespace velmora::testing_audio {

// The settings record's audio fields with their start-up defaults.
struct AudioSettingsValues {
    bool SoundOn = true;
    bool MusicOn = true;
    int SoundVolume = 225;
    int MusicVolume = 120;
    std::string MusicFolder;

    AudioSettings Bind() { return {SoundOn, MusicOn, SoundVolume, MusicVolume, MusicFolder}; }
};

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolder {
  public:
    TempFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::path(::testing::TempDir()) /
                (std::string("velmora_audio_") + test->test_suite_name() + "_" + test->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path() const { return path_.string(); }
    std::string Path(const std::string& relative) const { return (path_ / relative).string(); }
    // An empty file (with folders on the way), which the recording backend accepts as a track.
    std::string Touch(const std::string& relative) const {
        const auto file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << "x";
        return file.string();
    }

  private:
    std::filesystem::path path_;
};

}  // namespace velmora::testing_audio
