#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/rules.h"
#include "game/saved_match_settings.h"

namespace velmora {
namespace {

class SavedMatchSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("velmora-game-match-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        position.Reset(10);
        record.NewRecord(10);
        // Three moves on 10 x 10: F7, then whatever each side can play first.
        for (int i = 0; i < 3; ++i) {
            int square = NoMove;
            for (const int s : MoveOrder(10)) {
                if (IsLegal(position.board, 10, s, position.sideToMove,
                            Opponent(position.sideToMove))) {
                    square = s;
                    break;
                }
            }
            ASSERT_NE(square, NoMove);
            const int side = position.sideToMove;
            record.AddMove(position, square, side, Opponent(side));
            MakeMove(position.board, 10, square, side, Opponent(side));
            position.sideToMove = Opponent(side);
        }
        saved.boardSize = 10;
        saved.computerSide = White;
        saved.versusComputer = false;
        saved.level = 6;
        saved.noviceLevel = false;
        saved.advancedEngine = true;
        savedFlags.trainingGame = true;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // Rewrites a saved file as an older version by dropping the settings it lacks.
    void MakeOlder(const std::filesystem::path& path, int version) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        in.close();
        bytes.resize(bytes.size() - MatchTailBytes(2) + MatchTailBytes(version));
        bytes[0] = static_cast<char>('0' + version);
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::filesystem::path folder;
    OBoardTracker record;
    GamePosition position;
    Settings saved;
    RuntimeFlags savedFlags;
};

TEST_F(SavedMatchSettingsTest, SavedSettingsComeBackWithTheMatch) {
    const std::filesystem::path path = folder / "m.qvz";
    std::string error;
    ASSERT_TRUE(SaveGameMatch(record, saved, savedFlags, path, &error)) << error;

    Settings settings;  // 8 x 8, novice, computer plays Black
    settings.soundVolume = 3;
    RuntimeFlags flags;
    OBoardTracker opened(8);
    GamePosition openedPosition;
    openedPosition.Reset(8);
    ASSERT_TRUE(OpenGameMatch(path, opened, openedPosition, settings, flags, &error)) << error;
    Settings expected = saved;
    expected.soundVolume = 3;
    EXPECT_EQ(settings, expected);
    EXPECT_TRUE(flags.trainingGame);
    EXPECT_EQ(openedPosition.boardSize, 10);
    EXPECT_EQ(opened.Count(), 3);
}

TEST_F(SavedMatchSettingsTest, OlderFilesLeaveTheMissingSettingsAlone) {
    for (const int version : {0, 1}) {
        const std::filesystem::path path = folder / ("v" + std::to_string(version) + ".qvz");
        std::string error;
        ASSERT_TRUE(SaveGameMatch(record, saved, savedFlags, path, &error));
        MakeOlder(path, version);

        Settings settings;
        settings.level = 9;
        settings.noviceLevel = false;
        settings.advancedEngine = false;
        RuntimeFlags flags;
        flags.trainingGame = false;
        OBoardTracker opened(8);
        GamePosition openedPosition;
        ASSERT_TRUE(OpenGameMatch(path, opened, openedPosition, settings, flags, &error)) << error;
        EXPECT_EQ(settings.computerSide, White) << version;
        EXPECT_FALSE(settings.versusComputer) << version;
        EXPECT_EQ(settings.boardSize, 10) << version;
        EXPECT_EQ(flags.trainingGame, version == 1);
        EXPECT_EQ(settings.level, 9) << version;
        EXPECT_FALSE(settings.noviceLevel) << version;
        EXPECT_FALSE(settings.advancedEngine) << version;
    }
}

TEST_F(SavedMatchSettingsTest, RefusedFileChangesNoSetting) {
    const std::filesystem::path path = folder / "bad.qvz";
    std::ofstream(path, std::ios::binary) << std::string("2ZVQ\x09\0\0\0\0\0\0\0", 12);
    Settings settings = saved;
    RuntimeFlags flags = savedFlags;
    std::string error;
    EXPECT_FALSE(OpenGameMatch(path, record, position, settings, flags, &error));
    EXPECT_EQ(error, "Файл «bad.qvz» повреждён и не может быть открыт: неверный размер поля.");
    EXPECT_EQ(settings, saved);
    EXPECT_TRUE(flags.trainingGame);
    EXPECT_EQ(record.Count(), 3);
}

}  // namespace
}  // namespace velmora
