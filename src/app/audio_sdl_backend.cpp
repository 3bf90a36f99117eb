#include "app/audio_sdl_backend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "app/audio_effect_slots.h"

namespace velmora {
namespace {

// Handles carry their kind in the top byte, so a stale or foreign handle is never taken
// for another kind of object.
enum HandleKind : AudioHandle { SampleKind = 1, ChannelKind = 2, StreamKind = 3 };
constexpr int kKindShift = 24;
constexpr AudioHandle kIndexMask = (AudioHandle{1} << kKindShift) - 1;

// Eight effects with three playbacks each, before any need to grow.
constexpr int kInitialChannels = 24;

AudioHandle MakeHandle(HandleKind kind, AudioHandle index) {
    return (static_cast<AudioHandle>(kind) << kKindShift) | (index & kIndexMask);
}
HandleKind KindOf(AudioHandle handle) {
    return static_cast<HandleKind>(handle >> kKindShift);
}
AudioHandle IndexOf(AudioHandle handle) {
    return handle & kIndexMask;
}

// The mixer's volume scale is 0..128; out-of-range values (a hand-edited profile) are clamped,
// as a negative one would only query the mixer.
int MixerVolume(float volume) {
    if (!(volume > 0.0f)) {
        return 0;
    }
    return static_cast<int>(std::min<long>(std::lround(volume * MIX_MAX_VOLUME), MIX_MAX_VOLUME));
}

struct Sample {
    Mix_Chunk* chunk;
    int firstChannel;
    EffectSlots slots;
};

struct Stream {
    Mix_Music* music;
    int volume;
};

}  // namespace

struct SdlAudioBackend::State {
    bool open = false;
    std::vector<Sample> samples;
    std::vector<int> channelSample;  // mixer channel -> index into samples
    int channelsAllocated = 0;
    std::map<AudioHandle, Stream> streams;
    AudioHandle nextStream = 0;
    // The stream that owns the mixer's single music slot, and whether it was stopped midway.
    AudioHandle current = 0;
    bool paused = false;

