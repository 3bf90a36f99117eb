#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// A sample, a playback channel of a sample, or a music stream; 0 stands for none.
using AudioHandle = std::uint32_t;

// The sound library as the program uses it: samples with a few simultaneous playbacks,
// and streamed tracks. Every call comes from the GUI thread; handles of a failed load are 0
// and every call accepts 0 and does nothing with it.
class AudioBackend {
  public:
    virtual ~AudioBackend() = default;

    // Opens the default output device; false leaves the program silent.
    virtual bool Init() = 0;
    // Releases the device, every sample and every stream.
    virtual void Free() = 0;

    // Decodes a whole file into memory. At most `maxPlaybacks` of it sound at once; asking for
    // one more takes over the playback that has played longest.
    virtual AudioHandle SampleLoad(const std::string& path, int maxPlaybacks) = 0;
    // A channel of the sample that the next ChannelPlay starts.
    virtual AudioHandle SampleGetChannel(AudioHandle sample) = 0;

    // Opens a file for playback from disk; 0 when the file cannot be played.
    virtual AudioHandle StreamCreateFile(const std::string& path) = 0;
    virtual void StreamFree(AudioHandle stream) = 0;

    // The calls below take a sample channel or a stream.
    // `volume` runs from 0 (silent) to 1 (full).
    virtual void ChannelSetVolume(AudioHandle channel, float volume) = 0;
    // Starts playback; a stream that was stopped carries on where it stopped.
    virtual void ChannelPlay(AudioHandle channel) = 0;
    // Stops playback and keeps the stream and its position.
    virtual void ChannelStop(AudioHandle channel) = 0;
    // False once the channel has been stopped or has played to its end.
    virtual bool ChannelIsActive(AudioHandle channel) = 0;
};

}  // namespace velmora
