#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "command_runner.h"
#include "engine/bench_positions.h"
#include "engine/literal_search.h"
#include "engine/notation.h"
#include "engine/random_positions.h"
#include "engine/rules.h"

namespace velmora {
namespace {

using testing::Outcome;
using testing::RunCommand;

std::string Board8Start() {
    Board board;
    InitBoard(board, 8);
    return BoardToText(board, 8);
}

TEST(EngineCommandTest, MoveAnswersTheSearchesMoveAndNodeCount) {
    const Outcome start = RunCommand(
        {"move", "--size", "8", "--board", Board8Start(), "--to-move", "white", "--level", "1"});
    EXPECT_EQ(start.status, 0);
    EXPECT_EQ(start.out, "E6\nnodes 5\n");
    EXPECT_EQ(start.err, "");

    for (const int size : {8, 10}) {
        for (const SampledPosition& p : SampleRandomPositions(size, 6, 3)) {
            for (const int level : {0, 3}) {
                const SearchSettings settings = SearchSettings::FromShownLevel(level, true);
                const SearchResult expected =
                    LiteralSearch(size, p.board, p.sideToMove, settings, nullptr);
                const std::string answer =
                    expected.move == NoMove ? "pass" : SquareName(size, expected.move);
                for (const char* engine : {"literal", "fast"}) {
                    const Outcome got =
                        RunCommand({"move", "--size", std::to_string(size), "--board",
                                    BoardToText(p.board, size), "--to-move",
                                    p.sideToMove == White ? "white" : "black", "--level",
                                    std::to_string(level), "--advanced", "--engine", engine});
                    EXPECT_EQ(got.status, 0);
                    EXPECT_EQ(got.out, answer + "\nnodes " + std::to_string(expected.nodes) + "\n")
                        << engine;
                }
            }
        }
    }
    // White cannot move: the answer is a pass.
    const Outcome stuck = RunCommand(
        {"move", "--board", std::string(62, '+') + "wb", "--to-move", "white", "--level", "9"});
    EXPECT_EQ(stuck.status, 0);
    EXPECT_EQ(stuck.out, "pass\nnodes 1\n");
}

TEST(EngineCommandTest, BadInputGetsOneLineOnStderrAndStatusTwoHelpAndPerftDoNot) {
    const std::string board = Board8Start();
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"fly"},
        {"move", "--board", board, "--to-move", "white"},
        {"move", "--board", board, "--level", "3"},
        {"move", "--to-move", "white", "--level", "3"},
        {"move", "--board", board.substr(1), "--to-move", "white", "--level", "3"},
        {"move", "--board", std::string(63, '+') + "x", "--to-move", "white", "--level", "3"},
        {"move", "--size", "10", "--board", board, "--to-move", "white", "--level", "3"},
        {"move", "--board", board, "--to-move", "red", "--level", "3"},
        {"move", "--board", board, "--to-move", "white", "--level", "10"},
        {"move", "--board", board, "--to-move", "white", "--level", "3x"},
        {"move", "--board", board, "--to-move", "white", "--level", "3", "--level", "4"},
        {"move", "--board", board, "--to-move", "white", "--level", "3", "--fast"},
        {"move", "--board", board, "--to-move", "white", "--level", "3", "--engine", "turbo"},
        {"move", "--board", board, "--to-move", "white", "--level"},
        {"move", "E6"},
        {"perft", "--size", "9", "--depth", "3"},
        {"perft", "--depth", "-1"},
        {"selfplay", "--size", "12", "--level", "2"},
        {"bench", "--engine", "quick"},
        {"selftest", "--long", "--long"},
    };
    for (const auto& args : bad) {
        const Outcome got = RunCommand(args);
        std::string shown;
        for (const auto& a : args) {
            shown += a + " ";
        }
        EXPECT_EQ(got.status, 2) << shown;
        EXPECT_EQ(got.out, "") << shown;
        EXPECT_EQ(std::count(got.err.begin(), got.err.end(), '\n'), 1) << shown << got.err;
        EXPECT_EQ(got.err.rfind("velmora-engine", 0), 0u) << got.err;
    }
    const Outcome help = RunCommand({"help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("velmora-engine perft"), std::string::npos);
    // The perft counts themselves are the engine's; the command prints them.
    EXPECT_EQ(RunCommand({"perft", "--size", "8", "--depth", "5"}).out, "1396\n");
    EXPECT_EQ(RunCommand({"perft", "--size", "10", "--depth", "1"}).out, "4\n");
}

// Replays the printed game with the rules: every move legal, passes only when forced, the
// printed result the real one.
TEST(EngineCommandTest, SelfplayPrintsALegalCompleteGame) {
    for (const int size : {8, 10}) {
        const Outcome got = RunCommand(
            {"selfplay", "--size", std::to_string(size), "--level", size == 8 ? "3" : "2"});
        ASSERT_EQ(got.status, 0) << got.err;
        const std::size_t header = got.out.find("White  Black");
        ASSERT_NE(header, std::string::npos) << got.out;
        std::istringstream lines(got.out.substr(got.out.find('\n', header) + 1));
        Board board;
        InitBoard(board, size);
        int side = White;
        int plies = 0;
        for (std::string line; std::getline(lines, line) && !line.empty();) {
            std::istringstream fields(line);
            std::string ply;
            fields >> ply;  // the move number
            while (fields >> ply) {
                if (ply == "pass") {
                    EXPECT_FALSE(HasLegalMove(board, size, side)) << line;
                } else {
                    const auto square = ParseSquare(size, ply);
                    ASSERT_TRUE(square) << line;
                    EXPECT_TRUE(plies > 0 || SquareName(size, *square) == (size == 8 ? "E6" : "D5"));
                    ASSERT_TRUE(IsLegal(board, size, *square, side, Opponent(side))) << line;
                    MakeMove(board, size, *square, side, Opponent(side));
                }
                side = Opponent(side);
                ++plies;
            }
        }
        const ScanResult end = ScanBoard(board, size);
        EXPECT_TRUE(end.GameOver());
        EXPECT_GT(plies, 10);
        EXPECT_NE(got.out.find("White (Жёлтые) " + std::to_string(end.whiteCount) +
                               ", X Black (Зелёные) " + std::to_string(end.blackCount)),
                  std::string::npos)
            << got.out;
        const std::string verdict = end.whiteCount == end.blackCount  ? "a draw."
                                    : end.whiteCount > end.blackCount ? "White wins by"
                                                                      : "Black wins by";
        EXPECT_NE(got.out.find(verdict), std::string::npos);
    }
}

// Each bench row is the move command's answer for that position, and the signature adds up.
TEST(EngineCommandTest, BenchRowsMatchTheMoveCommand) {
    const Outcome bench = RunCommand({"bench", "--size", "8", "--engine", "fast"});
    ASSERT_EQ(bench.status, 0) << bench.err;
    std::istringstream lines(bench.out);
    std::string line;
    std::uint64_t sum = 0;
    int rows = 0;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string engine, size, side, algorithm, move;
        int ply = 0;
        std::uint64_t nodes = 0;
        if (!(fields >> engine >> size >> ply >> side >> algorithm >> move >> nodes) ||
            engine != "fast") {
            continue;
        }
        const BenchPosition* position = nullptr;
        for (const BenchPosition& p : BenchPositions()) {
            position = p.size == 8 && p.ply == ply ? &p : position;
        }
        ASSERT_NE(position, nullptr) << line;
        std::vector<std::string> args = {"move",    "--board", position->board, "--to-move", side,
                                         "--level", "9"};
        if (algorithm == "advanced") {
            args.push_back("--advanced");
        }
        EXPECT_EQ(RunCommand(args).out, move + "\nnodes " + std::to_string(nodes) + "\n") << line;
        sum += nodes;
        ++rows;
    }
    EXPECT_EQ(rows, 12);
    EXPECT_NE(bench.out.find("signature " + std::to_string(sum) + "\n"), std::string::npos);
}

TEST(EngineCommandTest, SelftestReportsAgreement) {
    const Outcome got = RunCommand({"selftest", "--positions", "6", "--seed", "3"});
    EXPECT_EQ(got.status, 0) << got.out;
    EXPECT_NE(got.out.find("8 x 8: 7 positions"), std::string::npos) << got.out;
    EXPECT_NE(got.out.find("the searches agree"), std::string::npos);
}

// Every square Black but A8, empty, and B8, White: White must pass, Black's A8 takes B8.
std::string AlmostBlackBoard() {
    std::string text(64, 'b');
    text[0] = '+';
    text[8] = 'w';
    return text;
}

TEST(EngineCommandTest, SolvePrintsMoveValueNodesAndTime) {
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
TEST(EngineCommandTest, AnalysePrintsOneRowPerMove) {
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
