#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../engine/match_test_support.h"
#include "command_runner.h"
#include "engine/match_file.h"
#include "engine/notation.h"

namespace velmora {
namespace {

using testing::Outcome;
using testing::RunCommand;

class MatchCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("velmora-match-command-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string File(const std::string& name) const { return (folder / name).string(); }

    std::filesystem::path folder;
};

TEST_F(MatchCommandTest, NewWritesAMatchThatShowPrints) {
    const std::string path = File("three.qvz");
    const Outcome made = RunCommand({"match", "new", "--size", "8", "--moves", "E6,F4,c3", path});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(std::filesystem::file_size(path), 24u + 3 * 156u);

    const Outcome shown = RunCommand({"match", "show", path});
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out,
              "version 2\n"
              "size 8\n"
              "moves 3\n"
              " 1.Жёлтые ..... E:6\n"
              " 2.Зелёные .... F:4\n"
              " 3.Жёлтые ..... C:3\n"
              "computer black\n"
              "versus-computer yes\n"
              "training no\n"
              "novice yes\n"
              "advanced no\n"
              "level 1\n");

    // A version 0 file holds no more than the computer's side and whether it plays.
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    in.close();
    bytes.resize(bytes.size() - 7);
    bytes[0] = '0';
    std::ofstream(path, std::ios::binary) << bytes;
    const Outcome old = RunCommand({"match", "show", path});
    EXPECT_EQ(old.status, 0) << old.err;
    EXPECT_EQ(old.out.substr(0, 10), "version 0\n");
    EXPECT_NE(old.out.find("versus-computer yes\n"
                           "training (not stored)\n"
                           "novice (not stored)\n"
                           "advanced (not stored)\n"
                           "level (not stored)\n"),
              std::string::npos)
        << old.out;

    const std::string empty = File("empty.qvz");
    ASSERT_EQ(RunCommand({"match", "new", "--moves", "", empty}).status, 0);
    EXPECT_EQ(std::filesystem::file_size(empty), 24u);
}

TEST_F(MatchCommandTest, NewSettlesPassesOnTheWay) {
    for (const int size : {8, 10}) {
        OBoardTracker record;
        GamePosition position;
        testing::PlayGameWithPass(record, position, size);
        std::string moves;
        for (const MoveEntry& entry : record.Moves()) {
            if (!moves.empty()) {
                moves += ',';
            }
            moves += SquareName(size, entry.square);
        }
        const std::string path = File("pass" + std::to_string(size) + ".qvz");
        const Outcome made =
            RunCommand({"match", "new", "--size", std::to_string(size), "--moves", moves, path});
        ASSERT_EQ(made.status, 0) << made.err;
        const MatchReadResult read = ReadMatchFile(path);
        ASSERT_TRUE(read.match) << read.error;
        EXPECT_TRUE(testing::SameMoves(read.match->moves, record.Moves()));
    }
}

TEST_F(MatchCommandTest, BadMovesAndRefusedFilesEndWithStatusTwo) {
    const std::string path = File("bad.qvz");
    const Outcome illegal = RunCommand({"match", "new", "--moves", "E6,E6", path});
    EXPECT_EQ(illegal.status, 2);
    EXPECT_NE(illegal.err.find("move 2: E6 is not legal for black"), std::string::npos)
        << illegal.err;
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(RunCommand({"match", "new", "--moves", "Z9", path}).status, 2);
    EXPECT_EQ(RunCommand({"match", "new", "--size", "9", "--moves", "E6", path}).status, 2);
    EXPECT_EQ(RunCommand({"match", "new", "--moves", "E6"}).status, 2);
    EXPECT_EQ(RunCommand({"match", "show"}).status, 2);
    EXPECT_EQ(RunCommand({"match", "list"}).status, 2);

    std::ofstream(path, std::ios::binary) << std::string("2ZVQ\x08\0\0\0\x05\0\0\0", 12);
    const Outcome refused = RunCommand({"match", "show", path});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("Файл «bad.qvz» повреждён"), std::string::npos) << refused.err;
}

TEST_F(MatchCommandTest, TranscriptsGoInAndComeOut) {
    const std::string small = File("small.qvz");
    const Outcome made = RunCommand({"match", "new", "--transcript", "1. E6 2. f4 3. c3", small});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(RunCommand({"match", "show", small, "--transcript"}).out, "e6f4c3\n");

    const std::string large = File("large.qvz");
    ASSERT_EQ(RunCommand({"match", "new", "--transcript", "f7e7", large}).status, 0);
    EXPECT_EQ(RunCommand({"match", "show", "--transcript", large}).out, "f7e7\n");
    EXPECT_EQ(
        RunCommand({"match", "new", "--size", "8", "--transcript", "f7", File("f7.qvz")}).status,
        2);

    const std::string bad = File("bad.qvz");
    const Outcome refused = RunCommand({"match", "new", "--transcript", "e6 e6", bad});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("ход 2 «e6» невозможен"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(bad));
}

}  // namespace
}  // namespace velmora
