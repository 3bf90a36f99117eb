#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/audio_effects.h"
#include "app/audio_system.h"
#include "audio_fake_backend.h"
#include "audio_test_support.h"

namespace velmora {
namespace {

using testing_audio::AudioSettingsValues;
using testing_audio::RecordingAudioBackend;
using testing_audio::TempFolder;

class AudioEffectsTest : public ::testing::Test {
  protected:
    RecordingAudioBackend backend;
    AudioSettingsValues settings;
    AudioSystem audio{backend, settings.Bind()};
};

TEST_F(AudioEffectsTest, InitLoadsTheEightEffectsInIndexOrderWithThreePlaybacks) {
    audio.InitAudio("/opt/velmora");
    ASSERT_TRUE(audio.AudioReady());
    EXPECT_TRUE(audio.MusicStopped());
    EXPECT_EQ(audio.MusicStream(), 0u);
    const std::vector<std::string> expected = {
        "/opt/velmora/DATA/connect.ogg",    "/opt/velmora/DATA/correct.ogg",
        "/opt/velmora/DATA/disconnect.ogg", "/opt/velmora/DATA/endgame.ogg",
        "/opt/velmora/DATA/message.ogg",    "/opt/velmora/DATA/move.ogg",
        "/opt/velmora/DATA/movehint.ogg",   "/opt/velmora/DATA/stmove.ogg"};
    EXPECT_EQ(backend.PathsOf("SampleLoad"), expected);
    for (const auto& call : backend.calls) {
        if (call.op == "SampleLoad") {
            EXPECT_EQ(call.volume, 3.0f) << "max playbacks of " << call.path;
        }
    }
}

TEST_F(AudioEffectsTest, WithoutADeviceNothingReachesTheLibrary) {
    backend.initSucceeds = false;
    TempFolder folder;
    folder.Touch("a.ogg");
    settings.MusicFolder = folder.Path();

    audio.InitAudio(folder.Path());
    EXPECT_FALSE(audio.AudioReady());
    EXPECT_EQ(audio.PlayEffect(CorrectSound), 0u);
    audio.MusicTimerTick();
    audio.PlayMusic();
    audio.StopMusic();
    audio.SetLoadedTrackVolume(10);
    audio.ShutdownAudio();
    ASSERT_EQ(backend.calls.size(), 1u);
    EXPECT_EQ(backend.calls[0].op, "Init");
}

TEST_F(AudioEffectsTest, SoundOffOrAnIndexOutOfRangePlaysNothing) {
    audio.InitAudio("/p");
    settings.SoundOn = false;
    for (int index = 0; index < kSoundEffectCount; ++index) {
        EXPECT_EQ(audio.PlayEffect(index), 0u) << index;
    }
    settings.SoundOn = true;
    for (const int index : {8, 9, 1000, -1}) {
        EXPECT_EQ(audio.PlayEffect(index), 0u) << index;
    }
    EXPECT_EQ(backend.Count("SampleGetChannel"), 0);
    EXPECT_EQ(backend.Count("ChannelPlay"), 0);

    for (int index = 0; index < kSoundEffectCount; ++index) {
        EXPECT_NE(audio.PlayEffect(index), 0u) << index;
    }
    EXPECT_EQ(backend.Count("ChannelPlay"), kSoundEffectCount);
}

TEST_F(AudioEffectsTest, EffectVolumeIsTheStoredValueOver256AndZeroStillPlays) {
    audio.InitAudio("/p");
    const AudioHandle atDefault = audio.PlayEffect(MoveSound);
    EXPECT_EQ(backend.VolumeOf(atDefault), 0.87890625f);
    settings.SoundVolume = 255;
    const AudioHandle loudest = audio.PlayEffect(StMoveSound);
    EXPECT_EQ(backend.VolumeOf(loudest), 0.99609375f);
    settings.SoundVolume = 0;
    const AudioHandle silent = audio.PlayEffect(MessageSound);
    EXPECT_EQ(backend.VolumeOf(silent), 0.0f);
    EXPECT_TRUE(backend.IsPlaying(silent));
}

TEST_F(AudioEffectsTest, AFourthPlaybackTakesOverTheOneThatHasPlayedLongest) {
    audio.InitAudio("/p");
    const AudioHandle first = audio.PlayEffect(EndGameSound);
    const AudioHandle second = audio.PlayEffect(EndGameSound);
    const AudioHandle third = audio.PlayEffect(EndGameSound);
    EXPECT_EQ(std::set<AudioHandle>({first, second, third}).size(), 3u);

    const AudioHandle fourth = audio.PlayEffect(EndGameSound);
    EXPECT_EQ(fourth, first);
    EXPECT_TRUE(backend.IsPlaying(second));
    EXPECT_TRUE(backend.IsPlaying(third));

    // A playback that has ended frees its slot before any sounding one is taken over.
    backend.Finish(third);
    EXPECT_EQ(audio.PlayEffect(EndGameSound), third);
    // Now the second is the one that has played longest.
    EXPECT_EQ(audio.PlayEffect(EndGameSound), second);
    // Other effects have slots of their own.
    const AudioHandle other = audio.PlayEffect(ConnectSound);
    EXPECT_EQ(std::set<AudioHandle>({first, second, third, other}).size(), 4u);
}

TEST_F(AudioEffectsTest, AnEffectThatFailedToLoadIsTheOnlySilentOne) {
    backend.unplayable.insert("/p/DATA/move.ogg");
    audio.InitAudio("/p");
    ASSERT_TRUE(audio.AudioReady());
    EXPECT_EQ(audio.EffectSample(MoveSound), 0u);
    EXPECT_EQ(audio.PlayEffect(MoveSound), 0u);
    EXPECT_NE(audio.PlayEffect(StMoveSound), 0u);
    EXPECT_NE(audio.PlayEffect(MoveHintSound), 0u);
}

class AudioMusicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings.MusicFolder = folder.Path("music");
        audio.InitAudio(folder.Path());
    }

