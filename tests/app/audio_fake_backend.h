#pragma once

// The audio rig: a backend that records every call, the audio settings and a folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/audio_backend.h"
#include "app/audio_effect_slots.h"
#include "app/audio_settings.h"
#include "app/audio_system.h"

namespace velmora::testing_audio {

struct AudioCall {
    std::string op;
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
    void Free() override { Record("Free"), samples_.clear(), streams_.clear(), playing_.clear(); }
    AudioHandle SampleLoad(const std::string& path, int maxPlaybacks) override {
        Record("SampleLoad", path, static_cast<float>(maxPlaybacks));
        if (unplayable.count(path) != 0) {
            return 0;
        }
        samples_.emplace(nextSample_, std::pair(EffectSlots(maxPlaybacks), path));
        return nextSample_++;
    }
    AudioHandle SampleGetChannel(AudioHandle sample) override {
        Record("SampleGetChannel");
        const auto found = samples_.find(sample);
        if (found == samples_.end()) {
            return 0;
        }
        return sample * 10 + static_cast<AudioHandle>(found->second.first.Pick(
                                 [&](int slot) { return IsPlaying(sample * 10 + slot); }));
    }
    AudioHandle StreamCreateFile(const std::string& path) override {
        Record("StreamCreateFile", path);
        if (unplayable.count(path) != 0) {
            return 0;
        }
        streams_[nextStream_] = path;
        return nextStream_++;
    }
    void StreamFree(AudioHandle stream) override {
        Record("StreamFree", PathOf(stream)), Finish(stream), streams_.erase(stream);
    }
    void ChannelSetVolume(AudioHandle channel, float volume) override {
        Record("ChannelSetVolume", "", volume);
        volumes_[channel] = volume;
    }
    void ChannelPlay(AudioHandle channel) override {
        const auto sample = samples_.find(channel / 10);  // streams are numbered above samples
        if (sample != samples_.end() || streams_.count(channel) != 0) {
            playing_.insert(channel);
        }
        if (sample != samples_.end()) {
            sample->second.first.Started(static_cast<int>(channel % 10));
        }
        Record("ChannelPlay", sample != samples_.end() ? sample->second.second : PathOf(channel));
    }
    void ChannelStop(AudioHandle channel) override { Record("ChannelStop"), Finish(channel); }
    bool ChannelIsActive(AudioHandle channel) override {
        return Record("ChannelIsActive"), IsPlaying(channel);
    }

    // The playback reaches its end.
    void Finish(AudioHandle channel) { playing_.erase(channel); }
    bool IsPlaying(AudioHandle channel) const { return playing_.count(channel) != 0; }
    float VolumeOf(AudioHandle channel) const {
        return volumes_.count(channel) != 0 ? volumes_.at(channel) : -1.0f;
    }
    // Empty once the stream is freed.
    std::string PathOf(AudioHandle stream) const {
        return streams_.count(stream) != 0 ? streams_.at(stream) : std::string();
    }
    std::vector<std::string> PathsOf(const std::string& op) const {
        std::vector<std::string> paths;
        for (const AudioCall& call : calls) {
            call.op == op ? paths.push_back(call.path) : void();
        }
        return paths;
    }
    // Calls of `op`, only those whose path ends in `file` when one is given.
    int Count(const std::string& op, const std::string& file = {}) const {
        const auto paths = PathsOf(op);
        return static_cast<int>(std::count_if(
            paths.begin(), paths.end(), [&](const std::string& p) { return p.ends_with(file); }));
    }

  private:
    void Record(std::string op, std::string path = {}, float volume = 0) {
        calls.push_back({std::move(op), std::move(path), volume});
    }

    std::map<AudioHandle, std::pair<EffectSlots, std::string>> samples_;  // slots, path
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
        static int made = 0;
        path_ = std::filesystem::path(::testing::TempDir()) /
                ("velmora_audio_" + std::to_string(getpid()) + "_" + std::to_string(++made));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }

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

    TempFolder folder;
    Backend backend;
    AudioSettingsValues settings;
    AudioSystem audio{backend, settings.Bind()};
};

}  // namespace velmora::testing_audio
