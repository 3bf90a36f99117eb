#pragma once

// The audio rig: a backend that records every call, the settings record's audio fields and a
// folder of the test's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/audio_backend.h"
#include "app/audio_effect_slots.h"
#include "app/audio_settings.h"
#include "app/audio_system.h"

namespace velmora::testing_audio {

struct AudioCall {
    std::string op;
    AudioHandle handle = 0;
    std::string path;  // of the file loaded, or of the sample or stream a channel plays
    float volume = 0.0f;
};

// Plays nothing. Playbacks stay active until the test ends them with Finish, as a real one
// does when it reaches its end. A sample's channels are its handle times 10 plus the slot,
// picked by the production slot rule.
class RecordingAudioBackend final : public AudioBackend {
  public:
    bool initSucceeds = true;
    std::set<std::string> unplayable;  // paths whose samples and streams fail to load
    std::vector<AudioCall> calls;

    bool Init() override { return Record("Init"), initSucceeds; }
    void Free() override {
        Record("Free");
        samples_.clear();
        streams_.clear();
        playing_.clear();
    }
    AudioHandle SampleLoad(const std::string& path, int maxPlaybacks) override {
        Record("SampleLoad", 0, path, static_cast<float>(maxPlaybacks));
        if (unplayable.count(path) != 0) {
            return 0;
        }
        samples_.emplace(nextSample_, Sample{EffectSlots(maxPlaybacks), path});
        return nextSample_++;
    }
    AudioHandle SampleGetChannel(AudioHandle sample) override {
        Record("SampleGetChannel", sample);
        const auto found = samples_.find(sample);
        if (found == samples_.end()) {
            return 0;
        }
        return sample * 10 + static_cast<AudioHandle>(found->second.playbacks.Pick(
                                 [&](int slot) { return IsPlaying(sample * 10 + slot); }));
    }
    AudioHandle StreamCreateFile(const std::string& path) override {
        Record("StreamCreateFile", 0, path);
        if (unplayable.count(path) != 0) {
            return 0;
        }
        streams_[nextStream_] = path;
        return nextStream_++;
    }
    void StreamFree(AudioHandle stream) override {
        Record("StreamFree", stream, PathOf(stream));
        streams_.erase(stream);
        playing_.erase(stream);
    }
    void ChannelSetVolume(AudioHandle channel, float volume) override {
        Record("ChannelSetVolume", channel, "", volume);
        volumes_[channel] = volume;
    }
    void ChannelPlay(AudioHandle channel) override {
        const auto sample = samples_.find(channel / 10);
        if (streams_.count(channel) != 0) {
            playing_.insert(channel);
        } else if (sample != samples_.end()) {
            sample->second.playbacks.Started(static_cast<int>(channel % 10));
            playing_.insert(channel);
        }
        Record("ChannelPlay", channel,
               sample != samples_.end() ? sample->second.path : PathOf(channel));
    }
    void ChannelStop(AudioHandle channel) override {
        Record("ChannelStop", channel);
        playing_.erase(channel);
    }
    bool ChannelIsActive(AudioHandle channel) override {
        return Record("ChannelIsActive", channel), IsPlaying(channel);
    }

    // The playback reaches its end.
    void Finish(AudioHandle channel) { playing_.erase(channel); }
    bool IsPlaying(AudioHandle channel) const { return playing_.count(channel) != 0; }
    bool IsLoaded(AudioHandle stream) const { return streams_.count(stream) != 0; }
    float VolumeOf(AudioHandle channel) const {
        const auto found = volumes_.find(channel);
        return found == volumes_.end() ? -1.0f : found->second;
    }
    std::string PathOf(AudioHandle stream) const {
        const auto found = streams_.find(stream);
        return found == streams_.end() ? std::string() : found->second;
    }
    // Calls of `op`, only those whose path ends in `file` when one is given.
    int Count(const std::string& op, const std::string& file = {}) const {
        return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const AudioCall& c) {
            return c.op == op && c.path.ends_with(file);
        }));
    }
    std::vector<std::string> PathsOf(const std::string& op) const {
        std::vector<std::string> paths;
        for (const AudioCall& call : calls) {
            if (call.op == op) {
                paths.push_back(call.path);
            }
        }
        return paths;
    }

  private:
    struct Sample {
        EffectSlots playbacks;
        std::string path;
    };
    void Record(std::string op, AudioHandle handle = 0, std::string path = {}, float volume = 0) {
        calls.push_back({std::move(op), handle, std::move(path), volume});
    }

    std::map<AudioHandle, Sample> samples_;
    std::map<AudioHandle, std::string> streams_;
    std::set<AudioHandle> playing_;
    std::map<AudioHandle, float> volumes_;
    AudioHandle nextSample_ = 100;
    AudioHandle nextStream_ = 5000;
};

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolder {
  public:
    TempFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        static int made = 0;
        path_ = std::filesystem::path(::testing::TempDir()) /
                (std::string("velmora_audio_") + test->test_suite_name() + "_" + test->name() +
                 "_" + std::to_string(++made));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path(const std::string& relative = {}) const {
        return relative.empty() ? path_.string() : (path_ / relative).string();
    }
    // An empty file (with folders on the way), which the recording backend takes as a track.
    std::string Touch(const std::string& relative) const {
        const auto file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << "x";
        return file.string();
    }

  private:
    std::filesystem::path path_;
};

// The settings record's audio fields with their start-up defaults.
struct AudioSettingsValues {
    bool SoundOn = true;
    bool MusicOn = true;
    int SoundVolume = 225;
    int MusicVolume = 120;
    std::string MusicFolder;

    AudioSettings Bind() { return {SoundOn, MusicOn, SoundVolume, MusicVolume, MusicFolder}; }
};

// An audio system over a backend of the test's choice, with music from folder/music.
template <typename Backend = RecordingAudioBackend>
struct AudioRig {
    AudioRig() { settings.MusicFolder = folder.Path("music"); }
    // The track loaded now, by file name; empty when none.
    std::string Loaded() const {
        return std::filesystem::path(backend.PathOf(audio.MusicStream())).filename().string();
    }

    TempFolder folder;
    Backend backend;
    AudioSettingsValues settings;
    AudioSystem audio{backend, settings.Bind()};
};

}  // namespace velmora::testing_audio
