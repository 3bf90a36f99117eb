// The SDL2_mixer backend on SDL's dummy output, with Ogg files written by the test.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "app/audio_effects.h"
#include "app/audio_sdl_backend.h"
#include "app/audio_system.h"
#include "audio_test_ogg.h"
#include "audio_test_support.h"

namespace velmora {
namespace {

using testing_audio::AudioSettingsValues;
using testing_audio::TempFolder;
using testing_audio::WriteToneOgg;

// Polls until `done` holds or two seconds pass; the dummy driver plays in real time.
template <typename Done>
bool WaitFor(Done done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

class AudioSdlTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "dummy", 0); }

    void Init() {
        audio.InitAudio(folder.Path());
        ASSERT_TRUE(audio.AudioReady()) << "the dummy output should always open";
    }

    TempFolder folder;
    SdlAudioBackend backend;
    AudioSettingsValues settings;
    AudioSystem audio{backend, settings.Bind()};
};

TEST_F(AudioSdlTest, EffectsPlayToTheirEndAndAMissingFileSilencesOnlyItsEffect) {
    std::filesystem::create_directories(folder.Path("DATA"));
    for (int index = 0; index < kSoundEffectCount; ++index) {
        if (index != MessageSound) {
            WriteToneOgg(folder.Path(std::string(kSoundEffectFiles[index])), 0.1, 300 + 50 * index);
        }
    }
    Init();
    for (int index = 0; index < kSoundEffectCount; ++index) {
        EXPECT_EQ(audio.EffectSample(index) == 0, index == MessageSound) << index;
    }
    EXPECT_EQ(audio.PlayEffect(MessageSound), 0u);

    const AudioHandle channel = audio.PlayEffect(CorrectSound);
    ASSERT_NE(channel, 0u);
    EXPECT_TRUE(backend.ChannelIsActive(channel));
    EXPECT_TRUE(WaitFor([&] { return !backend.ChannelIsActive(channel); }));
}

TEST_F(AudioSdlTest, AFourthPlaybackTakesOverTheFirstChannel) {
    std::filesystem::create_directories(folder.Path("DATA"));
    WriteToneOgg(folder.Path("DATA/endgame.ogg"), 1.0);
    Init();
    const AudioHandle first = audio.PlayEffect(EndGameSound);
    const AudioHandle second = audio.PlayEffect(EndGameSound);
    const AudioHandle third = audio.PlayEffect(EndGameSound);
    EXPECT_EQ(std::set<AudioHandle>({first, second, third}).size(), 3u);
    EXPECT_EQ(audio.PlayEffect(EndGameSound), first);
    for (const AudioHandle channel : {first, second, third}) {
        EXPECT_TRUE(backend.ChannelIsActive(channel));
    }
}

TEST_F(AudioSdlTest, MusicPlaysTracksToTheirEndSkipsBrokenOnesAndResumesAfterStop) {
    std::filesystem::create_directories(folder.Path("music"));
    std::ofstream(folder.Path("music/a.ogg")) << "not an Ogg stream";
    WriteToneOgg(folder.Path("music/b.ogg"), 0.6);
    WriteToneOgg(folder.Path("music/c.ogg"), 0.15);
    settings.MusicFolder = folder.Path("music");
    Init();

    audio.MusicTimerTick();
    EXPECT_EQ(audio.MusicStream(), 0u);  // a.ogg cannot be played
    audio.MusicTimerTick();
    const AudioHandle b = audio.MusicStream();
    ASSERT_NE(b, 0u);
    EXPECT_TRUE(backend.ChannelIsActive(b));

    // Off and on again: the same stream carries on; at volume 0 it keeps playing.
    audio.StopMusic();
    EXPECT_FALSE(backend.ChannelIsActive(b));
    audio.MusicTimerTick();
    EXPECT_EQ(audio.MusicStream(), b);
    audio.PlayMusic();
    EXPECT_TRUE(backend.ChannelIsActive(b));
    audio.SetLoadedTrackVolume(0);
    EXPECT_TRUE(backend.ChannelIsActive(b));

    ASSERT_TRUE(WaitFor([&] { return !backend.ChannelIsActive(b); }));
    audio.MusicTimerTick();
    const AudioHandle c = audio.MusicStream();
    ASSERT_NE(c, 0u);
    EXPECT_NE(c, b);
    EXPECT_TRUE(backend.ChannelIsActive(c));
    ASSERT_TRUE(WaitFor([&] { return !backend.ChannelIsActive(c); }));

    audio.MusicTimerTick();  // frees c, starts over at a.ogg, which fails
    audio.MusicTimerTick();
    EXPECT_TRUE(audio.MusicStream() != 0 && backend.ChannelIsActive(audio.MusicStream()));
    // Released while a track plays.
    audio.ShutdownAudio();
}

}  // namespace
}  // namespace velmora
