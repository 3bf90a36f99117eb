#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/audio_backend.h"
#include "app/audio_effect_slots.h"

namespace velmora::testing_audio {

struct AudioCall {
    std::string op;
    AudioHandle handle = 0;
    std::string path;
    float volume = 0.0f;
};

// Records every call and plays nothing. Playbacks stay active until the test ends them with
// Finish, as a real one does when it reaches its end.
class RecordingAudioBackend final : public AudioBackend {
  public:
    bool initSucceeds = true;
    std::set<std::string> unplayable;  // paths whose samples and streams fail to load
    std::vector<AudioCall> calls;

    bool Init() override;
    void Free() override;
    AudioHandle SampleLoad(const std::string& path, int maxPlaybacks) override;
    AudioHandle SampleGetChannel(AudioHandle sample) override;
    AudioHandle StreamCreateFile(const std::string& path) override;
    void StreamFree(AudioHandle stream) override;
    void ChannelSetVolume(AudioHandle channel, float volume) override;
    void ChannelPlay(AudioHandle channel) override;
    void ChannelStop(AudioHandle channel) override;
    bool ChannelIsActive(AudioHandle channel) override;

    // The playback reaches its end.
    void Finish(AudioHandle channel) { playing_.erase(channel); }

    bool IsPlaying(AudioHandle channel) const { return playing_.count(channel) != 0; }
    float VolumeOf(AudioHandle channel) const;
    std::string PathOf(AudioHandle stream) const;
    bool IsLoaded(AudioHandle stream) const { return streams_.count(stream) != 0; }
    int Count(const std::string& op) const;
    std::vector<std::string> PathsOf(const std::string& op) const;

  private:
    void Record(std::string op, AudioHandle handle = 0, std::string path = {}, float volume = 0) {
        calls.push_back({std::move(op), handle, std::move(path), volume});
    }

    std::map<AudioHandle, EffectSlots> samples_;
    std::map<AudioHandle, std::string> streams_;
    std::set<AudioHandle> playing_;
    std::map<AudioHandle, float> volumes_;
    AudioHandle nextSample_ = 100;
    AudioHandle nextStream_ = 5000;
};

}  // namespace velmora::testing_audio
