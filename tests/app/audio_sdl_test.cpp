// The SDL2_mixer backend on SDL's dummy output, with Ogg files written by the test.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "app/audio_effects.h"
#include "app/audio_sdl_backend.h"
#include "assetkit/audio.h"
#include "audio_fake_backend.h"

namespace velmora {
namespace {

// A quiet tone of the given length as Ogg Vorbis.
void WriteToneOgg(const std::string& path, double seconds) {
    assets::Sound tone(22050, 1, seconds);
    for (std::size_t i = 0; i < tone.Frames(); ++i) {
        tone.channels[0][i] = 0.3 * std::sin(0.125 * static_cast<double>(i));
    }
    ASSERT_TRUE(assets::WriteOggVorbis(path, tone, 0.1, "test"));
}

class AudioSdlTest : public ::testing::Test, protected testing_audio::AudioRig<SdlAudioBackend> {
  protected:
    static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "dummy", 0); }

    void Init() {
        audio.InitAudio(folder.Path());
        ASSERT_TRUE(audio.AudioReady()) << "the dummy output should always open";
    }
    // The dummy output plays in real time: waits up to two seconds for the channel to end.
    bool WaitEnded(AudioHandle channel) {
        for (int i = 0; i < 400 && backend.ChannelIsActive(channel); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return !backend.ChannelIsActive(channel);
    }
};

TEST_F(AudioSdlTest, EffectsPlayToTheirEndAMissingFileSilencesOnlyItsEffect) {
    std::filesystem::create_directories(folder.Path("DATA"));
    for (int index = 0; index < kSoundEffectCount; ++index) {
        if (index != MessageSound) {
            WriteToneOgg(folder.Path(std::string(kSoundEffectFiles[index])), 0.1);
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
    EXPECT_TRUE(WaitEnded(channel));
}

TEST_F(AudioSdlTest, MusicPlaysTracksToTheirEndSkipsBrokenOnesAndResumesAfterStop) {
    std::filesystem::create_directories(folder.Path("music"));
    std::ofstream(folder.Path("music/a.ogg")) << "not an Ogg stream";
    WriteToneOgg(folder.Path("music/b.ogg"), 0.6);
    WriteToneOgg(folder.Path("music/c.ogg"), 0.15);
    Init();
    audio.MusicTimerTick();
    EXPECT_EQ(audio.MusicStream(), 0u);  // a.ogg cannot be played
    audio.MusicTimerTick();
    const AudioHandle b = audio.MusicStream();
    ASSERT_NE(b, 0u);
    EXPECT_TRUE(backend.ChannelIsActive(b));

    // Off and on again: the same stream carries on.
    audio.StopMusic();
    EXPECT_FALSE(backend.ChannelIsActive(b));
    audio.MusicTimerTick();
    EXPECT_EQ(audio.MusicStream(), b);
    audio.PlayMusic();
    EXPECT_TRUE(backend.ChannelIsActive(b));

    ASSERT_TRUE(WaitEnded(b));
    audio.MusicTimerTick();
    const AudioHandle c = audio.MusicStream();
    ASSERT_NE(c, 0u);
    EXPECT_NE(c, b);
    EXPECT_TRUE(backend.ChannelIsActive(c));
    ASSERT_TRUE(WaitEnded(c));
    audio.MusicTimerTick();  // frees c, starts over at a.ogg, which fails
    audio.MusicTimerTick();
    EXPECT_TRUE(audio.MusicStream() != 0 && backend.ChannelIsActive(audio.MusicStream()));
    audio.ShutdownAudio();  // released while a track plays
}

}  // namespace
}  // namespace velmora
