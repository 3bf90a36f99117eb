#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/audio_music_source.h"
#include "app/audio_system.h"
#include "audio_fake_backend.h"
#include "audio_test_support.h"
#include "game/prompter.h"

namespace velmora {
namespace {

using testing_audio::AudioSettingsValues;
using testing_audio::RecordingAudioBackend;
using testing_audio::TempFolder;

class ScriptedChooser : public FolderChooser {
  public:
    std::optional<std::string> answer;
    std::vector<std::string> starts;

    std::optional<std::string> ChooseFolder(const std::string& start) override {
        starts.push_back(start);
        return answer;
    }
};

class ScriptedPrompter : public Prompter {
  public:
    std::deque<bool> answers;
    std::vector<std::string> questions;

    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        EXPECT_FALSE(answers.empty()) << "unexpected question: " << text;
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Inform(const std::string& text) override { ADD_FAILURE() << "unexpected: " << text; }
    void ReportError(const std::string& text) override { ADD_FAILURE() << "unexpected: " << text; }
};

// A track of folder "first" is playing, the walk open in the middle of that folder.
class MusicSourceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.Touch("first/a.ogg");
        folder.Touch("first/b.ogg");
        folder.Touch("second/z.ogg");
        folder.Touch("DATA/MUSIC/default.ogg");
        settings.MusicFolder = folder.Path("first");
        audio.InitAudio(folder.Path());
        audio.MusicTimerTick();
        backend.Finish(audio.MusicStream());
        audio.MusicTimerTick();
        playing = audio.MusicStream();
        ASSERT_EQ(backend.PathOf(playing), folder.Path("first/b.ogg"));
    }

    bool Choose() { return ChooseMusicSource(audio, chooser, prompter, DefaultFolder()); }
    std::string DefaultFolder() const { return DefaultMusicFolder(folder.Path()); }

    // The current track carries on and no other is started.
    void ExpectTrackKept() {
        EXPECT_EQ(audio.MusicStream(), playing);
        EXPECT_TRUE(backend.IsPlaying(playing));
        EXPECT_EQ(backend.Count("StreamFree"), 1);  // only the first track, which ended
        audio.MusicTimerTick();
        EXPECT_EQ(audio.MusicStream(), playing);
    }

    // The track is gone and the next tick starts at the top of `expected`.
    void ExpectWalkRestartedIn(const std::string& expected, const std::string& firstTrack) {
        EXPECT_EQ(audio.MusicStream(), 0u);
        EXPECT_FALSE(backend.IsLoaded(playing));
        audio.MusicTimerTick();
        EXPECT_EQ(backend.PathOf(audio.MusicStream()),
                  (std::filesystem::path(expected) / firstTrack).string());
    }

    TempFolder folder;
    RecordingAudioBackend backend;
    AudioSettingsValues settings;
    AudioSystem audio{backend, settings.Bind()};
    ScriptedChooser chooser;
    ScriptedPrompter prompter;
    AudioHandle playing = 0;
};

TEST_F(MusicSourceTest, ANewFolderStartsTheWalkAtItsTop) {
    chooser.answer = folder.Path("second");
    EXPECT_TRUE(Choose());
    EXPECT_EQ(chooser.starts, std::vector<std::string>{folder.Path("first")});
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_EQ(settings.MusicFolder, folder.Path("second"));
    ExpectWalkRestartedIn(folder.Path("second"), "z.ogg");
}

TEST_F(MusicSourceTest, ChoosingTheSameFolderLeavesTheTrackPlaying) {
    chooser.answer = folder.Path("first");
    EXPECT_FALSE(Choose());
    EXPECT_EQ(settings.MusicFolder, folder.Path("first"));
    ExpectTrackKept();
}

TEST_F(MusicSourceTest, CancelAndNoChangesNothing) {
    prompter.answers = {false};
    EXPECT_FALSE(Choose());
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0],
              "Новая папка с музыкой не выбрана.\rУстановить папку музыки по умолчанию?");
    EXPECT_EQ(settings.MusicFolder, folder.Path("first"));
    ExpectTrackKept();
}

TEST_F(MusicSourceTest, CancelAndYesTakesTheDefaultFolder) {
    prompter.answers = {true};
    EXPECT_TRUE(Choose());
    EXPECT_EQ(settings.MusicFolder, folder.Path("DATA/MUSIC"));
    ExpectWalkRestartedIn(folder.Path("DATA/MUSIC"), "default.ogg");
}

TEST_F(MusicSourceTest, CancelAndYesWhileTheDefaultIsSetLeavesTheTrackPlaying) {
    settings.MusicFolder = DefaultFolder();
    prompter.answers = {true};
    EXPECT_FALSE(Choose());
    EXPECT_EQ(chooser.starts, std::vector<std::string>{DefaultFolder()});
    ExpectTrackKept();
}

TEST(DefaultMusicFolderTest, IsDataMusicInTheProgramFolder) {
    EXPECT_EQ(DefaultMusicFolder("/opt/velmora"), "/opt/velmora/DATA/MUSIC");
    EXPECT_EQ(DefaultMusicFolder("/opt/velmora/"), "/opt/velmora/DATA/MUSIC");
}

}  // namespace
}  // namespace velmora