    // The track loaded now, by file name; empty when none.
    std::string Loaded() const {
        const std::string path = backend.PathOf(audio.MusicStream());
        return path.empty() ? path : std::filesystem::path(path).filename().string();
    }

    TempFolder folder;
    RecordingAudioBackend backend;
    AudioSettingsValues settings;
    AudioSystem audio{backend, settings.Bind()};
};

TEST_F(AudioMusicTest, TheWalkTakesOneEntryPerTickAndStartsOverAtTheEnd) {
    folder.Touch("music/a.ogg");
    folder.Touch("music/b.txt");
    folder.Touch("music/c.OGG");

    audio.MusicTimerTick();
    ASSERT_EQ(Loaded(), "a.ogg");
    const AudioHandle a = audio.MusicStream();
    EXPECT_TRUE(backend.IsPlaying(a));
    EXPECT_FALSE(audio.MusicStopped());
    EXPECT_EQ(backend.VolumeOf(a), 0.46875f);

    audio.MusicTimerTick();  // still playing: nothing moves
    EXPECT_EQ(audio.MusicStream(), a);

    backend.Finish(a);
    audio.MusicTimerTick();  // frees a, passes over b.txt
    EXPECT_FALSE(backend.IsLoaded(a));
    EXPECT_EQ(audio.MusicStream(), 0u);

    audio.MusicTimerTick();
    ASSERT_EQ(Loaded(), "c.OGG");
    backend.Finish(audio.MusicStream());

    audio.MusicTimerTick();
    EXPECT_EQ(Loaded(), "a.ogg");
    EXPECT_EQ(backend.Count("StreamCreateFile"), 3);
}

TEST_F(AudioMusicTest, UnplayableFilesAndFoldersNamedLikeTracksCostOneTickEach) {
    backend.unplayable.insert(folder.Touch("music/a.ogg"));
    std::filesystem::create_directories(folder.Path("music/b.ogg"));
    folder.Touch("music/c.ogg");

    audio.MusicTimerTick();
    EXPECT_EQ(audio.MusicStream(), 0u);
    audio.MusicTimerTick();
    EXPECT_EQ(audio.MusicStream(), 0u);
    audio.MusicTimerTick();
    EXPECT_EQ(Loaded(), "c.ogg");
    EXPECT_TRUE(backend.IsPlaying(audio.MusicStream()));
    EXPECT_EQ(backend.PathsOf("StreamCreateFile").size(), 2u);
}

TEST_F(AudioMusicTest, AMissingOrEmptyFolderIsTriedAgainEveryTick) {
    for (int tick = 0; tick < 3; ++tick) {
        audio.MusicTimerTick();
    }
    std::filesystem::create_directories(folder.Path("music"));
    audio.MusicTimerTick();
    EXPECT_EQ(backend.Count("StreamCreateFile"), 0);
    EXPECT_EQ(audio.MusicStream(), 0u);

    folder.Touch("music/late.ogg");
    audio.MusicTimerTick();
    EXPECT_EQ(Loaded(), "late.ogg");
}

