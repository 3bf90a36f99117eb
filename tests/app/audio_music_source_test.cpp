#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/audio_music_source.h"
#include "audio_fake_backend.h"
#include "dialogs_test_support.h"

namespace velmora {
namespace {

class ScriptedChooser : public FolderChooser {
  public:
    std::optional<std::string> answer;
    std::vector<std::string> starts;

    std::optional<std::string> ChooseFolder(const std::string& start) override {
        starts.push_back(start);
        return answer;
    }
};

TEST(MusicSourceTest, TheWalkStartsOverOnlyWhenTheFolderReallyChanges) {
    const struct {
        const char* name;
        const char* current;                // relative to the program folder
        std::optional<const char*> chosen;  // nothing: the dialog is cancelled
        std::optional<bool> useDefault;     // the answer to the question, when it is asked
        const char* expected;               // "": the track carries on
    } cases[] = {
        {"a new folder", "first", "second", {}, "second/z.ogg"},
        {"the same folder", "first", "first", {}, ""},
        {"cancel, then no", "first", {}, false, ""},
        {"cancel, then yes", "first", {}, true, "DATA/MUSIC/a.ogg"},
        {"cancel, then yes while the default is set", "DATA/MUSIC", {}, true, ""},
    };
    EXPECT_EQ(DefaultMusicFolder("/opt/velmora/"), "/opt/velmora/DATA/MUSIC");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing_audio::AudioRig<> rig;
        for (const char* track : {"first/a.ogg", "first/b.ogg", "second/z.ogg", "DATA/MUSIC/a.ogg",
                                  "DATA/MUSIC/default.ogg"}) {
            rig.folder.Touch(track);
        }
        // A track plays, the walk open in the middle of the folder.
        rig.settings.MusicFolder = rig.folder.Path(c.current);
        rig.audio.InitAudio(rig.folder.Path());
        rig.audio.MusicTimerTick();
        rig.backend.Finish(rig.audio.MusicStream());
        rig.audio.MusicTimerTick();
        const AudioHandle playing = rig.audio.MusicStream();
        ASSERT_NE(playing, 0u);

        ScriptedChooser chooser;
        dialogs_test::ScriptedPrompter prompter;
        chooser.answer = c.chosen ? std::optional(rig.folder.Path(*c.chosen)) : std::nullopt;
        if (c.useDefault) {
            prompter.Answer(*c.useDefault);
        }
        const std::string defaultFolder = DefaultMusicFolder(rig.folder.Path());
        const bool changed = ChooseMusicSource(rig.audio, chooser, prompter, defaultFolder);

        EXPECT_EQ(chooser.starts, std::vector<std::string>{rig.folder.Path(c.current)});
        EXPECT_EQ(prompter.questions,
                  c.chosen ? std::vector<std::string>{}
                           : std::vector<std::string>{"Новая папка с музыкой не выбрана.\r"
                                                      "Установить папку музыки по умолчанию?"});
        EXPECT_TRUE(prompter.messages.empty());
        EXPECT_EQ(changed, *c.expected != '\0');
        if (changed) {
            EXPECT_EQ(rig.audio.MusicStream(), 0u);
            EXPECT_EQ(rig.backend.PathOf(playing), "") << "the old track is freed";
            rig.audio.MusicTimerTick();
            EXPECT_EQ(rig.backend.PathOf(rig.audio.MusicStream()), rig.folder.Path(c.expected));
        } else {
            EXPECT_EQ(rig.settings.MusicFolder, rig.folder.Path(c.current));
            EXPECT_TRUE(rig.backend.IsPlaying(playing));
            rig.audio.MusicTimerTick();
            EXPECT_EQ(rig.audio.MusicStream(), playing);
        }
    }
}

}  // namespace
}  // namespace velmora
