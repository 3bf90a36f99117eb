#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/audio_effects.h"
#include "audio_fake_backend.h"

namespace velmora {
namespace {

using testing_audio::AudioRig;
using testing_audio::TempFolder;

class AudioSystemTest : public ::testing::Test, protected AudioRig<> {};

TEST_F(AudioSystemTest, TheEightEffectsLoadInIndexOrderAndPlayAtTheStoredVolumeOver256) {
    audio.InitAudio("/opt/velmora");
    ASSERT_TRUE(audio.AudioReady());
    EXPECT_TRUE(audio.MusicStopped());
    std::vector<std::string> expected;
    for (const char* name :
         {"connect", "correct", "disconnect", "endgame", "message", "move", "movehint", "stmove"}) {
        expected.push_back(std::string("/opt/velmora/DATA/") + name + ".ogg");
    }
    EXPECT_EQ(backend.PathsOf("SampleLoad"), expected);
    for (const auto& call : backend.calls) {
        EXPECT_TRUE(call.op != "SampleLoad" || call.volume == 3.0f) << call.path;
    }
    // Sound off, or an index out of range, plays nothing.
    settings.SoundOn = false;
    EXPECT_EQ(audio.PlayEffect(MoveSound), 0u);
    settings.SoundOn = true;
    for (const int index : {8, 9, 1000, -1}) {
        EXPECT_EQ(audio.PlayEffect(index), 0u) << index;
    }
    EXPECT_EQ(backend.Count("SampleGetChannel"), 0);
    for (int index = 0; index < 8; ++index) {
        EXPECT_NE(audio.PlayEffect(index), 0u) << index;
    }
    EXPECT_EQ(backend.Count("ChannelPlay"), 8);

    // Stored volumes reach the library divided by 256 (music: VolumeFormTest); 0 still plays.
    EXPECT_EQ(backend.VolumeOf(audio.PlayEffect(MoveSound)), 0.87890625f);
    settings.SoundVolume = 255;
    EXPECT_EQ(backend.VolumeOf(audio.PlayEffect(StMoveSound)), 0.99609375f);
    settings.SoundVolume = 0;
    const AudioHandle silent = audio.PlayEffect(MessageSound);
    EXPECT_EQ(backend.VolumeOf(silent), 0.0f);
    EXPECT_TRUE(backend.IsPlaying(silent));
}

TEST_F(AudioSystemTest, AFourthPlaybackTakesOverTheOneThatHasPlayedLongest) {
    audio.InitAudio("/p");
    const AudioHandle first = audio.PlayEffect(EndGameSound);
    const AudioHandle second = audio.PlayEffect(EndGameSound);
    const AudioHandle third = audio.PlayEffect(EndGameSound);
    EXPECT_EQ(std::set<AudioHandle>({first, second, third}).size(), 3u);
    EXPECT_EQ(audio.PlayEffect(EndGameSound), first);
    EXPECT_TRUE(backend.IsPlaying(second));
    EXPECT_TRUE(backend.IsPlaying(third));

    // A playback that has ended frees its slot before any sounding one is taken over.
    backend.Finish(third);
    EXPECT_EQ(audio.PlayEffect(EndGameSound), third);
    EXPECT_EQ(audio.PlayEffect(EndGameSound), second);
    // Other effects have slots of their own.
    const AudioHandle other = audio.PlayEffect(ConnectSound);
    EXPECT_EQ(std::set<AudioHandle>({first, second, third, other}).size(), 4u);
}

class AudioMusicTest : public AudioSystemTest {
  protected:
    void SetUp() override { audio.InitAudio(folder.Path()); }
};

// Every entry costs a tick: a missing or empty folder, a file that is no track, one that
// cannot be played, a folder named like a track.
TEST_F(AudioMusicTest, TheWalkTakesOneEntryPerTickAndStartsOverAtTheEnd) {
    audio.MusicTimerTick();
    std::filesystem::create_directories(folder.Path("music/b.ogg"));
    backend.unplayable.insert(folder.Touch("music/a.ogg"));
    folder.Touch("music/c.txt");
    folder.Touch("music/d.OGG");
    for (int tick = 0; tick < 3; ++tick) {
        audio.MusicTimerTick();
        EXPECT_EQ(audio.MusicStream(), 0u) << tick;
    }
    audio.MusicTimerTick();
    ASSERT_EQ(backend.PathOf(audio.MusicStream()), folder.Path("music/d.OGG"));
    const AudioHandle d = audio.MusicStream();
    EXPECT_TRUE(backend.IsPlaying(d));
    EXPECT_FALSE(audio.MusicStopped());
    audio.MusicTimerTick();  // still playing: nothing moves
    EXPECT_EQ(audio.MusicStream(), d);

    backend.Finish(d);
    audio.MusicTimerTick();  // frees d, starts over at a.ogg
    EXPECT_EQ(backend.PathOf(d), "");
    EXPECT_EQ(backend.PathsOf("StreamCreateFile"),
              (std::vector<std::string>{folder.Path("music/a.ogg"), folder.Path("music/d.OGG"),
                                        folder.Path("music/a.ogg")}));
}

// Music off and minimising stop the track and keep it; a track found meanwhile waits,
// stopped, until music is wanted again.
TEST_F(AudioMusicTest, MusicOffAndMinimisingKeepTheTrackStopped) {
    folder.Touch("music/a.ogg");
    folder.Touch("music/b.ogg");
    audio.MusicTimerTick();
    const AudioHandle a = audio.MusicStream();
    ASSERT_NE(a, 0u);
    settings.MusicOn = false;
    audio.ApplyMusicOn();
    EXPECT_FALSE(backend.IsPlaying(a));
    EXPECT_TRUE(audio.MusicStopped());
    audio.MusicTimerTick();
    audio.MusicTimerTick();
    EXPECT_EQ(audio.MusicStream(), a);
    settings.MusicOn = true;
    audio.ApplyMusicOn();
    EXPECT_TRUE(backend.IsPlaying(a));

    audio.ApplicationMinimized();
    EXPECT_FALSE(backend.IsPlaying(a));
    audio.ApplicationRestored();
    EXPECT_TRUE(backend.IsPlaying(a));
    audio.ApplicationMinimized();
    settings.MusicOn = false;
    audio.ApplicationRestored();
    EXPECT_FALSE(backend.IsPlaying(a));
    EXPECT_EQ(audio.MusicStream(), a);
    EXPECT_EQ(backend.Count("StreamFree"), 0);
    EXPECT_EQ(backend.Count("StreamCreateFile"), 1);

    for (const bool minimised : {false, true}) {
        audio.RestartMusicSearch();
        settings.MusicOn = minimised;
        if (minimised) {
            audio.ApplicationMinimized();
        }
        audio.MusicTimerTick();
        const AudioHandle found = audio.MusicStream();
        ASSERT_NE(found, 0u);
        EXPECT_FALSE(backend.IsPlaying(found)) << minimised;
        EXPECT_TRUE(audio.MusicStopped());
        settings.MusicOn = true;
        minimised ? audio.ApplicationRestored() : audio.ApplyMusicOn();
        EXPECT_TRUE(backend.IsPlaying(found)) << minimised;
    }
}

// Without a device, and after shutdown, nothing reaches the library.
TEST_F(AudioMusicTest, ShutdownReleasesTheLibraryOnceAndSilencesTheRest) {
    folder.Touch("music/a.ogg");
    audio.MusicTimerTick();
    audio.ShutdownAudio();
    EXPECT_EQ(backend.Count("Free"), 1);
    testing_audio::AudioRig<> mute;
    mute.backend.initSucceeds = false;
    mute.audio.InitAudio(folder.Path());
    for (testing_audio::AudioRig<>* rig : {static_cast<testing_audio::AudioRig<>*>(this), &mute}) {
        const auto calls = rig->backend.calls.size();
        EXPECT_FALSE(rig->audio.AudioReady());
        EXPECT_EQ(rig->audio.MusicStream(), 0u);
        EXPECT_EQ(rig->audio.PlayEffect(CorrectSound), 0u);
        rig->settings.MusicFolder = folder.Path("music");
        rig->audio.MusicTimerTick();
        rig->audio.PlayMusic();
        rig->audio.StopMusic();
        rig->audio.SetLoadedTrackVolume(10);
        rig->audio.ShutdownAudio();
        EXPECT_EQ(rig->backend.calls.size(), calls);
    }
}

TEST(MusicFolderWalkerTest, TracksByNameIgnoringLetterCaseAndOnlyTheLastExtensionCounts) {
    for (const char* name : {"a.ogg", "B.OGG", "c.Ogg", "x.mp3.ogg", ".ogg"}) {
        EXPECT_TRUE(IsMusicTrackName(name)) << name;
    }
    for (const char* name : {"ogg", "a.ogg.txt", "a.oggx", "a.og", "a_ogg", "a.ogg "}) {
        EXPECT_FALSE(IsMusicTrackName(name)) << name;
    }
    TempFolder folder;
    for (const char* name : {"b.ogg", "C.ogg", "a.ogg", "B.ogg"}) {
        folder.Touch(name);
    }
    MusicFolderWalker walker;
    std::vector<std::string> order;
    for (int step = 0; step < 5; ++step) {
        const auto track = walker.Step(folder.Path());
        ASSERT_TRUE(track.has_value());
        order.push_back(std::filesystem::path(*track).filename().string());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"a.ogg", "B.ogg", "b.ogg", "C.ogg", "a.ogg"}));
}

}  // namespace
}  // namespace velmora
