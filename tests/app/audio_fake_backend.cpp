#include "audio_fake_backend.h"

#include <algorithm>

namespace velmora::testing_audio {
namespace {

// A sample's channels are its handle times 10 plus the slot.
constexpr AudioHandle kSlotsPerSample = 10;

}  // namespace

bool RecordingAudioBackend::Init() {
    Record("Init");
    return initSucceeds;
}

void RecordingAudioBackend::Free() {
    Record("Free");
    samples_.clear();
    streams_.clear();
    playing_.clear();
}

AudioHandle RecordingAudioBackend::SampleLoad(const std::string& path, int maxPlaybacks) {
    Record("SampleLoad", 0, path, static_cast<float>(maxPlaybacks));
    if (unplayable.count(path) != 0) {
        return 0;
    }
    const AudioHandle handle = nextSample_++;
    samples_.emplace(handle, EffectSlots(maxPlaybacks));
    return handle;
}

AudioHandle RecordingAudioBackend::SampleGetChannel(AudioHandle sample) {
    Record("SampleGetChannel", sample);
    const auto found = samples_.find(sample);
    if (found == samples_.end()) {
        return 0;
    }
    const int slot = found->second.Pick(
        [&](int n) { return IsPlaying(sample * kSlotsPerSample + static_cast<AudioHandle>(n)); });
    return sample * kSlotsPerSample + static_cast<AudioHandle>(slot);
}

AudioHandle RecordingAudioBackend::StreamCreateFile(const std::string& path) {
    Record("StreamCreateFile", 0, path);
    if (unplayable.count(path) != 0) {
        return 0;
    }
    const AudioHandle handle = nextStream_++;
    streams_[handle] = path;
    return handle;
}

void RecordingAudioBackend::StreamFree(AudioHandle stream) {
    Record("StreamFree", stream, PathOf(stream));
    streams_.erase(stream);
    playing_.erase(stream);
}

void RecordingAudioBackend::ChannelSetVolume(AudioHandle channel, float volume) {
    Record("ChannelSetVolume", channel, "", volume);
    volumes_[channel] = volume;
}

void RecordingAudioBackend::ChannelPlay(AudioHandle channel) {
    Record("ChannelPlay", channel, PathOf(channel));
    if (streams_.count(channel) != 0) {
        playing_.insert(channel);
        return;
    }
    const auto sample = samples_.find(channel / kSlotsPerSample);
    if (sample != samples_.end()) {
        sample->second.Started(static_cast<int>(channel % kSlotsPerSample));
        playing_.insert(channel);
    }
}

void RecordingAudioBackend::ChannelStop(AudioHandle channel) {
    Record("ChannelStop", channel);
    playing_.erase(channel);
}

bool RecordingAudioBackend::ChannelIsActive(AudioHandle channel) {
    Record("ChannelIsActive", channel);
    return IsPlaying(channel);
}

float RecordingAudioBackend::VolumeOf(AudioHandle channel) const {
    const auto found = volumes_.find(channel);
    return found == volumes_.end() ? -1.0f : found->second;
}

std::string RecordingAudioBackend::PathOf(AudioHandle stream) const {
    const auto found = streams_.find(stream);
    return found == streams_.end() ? std::string() : found->second;
}

int RecordingAudioBackend::Count(const std::string& op) const {
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&](const AudioCall& c) { return c.op == op; }));
}

std::vector<std::string> RecordingAudioBackend::PathsOf(const std::string& op) const {
    std::vector<std::string> paths;
    for (const AudioCall& call : calls) {
        if (call.op == op) {
            paths.push_back(call.path);
        }
    }
    return paths;
}

}  // namespace velmora::testing_audio