    Sample* ChannelSample(AudioHandle channel) {
        const auto index = static_cast<std::size_t>(IndexOf(channel));
        if (KindOf(channel) != ChannelKind || index >= channelSample.size()) {
            return nullptr;
        }
        return &samples[static_cast<std::size_t>(channelSample[index])];
    }
    Stream* FindStream(AudioHandle stream) {
        const auto found = KindOf(stream) == StreamKind ? streams.find(stream) : streams.end();
        return found == streams.end() ? nullptr : &found->second;
    }
    bool CurrentPlaying(AudioHandle stream) const {
        return current == stream && !paused && Mix_PlayingMusic() != 0;
    }
};

SdlAudioBackend::SdlAudioBackend() : state_(std::make_unique<State>()) {}

SdlAudioBackend::~SdlAudioBackend() {
    Free();
}

bool SdlAudioBackend::Init() {
    Free();
    // Qt owns SIGINT and SIGTERM.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    state_->channelsAllocated = Mix_AllocateChannels(kInitialChannels);
    state_->open = true;
    return true;
}

void SdlAudioBackend::Free() {
    State& s = *state_;
    if (!s.open) {
        return;
    }
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (auto& [handle, stream] : s.streams) {
        Mix_FreeMusic(stream.music);
    }
    for (Sample& sample : s.samples) {
        Mix_FreeChunk(sample.chunk);
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    *state_ = State{};
}

AudioHandle SdlAudioBackend::SampleLoad(const std::string& path, int maxPlaybacks) {
    State& s = *state_;
    if (!s.open || maxPlaybacks < 1) {
        return 0;
    }
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (chunk == nullptr) {
        return 0;
    }
    const int first = static_cast<int>(s.channelSample.size());
    const int needed = first + maxPlaybacks;
    if (needed > s.channelsAllocated) {
        s.channelsAllocated = Mix_AllocateChannels(needed);
    }
    const int index = static_cast<int>(s.samples.size());
    s.samples.push_back(Sample{chunk, first, EffectSlots(maxPlaybacks)});
    s.channelSample.insert(s.channelSample.end(), static_cast<std::size_t>(maxPlaybacks), index);
    return MakeHandle(SampleKind, static_cast<AudioHandle>(index));
}

AudioHandle SdlAudioBackend::SampleGetChannel(AudioHandle sample) {
    State& s = *state_;
    const auto index = static_cast<std::size_t>(IndexOf(sample));
    if (!s.open || KindOf(sample) != SampleKind || index >= s.samples.size()) {
        return 0;
    }
    const Sample& owner = s.samples[index];
    const int slot =
        owner.slots.Pick([&](int n) { return Mix_Playing(owner.firstChannel + n) != 0; });
    return MakeHandle(ChannelKind, static_cast<AudioHandle>(owner.firstChannel + slot));
}

AudioHandle SdlAudioBackend::StreamCreateFile(const std::string& path) {
    State& s = *state_;
    if (!s.open) {
        return 0;
    }
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (music == nullptr) {
        return 0;
    }
    s.nextStream = (s.nextStream + 1) & kIndexMask;
    const AudioHandle handle = MakeHandle(StreamKind, s.nextStream);
    s.streams[handle] = Stream{music, MIX_MAX_VOLUME};
    return handle;
}

void SdlAudioBackend::StreamFree(AudioHandle stream) {
    State& s = *state_;
    Stream* found = s.FindStream(stream);
    if (found == nullptr) {
        return;
    }
    if (s.current == stream) {
        Mix_HaltMusic();
        s.current = 0;
        s.paused = false;
    }
    Mix_FreeMusic(found->music);
    s.streams.erase(stream);
}

void SdlAudioBackend::ChannelSetVolume(AudioHandle channel, float volume) {
    State& s = *state_;
    if (s.ChannelSample(channel) != nullptr) {
        Mix_Volume(static_cast<int>(IndexOf(channel)), MixerVolume(volume));
    } else if (Stream* stream = s.FindStream(channel)) {
        stream->volume = MixerVolume(volume);
        if (s.current == channel) {
            Mix_VolumeMusic(stream->volume);
        }
    }
}

void SdlAudioBackend::ChannelPlay(AudioHandle channel) {
    State& s = *state_;
    if (Sample* sample = s.ChannelSample(channel)) {
        const int mixerChannel = static_cast<int>(IndexOf(channel));
        if (Mix_PlayChannel(mixerChannel, sample->chunk, 0) >= 0) {
            sample->slots.Started(mixerChannel - sample->firstChannel);
        }
        return;
    }
    Stream* stream = s.FindStream(channel);
    if (stream == nullptr) {
        return;
    }
    if (s.current == channel && s.paused) {
        Mix_ResumeMusic();
        s.paused = false;
    } else if (!s.CurrentPlaying(channel)) {
        // Not started yet, or played to its end: from the top.
        Mix_VolumeMusic(stream->volume);
        if (Mix_PlayMusic(stream->music, 0) != 0) {
            return;
        }
        // A pause left behind by the previous track would hold this one too.
        Mix_ResumeMusic();
        s.current = channel;
        s.paused = false;
    }
    Mix_VolumeMusic(stream->volume);
}

void SdlAudioBackend::ChannelStop(AudioHandle channel) {
    State& s = *state_;
    if (s.ChannelSample(channel) != nullptr) {
        Mix_HaltChannel(static_cast<int>(IndexOf(channel)));
    } else if (s.FindStream(channel) != nullptr && s.CurrentPlaying(channel)) {
        Mix_PauseMusic();
        s.paused = true;
    }
}

bool SdlAudioBackend::ChannelIsActive(AudioHandle channel) {
    State& s = *state_;
    if (s.ChannelSample(channel) != nullptr) {
        const int mixerChannel = static_cast<int>(IndexOf(channel));
        return Mix_Playing(mixerChannel) != 0 && Mix_Paused(mixerChannel) == 0;
    }
    return s.FindStream(channel) != nullptr && s.CurrentPlaying(channel);
}

std::unique_ptr<AudioBackend> CreateSystemAudioBackend() {
    return std::make_unique<SdlAudioBackend>();
}

}  // namespace velmora
