#include "game/saved_match_settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "game_fakes.h"

namespace velmora {
namespace {

// A three-move match on 10 x 10 saved with settings unlike the defaults, opened into a game of 8 x
// 8 at level 9 in full (version 2) and as version 0, which lacks all but the side and the opponent:
// a missing setting stays as it was. A refused file changes no setting.
TEST(SavedMatchSettingsTest, SavedSettingsComeBackWithTheMatch) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("velmora-game-match-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    testing::GameRig rig(10, false);
    rig.flow.NewGameCommand();
    rig.PlayFirstLegal(3);
    GameSession& saved = rig.session;
    saved.settings.computerSide = White;
    saved.settings.level = 6;
    saved.settings.advancedEngine = saved.flags.trainingGame = true;
    std::string error;
    const std::filesystem::path path = folder / "m.qvz";
    for (const int version : {2, 0}) {
        SCOPED_TRACE(version);
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
        Settings expected = opened.settings;
        ASSERT_TRUE(OpenGameMatch(path, opened.record, opened.position, opened.settings,
                                  opened.flags, &error))
            << error;
        expected.computerSide = White;
        expected.versusComputer = false;
        expected.boardSize = 10;
        expected.level = version == 2 ? 6 : 9;
        expected.advancedEngine = version == 2;
        EXPECT_EQ(opened.settings, expected);
        EXPECT_EQ(opened.flags.trainingGame, version == 2);
        EXPECT_EQ(std::pair(opened.position.boardSize, opened.record.Count()), std::pair(10, 3));
    }

    std::ofstream(path, std::ios::binary) << std::string("2ZVQ\x09\0\0\0\0\0\0\0", 12);
    GameSession kept = saved;
    EXPECT_FALSE(
        OpenGameMatch(path, kept.record, kept.position, kept.settings, kept.flags, &error));
    EXPECT_EQ(error, "Файл «m.qvz» повреждён и не может быть открыт: неверный размер поля.");
    EXPECT_EQ(kept.settings, saved.settings);
    EXPECT_EQ(std::pair(kept.flags.trainingGame, kept.record.Count()), std::pair(true, 3));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace velmora