TEST_F(AudioMusicTest, MusicOffKeepsTheTrackAndOnResumesTheSameOne) {
    folder.Touch("music/a.ogg");
    folder.Touch("music/b.ogg");
    audio.MusicTimerTick();
    const AudioHandle a = audio.MusicStream();
    ASSERT_NE(a, 0u);

    settings.MusicOn = false;
    audio.ApplyMusicOn();
    EXPECT_FALSE(backend.IsPlaying(a));
    EXPECT_TRUE(audio.MusicStopped());
    for (int tick = 0; tick < 4; ++tick) {
        audio.MusicTimerTick();
    }
    EXPECT_EQ(audio.MusicStream(), a);
    EXPECT_EQ(backend.Count("StreamFree"), 0);

    settings.MusicOn = true;
    audio.ApplyMusicOn();
    EXPECT_EQ(audio.MusicStream(), a);
    EXPECT_TRUE(backend.IsPlaying(a));
    EXPECT_EQ(backend.Count("StreamCreateFile"), 1);
}

TEST_F(AudioMusicTest, ATrackFoundWithMusicOffIsLoadedStopped) {
    folder.Touch("music/a.ogg");
    settings.MusicOn = false;
    audio.MusicTimerTick();
    const AudioHandle a = audio.MusicStream();
    ASSERT_NE(a, 0u);
    EXPECT_FALSE(backend.IsPlaying(a));
    EXPECT_TRUE(audio.MusicStopped());

    settings.MusicOn = true;
    audio.ApplyMusicOn();
    EXPECT_TRUE(backend.IsPlaying(a));
}

TEST_F(AudioMusicTest, MinimisingStopsAndRestoringPlaysOnlyWithMusicOn) {
    folder.Touch("music/a.ogg");
    audio.MusicTimerTick();
    const AudioHandle a = audio.MusicStream();

    audio.ApplicationMinimized();
    EXPECT_FALSE(backend.IsPlaying(a));
    audio.ApplicationRestored();
    EXPECT_TRUE(backend.IsPlaying(a));

    audio.ApplicationMinimized();
    settings.MusicOn = false;
    audio.ApplicationRestored();
    EXPECT_FALSE(backend.IsPlaying(a));
    EXPECT_EQ(audio.MusicStream(), a);
}

TEST_F(AudioMusicTest, ATrackFoundWhileMinimisedWaitsForTheRestore) {
    audio.ApplicationMinimized();
    folder.Touch("music/a.ogg");
    audio.MusicTimerTick();
    const AudioHandle a = audio.MusicStream();
    ASSERT_NE(a, 0u);
    EXPECT_FALSE(backend.IsPlaying(a));

    audio.ApplicationRestored();
    EXPECT_TRUE(backend.IsPlaying(a));
}

TEST_F(AudioMusicTest, MusicVolumeIsValueOver256AndZeroSilencesWithoutStopping) {
    folder.Touch("music/a.ogg");
    settings.MusicVolume = 255;
    audio.MusicTimerTick();
    const AudioHandle a = audio.MusicStream();
    EXPECT_EQ(backend.VolumeOf(a), 0.99609375f);

    audio.SetLoadedTrackVolume(0);
    EXPECT_EQ(backend.VolumeOf(a), 0.0f);
    EXPECT_TRUE(backend.IsPlaying(a));
    audio.MusicTimerTick();
    EXPECT_EQ(audio.MusicStream(), a);
    EXPECT_EQ(settings.MusicVolume, 255);
}

TEST_F(AudioMusicTest, ShutdownReleasesTheLibraryOnceAndSilencesTheRest) {
    folder.Touch("music/a.ogg");
    audio.MusicTimerTick();
    audio.ShutdownAudio();
    audio.ShutdownAudio();
    EXPECT_EQ(backend.Count("Free"), 1);
    EXPECT_FALSE(audio.AudioReady());
    EXPECT_EQ(audio.MusicStream(), 0u);
    const auto callsAfter = backend.calls.size();
    audio.PlayEffect(ConnectSound);
    audio.MusicTimerTick();
    EXPECT_EQ(backend.calls.size(), callsAfter);
}

TEST(MusicTrackNameTest, OnlyTheLastExtensionCountsInAnyLetterCase) {
    for (const char* name : {"a.ogg", "B.OGG", "c.Ogg", "x.mp3.ogg", ".ogg"}) {
        EXPECT_TRUE(IsMusicTrackName(name)) << name;
    }
    for (const char* name : {"ogg", "a.ogg.txt", "a.oggx", "a.og", "a_ogg", "a.ogg "}) {
        EXPECT_FALSE(IsMusicTrackName(name)) << name;
    }
}

TEST(MusicFolderWalkerTest, ListsByNameIgnoringLetterCase) {
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
