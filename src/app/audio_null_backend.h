#pragma once

#include "app/audio_backend.h"

namespace velmora {

// No output device: Init fails, so the program runs silent and shows nothing. Also what
// window tests give the audio system.
class NullAudioBackend final : public AudioBackend {
  public:
    bool Init() override { return false; }
    void Free() override {}
    AudioHandle SampleLoad(const std::string&, int) override { return 0; }
    AudioHandle SampleGetChannel(AudioHandle) override { return 0; }
    AudioHandle StreamCreateFile(const std::string&) override { return 0; }
    void StreamFree(AudioHandle) override {}
    void ChannelSetVolume(AudioHandle, float) override {}
    void ChannelPlay(AudioHandle) override {}
    void ChannelStop(AudioHandle) override {}
    bool ChannelIsActive(AudioHandle) override { return false; }
};

}  // namespace velmora
