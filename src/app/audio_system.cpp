#include "app/audio_system.h"

#include <filesystem>

namespace velmora {

AudioSystem::AudioSystem(AudioBackend& backend, AudioSettings settings)
    : backend_(backend), settings_(settings) {}

AudioSystem::~AudioSystem() {
    ShutdownAudio();
}

void AudioSystem::InitAudio(const std::string& programFolder) {
    ShutdownAudio();
    if (!backend_.Init()) {
        return;
    }
    for (int index = 0; index < kSoundEffectCount; ++index) {
        const auto path = std::filesystem::path(programFolder) / kSoundEffectFiles[index];
        effectSamples_[index] = backend_.SampleLoad(path.string(), kEffectPlaybacks);
    }
    musicStream_ = 0;
    audioReady_ = true;
    musicStopped_ = true;
}

void AudioSystem::ShutdownAudio() {
    if (!audioReady_) {
        return;
    }
    backend_.Free();
    audioReady_ = false;
    effectSamples_.fill(0);
    musicStream_ = 0;
    musicStopped_ = true;
    musicSearch_.Close();
}

AudioHandle AudioSystem::PlayEffect(int index) {
    if (!audioReady_ || !settings_.SoundOn || index < 0 || index >= kSoundEffectCount) {
        return 0;
    }
    const AudioHandle channel = backend_.SampleGetChannel(effectSamples_[index]);
    if (channel == 0) {
        return 0;
    }
    backend_.ChannelSetVolume(channel, VolumeLevel(settings_.SoundVolume));
    backend_.ChannelPlay(channel);
    return channel;
}

void AudioSystem::PlayMusic() {
    if (musicStream_ != 0) {
        backend_.ChannelSetVolume(musicStream_, VolumeLevel(settings_.MusicVolume));
        backend_.ChannelPlay(musicStream_);
    }
    musicStopped_ = false;
}

void AudioSystem::StopMusic() {
    if (musicStream_ != 0) {
        backend_.ChannelStop(musicStream_);
    }
    musicStopped_ = true;
}

void AudioSystem::ApplyMusicOn() {
    if (settings_.MusicOn) {
        PlayMusic();
    } else {
        StopMusic();
    }
}

void AudioSystem::ApplicationMinimized() {
    minimized_ = true;
    StopMusic();
}

void AudioSystem::ApplicationRestored() {
    minimized_ = false;
    if (settings_.MusicOn) {
        PlayMusic();
    }
}

void AudioSystem::MusicTimerTick() {
    if (!audioReady_) {
        return;
    }
    // A loaded track stays until it ends while it is meant to be playing; a stopped one
    // waits for the music to be turned on again.
    if (musicStream_ != 0) {
        if (musicStopped_ || backend_.ChannelIsActive(musicStream_)) {
            return;
        }
        FreeMusicStream();
    }
    const auto track = musicSearch_.Step(settings_.MusicFolder);
    if (!track) {
        return;
    }
    musicStream_ = backend_.StreamCreateFile(*track);
    if (musicStream_ == 0) {
        return;  // unplayable: the next tick tries the next entry
    }
    // A track found while minimised waits, stopped, for the restore.
    if (settings_.MusicOn && !minimized_) {
        PlayMusic();
    } else {
        StopMusic();
    }
}

void AudioSystem::SetLoadedTrackVolume(int value) {
    if (musicStream_ != 0) {
        backend_.ChannelSetVolume(musicStream_, VolumeLevel(value));
    }
}

void AudioSystem::RestartMusicSearch() {
    FreeMusicStream();
    musicSearch_.Close();
}

AudioHandle AudioSystem::EffectSample(int index) const {
    return index >= 0 && index < kSoundEffectCount ? effectSamples_[index] : 0;
}

void AudioSystem::FreeMusicStream() {
    if (musicStream_ != 0) {
        backend_.StreamFree(musicStream_);
        musicStream_ = 0;
    }
}

}  // namespace velmora
