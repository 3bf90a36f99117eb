#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "command_runner.h"

namespace velmora {
namespace {

using testing::Outcome;
using testing::RunCommand;

// Every square Black but A8, empty, and B8, White: White must pass, Black's A8 takes B8.
std::string AlmostBlackBoard() {
    std::string text(64, 'b');
    text[0] = '+';
    text[8] = 'w';
    return text;
}

TEST(AnalysisCommandsTest, SolvePrintsMoveValueNodesAndTime) {
    const Outcome black =
        RunCommand({"solve", "--size", "8", "--board", AlmostBlackBoard(), "--to-move", "black"});
    EXPECT_EQ(black.status, 0);
    EXPECT_EQ(black.out.substr(0, 8), "A8\n+64\nn");
    EXPECT_NE(black.out.find("\ntime "), std::string::npos);
    const Outcome white =
        RunCommand({"solve", "--size", "8", "--board", AlmostBlackBoard(), "--to-move", "white"});
    EXPECT_EQ(white.out.substr(0, 10), "pass\n-64\nn");
}

// One row per move with the columns in order, for a match written by "match new".
TEST(AnalysisCommandsTest, AnalysePrintsOneRowPerMove) {
    const auto path = std::filesystem::path(VELMORA_BINARY_DIR) / "analyse_command_test.qvz";
    ASSERT_EQ(
        RunCommand({"match", "new", "--size", "8", "--moves", "E6,F4,C3", path.string()}).status,
        0);
    const Outcome analysed = RunCommand({"analyse", path.string()});
    std::filesystem::remove(path);
    EXPECT_EQ(analysed.status, 0) << analysed.err;
    std::istringstream lines(analysed.out);
    std::string line;
    int rows = 0;
    while (std::getline(lines, line)) {
        if (line.starts_with("  ")) {
            std::istringstream row(line);
            int number = 0;
            std::string move, side, kind, before, best, value, loss, grade;
            row >> number >> move >> side >> kind >> before >> best >> value >> loss >> grade;
            ++rows;
            EXPECT_EQ(number, rows);
            EXPECT_EQ(move, rows == 1 ? "E6" : rows == 2 ? "F4" : "C3");
            EXPECT_EQ(side, rows == 2 ? "black" : "white");
            EXPECT_EQ(kind, "eval");
            EXPECT_TRUE(grade == "best" || grade == "inaccuracy" || grade == "mistake") << line;
        }
    }
    EXPECT_EQ(rows, 3);
    EXPECT_NE(analysed.out.find("analysed in "), std::string::npos);
    EXPECT_EQ(RunCommand({"analyse"}).status, 2);
}

}  // namespace
}  // namespace velmora
