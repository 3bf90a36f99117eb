#include "game/saved_match_settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "game_fakes.h"

namespace velmora {
namespace {

// A three-move match on 10 x 10 saved with settings unlike the defaults, opened into a game of 8 x
// 8 at level 9 in full (version 2) and as version 0, which lacks all but the side and the opponent:
// a missing setting stays as it was.
TEST(SavedMatchSettingsTest, SavedSettingsComeBackWithTheMatch) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("velmora-game-match-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    testing::GameRig rig(10, false);
    rig.flow.NewGameCommand();
    rig.PlayFirstLegal(3);
    GameSession& saved = rig.session;
    saved.settings.computerSide = White;
    saved.settings.versusComputer = false;
    saved.settings.level = 6;
    saved.settings.noviceLevel = false;
    saved.settings.advancedEngine = true;
    saved.flags.trainingGame = true;
    std::string error;
    for (const int version : {2, 0}) {
        SCOPED_TRACE(version);
        const std::filesystem::path path = folder / "m.qvz";
        ASSERT_TRUE(SaveGameMatch(saved.record, saved.settings, saved.flags, path, &error));
        if (version == 0) {
            std::ifstream in(path, std::ios::binary);
            std::string bytes((std::istreambuf_iterator<char>(in)), {});
            bytes.resize(bytes.size() - MatchTailBytes(2) + MatchTailBytes(0));
            bytes[0] = '0';
            std::ofstream(path, std::ios::binary) << bytes;
        }
        GameSession opened;
        opened.settings.level = 9;
        opened.settings.noviceLevel = false;
        opened.settings.soundVolume = 3;
        ASSERT_TRUE(OpenGameMatch(path, opened.record, opened.position, opened.settings,
                                  opened.flags, &error))
            << error;
        Settings expected;
        expected.soundVolume = 3;
        expected.computerSide = White;
        expected.versusComputer = false;
        expected.boardSize = 10;
        expected.level = version == 2 ? 6 : 9;
        expected.noviceLevel = false;
        expected.advancedEngine = version == 2;
        EXPECT_EQ(opened.settings, expected);
        EXPECT_EQ(opened.flags.trainingGame, version == 2);
        EXPECT_EQ(opened.position.boardSize, 10);
        EXPECT_EQ(opened.record.Count(), 3);
    }

    // A refused file changes no setting.
    const std::filesystem::path bad = folder / "bad.qvz";
    std::ofstream(bad, std::ios::binary) << std::string("2ZVQ\x09\0\0\0\0\0\0\0", 12);
    GameSession kept = saved;
    EXPECT_FALSE(OpenGameMatch(bad, kept.record, kept.position, kept.settings, kept.flags, &error));
    EXPECT_EQ(error, "Файл «bad.qvz» повреждён и не может быть открыт: неверный размер поля.");
    EXPECT_EQ(kept.settings, saved.settings);
    EXPECT_TRUE(kept.flags.trainingGame);
    EXPECT_EQ(kept.record.Count(), 3);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace velmora
