#pragma once

#include <memory>

#include "app/audio_backend.h"

namespace velmora {

// SDL2_mixer behind the backend interface: samples are mixer chunks on channels reserved per
// sample, streams are mixer music (one sounds at a time, which is all the program needs).
// The mixer's callbacks are not used, so nothing runs on SDL's audio thread but the mixing.
class SdlAudioBackend final : public AudioBackend {
  public:
    SdlAudioBackend();
    ~SdlAudioBackend() override;

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

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// The backend of the running program.
std::unique_ptr<AudioBackend> CreateSystemAudioBackend();

}  // namespace velmora
