#include "engine/transcript.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "engine/notation.h"
#include "match_test_support.h"

namespace velmora {
namespace {

using testing::PlayRandom;

// A whole random game of the given size.
OBoardTracker RandomGame(int size, unsigned seed) {
    OBoardTracker record(size);
    GamePosition position;
    position.Reset(size);
    PlayRandom(record, position, seed, 200);
    return record;
}

std::vector<std::string> SquareNames(const TranscriptGame& game) {
    std::vector<std::string> names;
    for (const MoveEntry& entry : game.moves) {
        names.push_back(SquareName(game.size, entry.square));
    }
    return names;
}

TEST(TranscriptTest, WritesLowercaseSquaresWithoutSeparators) {
    std::vector<MoveEntry> moves(2);
    moves[0].square = 13;   // A10
    moves[1].square = 130;  // J1
    EXPECT_EQ(WriteTranscript(10, moves), "a10j1");
    moves[0].square = 53;  // E6
    EXPECT_EQ(WriteTranscript(8, std::span(moves).first(1)), "e6");
    EXPECT_EQ(WriteTranscript(8, {}), "");
}

TEST(TranscriptTest, RandomGamesOfBothSizesComeBackIdentical) {
    for (const int size : {8, 10}) {
        for (unsigned seed = 1; seed <= 40; ++seed) {
            const OBoardTracker record = RandomGame(size, seed);
            const std::string text = WriteTranscript(size, record.Moves());
            const TranscriptReadResult read = ReadTranscript(text);
            ASSERT_TRUE(read.game) << text << ": " << read.error;
            EXPECT_EQ(read.game->size, size) << text;
            EXPECT_TRUE(testing::SameMoves(read.game->moves, record.Moves())) << text;
        }
    }
}

TEST(TranscriptTest, AcceptsTheUsualWaysOfWritingMoves) {
    struct Case {
        const char* text;
        std::optional<int> size;
        int expectedSize;
        std::vector<std::string> squares;
    };
    const std::vector<std::string> three = {"E6", "F4", "C3"};
    const Case cases[] = {
        {"e6f4c3", {}, 8, three},
        {"E6F4C3", {}, 8, three},
        {"e6 F4, c3", {}, 8, three},
        {"e6;f4;\tc3", {}, 8, three},
        {"e6\r\nf4\nc3\n", {}, 8, three},
        {"1. e6 2. f4 3. c3", {}, 8, three},
        {"1.e6 f4 2...c3", {}, 8, three},
        {"1 e6 2 f4 3) c3", {}, 8, three},
        {"e6 f4 c3 33-31", {}, 8, three},
        {"e6f4c3 33 : 31", {}, 8, three},
        {"e6 f4 c3 1/2-1/2", {}, 8, three},
        {"e6 f4 c3 ½-½", {}, 8, three},
        {"e6 f4 c3 *", {}, 8, three},
        {"\uFEFFe6f4c3", {}, 8, three},
        {"e6f4c3", 8, 8, three},
        // Squares of the small board that only the large one plays.
        {"g6", {}, 10, {"G6"}},
        {"f7 e7 d8", 10, 10, {"F7", "E7", "D8"}},
    };
    for (const Case& c : cases) {
        const TranscriptReadResult read = ReadTranscript(c.text, c.size);
        ASSERT_TRUE(read.game) << c.text << ": " << read.error;
        EXPECT_EQ(read.game->size, c.expectedSize) << c.text;
        EXPECT_EQ(SquareNames(*read.game), c.squares) << c.text;
    }
}

TEST(TranscriptTest, PassesMayBeWrittenOrLeftOut) {
    for (const int size : {8, 10}) {
        OBoardTracker record;
        GamePosition position;
        testing::PlayGameWithPass(record, position, size);
        const int pass = testing::FirstMoveAfterPass(record);
        const std::string before = WriteTranscript(size, record.Moves().first(pass));
        const std::string after = WriteTranscript(size, record.Moves().subspan(pass));
        for (const char* spelling : {"", " pass ", "PA", "--", " Pass "}) {
            const std::string text = before + spelling + after;
            const TranscriptReadResult read = ReadTranscript(text);
            ASSERT_TRUE(read.game) << text << ": " << read.error;
            EXPECT_TRUE(testing::SameMoves(read.game->moves, record.Moves())) << text;
        }
    }
}

TEST(TranscriptTest, RefusalsNameTheFirstBadMoveAndChangeNothing) {
    const OBoardTracker finished = RandomGame(8, 7);
    const std::string whole = WriteTranscript(8, finished.Moves());
    const std::string afterEnd =
        "ход " + std::to_string(finished.Count() + 1) + " «a1» сделан после конца партии";
    struct Case {
        std::string text;
        TranscriptProblem problem;
        std::string error;
    };
    const Case cases[] = {
        {"e6 e6", TranscriptProblem::IllegalMove, "ход 2 «e6» невозможен: ходят Зелёные"},
        {"e6f4 a1", TranscriptProblem::IllegalMove, "ход 3 «a1» невозможен: ходят Жёлтые"},
        {"e6f4 d9", TranscriptProblem::UnknownSquare, "ход 3 «d9»: такого поля нет на доске"},
        {"e6 k4", TranscriptProblem::UnknownSquare, "ход 2 «k4»: такого поля нет на доске"},
        {"e6 a0", TranscriptProblem::UnknownSquare, "ход 2 «a0»: такого поля нет на доске"},
        {"e6 f4 paper", TranscriptProblem::NotAMove, "ход 3 «paper» не распознан"},
        {"e6 pass", TranscriptProblem::NeedlessPass,
         "ход 2 «pass» невозможен: Зелёные могут ходить"},
        {whole + "a1", TranscriptProblem::AfterTheEnd, afterEnd},
        {"", TranscriptProblem::Empty, "в тексте нет ни одного хода"},
        {" \n 1. 33-31", TranscriptProblem::Empty, "в тексте нет ни одного хода"},
        {std::string(1 << 20, 'a'), TranscriptProblem::TooLong, "текст длиннее 64 КБ"},
    };
    OBoardTracker record(8);
    testing::RecordingList list;
    record.SetListener(&list);
    GamePosition position;
    position.Reset(8);
    PlayRandom(record, position, 3, 10);
    const std::vector<MoveEntry> moves(record.Moves().begin(), record.Moves().end());
    const GamePosition before = position;
    const std::vector<std::string> lines = list.lines;
    for (const Case& c : cases) {
        const std::string shown = c.text.substr(0, 40);
        EXPECT_EQ(ReadTranscript(c.text).problem, c.problem) << shown;
        std::string error;
        EXPECT_FALSE(LoadTranscript(c.text, record, position, &error)) << shown;
        EXPECT_EQ(error, c.error) << shown;
        EXPECT_TRUE(testing::SameMoves(record.Moves(), moves)) << shown;
        EXPECT_EQ(position.board, before.board) << shown;
        EXPECT_EQ(position.sideToMove, before.sideToMove) << shown;
        EXPECT_EQ(list.lines, lines) << shown;
    }
}

TEST(TranscriptTest, LoadingShowsTheStartOfTheGameReadyToReplay) {
    OBoardTracker record(8);
    testing::RecordingList list;
    record.SetListener(&list);
    GamePosition position;
    position.Reset(8);
    std::string error;
    ASSERT_TRUE(LoadTranscript("1. f7 2. e7", record, position, &error)) << error;
    EXPECT_EQ(record.Size(), 10);
    EXPECT_EQ(record.Count(), 2);
    EXPECT_EQ(record.Current(), 0);
    EXPECT_EQ(position.boardSize, 10);
    Board start;
    InitBoard(start, 10);
    EXPECT_EQ(position.board, start);
    EXPECT_EQ(list.lines,
              (std::vector<std::string>{" 1.Жёлтые ..... F:7", " 2.Зелёные .... E:7", kEndMarker}));
    EXPECT_EQ(list.selected, 0);
}

TEST(TranscriptTest, FilesAreReadAsTextOnly) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("velmora-transcript-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return folder / name;
    };
    const TranscriptFileResult good = ReadTranscriptFile(write("good.txt", "e6 f4\n"));
    ASSERT_TRUE(good.game) << good.error;
    EXPECT_EQ(good.game->moves.size(), 2u);

    const TranscriptFileResult bad = ReadTranscriptFile(write("bad.txt", "e6 e6\n"));
    EXPECT_FALSE(bad.game);
    EXPECT_EQ(bad.error,
              "Файл «bad.txt» не является записью партии: ход 2 «e6» невозможен: ходят Зелёные.");

    const TranscriptFileResult binary =
        ReadTranscriptFile(write("picture.png", std::string("\x89PNG\r\n\x1a\n\0\0", 10)));
    EXPECT_TRUE(binary.binary);
    EXPECT_FALSE(binary.game);

    const TranscriptFileResult huge =
        ReadTranscriptFile(write("huge.txt", std::string(1 << 20, 'e')));
    EXPECT_EQ(huge.problem, TranscriptProblem::TooLong);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace velmora
