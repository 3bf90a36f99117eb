#pragma once

// Sound effects and background music.
//
// Wiring into the main window (all on the GUI thread):
//   fields      std::unique_ptr<AudioBackend> audioBackend_ = CreateSystemAudioBackend();
//                   (window tests pass a NullAudioBackend or a recording one instead)
//               AudioSystem audio_{*audioBackend_, AudioSettings{settings.soundOn,
//                   settings.musicOn, settings.soundVolume, settings.musicVolume,
//                   settings.musicFolder}};
//               MusicPingTimer* musicTimer_ = new MusicPingTimer(audio_, this);
//               TVolumeForm* volumeForm_ = new TVolumeForm(audio_, this);  // at start-up
//   creation    audio_.InitAudio(programFolder) before LoadSettings();
//               musicTimer_->Enable() at the very end.
//   close       musicTimer_->Disable() first thing.
//   destroy     audio_.ShutdownAudio().
//   effects     the game flow's and the network code's EffectPlayer: audio_.PlayEffect(index).
//   Music item and the settings dialog's apply step, after musicOn is set: audio_.ApplyMusicOn().
//   minimise    audio_.ApplicationMinimized();   restore: audio_.ApplicationRestored().
//   Ctrl+Q      volumeForm_->Execute(this).
//   Ctrl+W      MusicSourceCommand(audio_, this, prompter, DefaultMusicFolder(programFolder)).
// `programFolder` is the folder that holds DATA/ (ProgramFolder() of app_paths.h).

#include <array>
#include <string>

#include "app/audio_backend.h"
#include "app/audio_effects.h"
#include "app/audio_music_walker.h"
#include "app/audio_settings.h"

namespace velmora {

// The audio state the main window owns: the effect samples, the loaded music track and the
// walk over the music folder. Without an output device it stays silent and does nothing.
class AudioSystem {
  public:
    AudioSystem(AudioBackend& backend, AudioSettings settings);
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;
    ~AudioSystem();

    // Opens the device and loads the effects from `programFolder`/DATA in index order. A
    // missing effect file leaves only that effect silent.
    void InitAudio(const std::string& programFolder);
    // Releases the device; everything after it is silent.
    void ShutdownAudio();

    // Plays a new instance of the effect when sound is on; returns its channel, or 0 when
    // nothing plays.
    AudioHandle PlayEffect(int index);

    // Plays the loaded track (on from where it stopped) and marks the music as wanted.
    void PlayMusic();
    // Stops the loaded track, keeping it, and marks the music as stopped.
    void StopMusic();
    // Plays or stops the music after MusicOn has been changed.
    void ApplyMusicOn();
    // The application was minimised: the music stops until it is restored.
    void ApplicationMinimized();
    void ApplicationRestored();

    // One tick of the music timer: when the track has ended, frees it and looks at the next
    // entry of the music folder.
    void MusicTimerTick();
    // Sets the loaded track's volume (0..255) without storing it.
    void SetLoadedTrackVolume(int value);
    // Drops the loaded track and starts the walk over at the top of MusicFolder.
    void RestartMusicSearch();

    AudioSettings& Settings() { return settings_; }
    bool AudioReady() const { return audioReady_; }
    AudioHandle EffectSample(int index) const;
    AudioHandle MusicStream() const { return musicStream_; }
    bool MusicStopped() const { return musicStopped_; }

  private:
    void FreeMusicStream();

    AudioBackend& backend_;
    AudioSettings settings_;
    bool audioReady_ = false;
    std::array<AudioHandle, kSoundEffectCount> effectSamples_{};
    AudioHandle musicStream_ = 0;
    bool musicStopped_ = true;
    bool minimized_ = false;
    MusicFolderWalker musicSearch_;
};

}  // namespace velmora
