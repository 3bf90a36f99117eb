#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/match_file.h"
#include "match_test_support.h"

namespace velmora {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::PlayRandom;
using testing::PlayRecorded;
using testing::RecordingList;
using testing::SettlePass;

void Append(Bytes& out, std::initializer_list<int> values) {
    for (const int v : values) {
        out.push_back(static_cast<std::uint8_t>(v));
    }
}

// A 144-cell snapshot from ten digit strings of ten cells each (cells 0..99), the rest Border.
void AppendSnapshot(Bytes& out, std::initializer_list<const char*> tens) {
    std::size_t cells = 0;
    for (const char* group : tens) {
        for (const char* c = group; *c != '\0'; ++c, ++cells) {
            out.push_back(static_cast<std::uint8_t>(*c - '0'));
        }
    }
    out.resize(out.size() + (kBoardCells - cells), 0);
}

Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

class MatchFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("velmora-match-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        record.SetListener(&list);
        position.Reset(8);
        record.NewRecord(8);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::vector<std::filesystem::path> FolderEntries() const {
        std::vector<std::filesystem::path> entries;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            entries.push_back(entry.path().filename());
        }
        return entries;
    }

    std::filesystem::path folder;
    OBoardTracker record;
    GamePosition position;
    RecordingList list;
};

TEST_F(MatchFileTest, EmptyMatchIsTwentyFourGoldenBytes) {
    const MatchSettings defaults;
    const Bytes bytes = EncodeMatch(8, {}, defaults);
    const Bytes golden = {'2', 'Z', 'V', 'Q', 8, 0, 0, 0, 0, 0, 0, 0,
                          3,   0,   0,   0,   1, 0, 1, 0, 1, 0, 0, 0};
    EXPECT_EQ(bytes, golden);

    const std::filesystem::path path = folder / "empty.qvz";
    std::string error;
    ASSERT_TRUE(WriteMatch(record, defaults, path, &error)) << error;
    EXPECT_EQ(ReadBytes(path), golden);
}

TEST_F(MatchFileTest, ShortGameGoldenBytes) {
    PlayRecorded(record, position, 53);  // E6 by White flips E5
    PlayRecorded(record, position, 65);  // F4 by Black flips E4
    MatchSettings settings;
    settings.computerSide = White;
    settings.versusComputer = false;
    settings.training = true;
    settings.novice = false;
    settings.advanced = true;
    settings.level = 7;

    Bytes golden = {'2', 'Z', 'V', 'Q', 8, 0, 0, 0, 2, 0, 0, 0};
    Append(golden, {53, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0});
    AppendSnapshot(golden, {"0000000000", "0111111110", "0111111110", "0111111110", "0111231110",
                            "0111321110", "0111111110", "0111111110", "0111111110", "0000000000"});
    Append(golden, {65, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0});
    AppendSnapshot(golden, {"0000000000", "0111111110", "0111111110", "0111111110", "0111231110",
                            "0112221110", "0111111110", "0111111110", "0111111110", "0000000000"});
    Append(golden, {2, 0, 0, 0, 0, 1, 0, 1, 7, 0, 0, 0});
    ASSERT_EQ(golden.size(), 24u + 2 * 156u);

    const std::filesystem::path path = folder / "short.qvz";
    std::string error;
    ASSERT_TRUE(WriteMatch(record, settings, path, &error)) << error;
    EXPECT_EQ(ReadBytes(path), golden);

    const MatchDecodeResult decoded = DecodeMatch(golden);
    ASSERT_TRUE(decoded.match);
    EXPECT_EQ(decoded.match->version, 2);
    EXPECT_EQ(decoded.match->size, 8);
    ASSERT_EQ(decoded.match->moves.size(), 2u);
    EXPECT_EQ(decoded.match->moves[1].square, 65);
    EXPECT_EQ(decoded.match->moves[1].snapshot, record.Entry(1).snapshot);
    MatchSettings read;
    decoded.match->settings.ApplyTo(read);
    EXPECT_EQ(read, settings);
}

// Older versions end after fewer settings bytes; what they lack stays as the player had it.
TEST_F(MatchFileTest, OlderVersionsLeaveMissingSettingsUntouched) {
    PlayRandom(record, position, 31, 5);
    MatchSettings saved;
    saved.computerSide = White;
    saved.versusComputer = false;
    saved.training = true;
    saved.novice = false;
    saved.advanced = true;
    saved.level = 4;
    const Bytes v2 = EncodeMatch(8, record.Moves(), saved);

    MatchSettings present;
    present.training = false;
    present.novice = true;
    present.advanced = false;
    present.level = 9;

    Bytes v1(v2.begin(), v2.end() - 6);
    v1[0] = '1';
    ASSERT_EQ(v1.size(), 18u + 156u * 5);
    const MatchDecodeResult one = DecodeMatch(v1);
    ASSERT_TRUE(one.match) << static_cast<int>(one.problem);
    EXPECT_EQ(one.match->version, 1);
    MatchSettings afterOne = present;
    one.match->settings.ApplyTo(afterOne);
    EXPECT_EQ(afterOne.computerSide, White);
    EXPECT_FALSE(afterOne.versusComputer);
    EXPECT_TRUE(afterOne.training);
    EXPECT_TRUE(afterOne.novice);
    EXPECT_FALSE(afterOne.advanced);
    EXPECT_EQ(afterOne.level, 9);

    Bytes v0(v2.begin(), v2.end() - 7);
    v0[0] = '0';
    const MatchDecodeResult zero = DecodeMatch(v0);
    ASSERT_TRUE(zero.match);
    EXPECT_EQ(zero.match->version, 0);
    EXPECT_EQ(zero.match->moves.size(), 5u);
    MatchSettings afterZero = present;
    zero.match->settings.ApplyTo(afterZero);
    EXPECT_EQ(afterZero.computerSide, White);
    EXPECT_FALSE(afterZero.versusComputer);
    EXPECT_FALSE(afterZero.training);
    EXPECT_EQ(afterZero.level, 9);

    // A version 0 signature on a version 2 length is not a version 0 file.
    Bytes mislabelled = v2;
    mislabelled[0] = '0';
    EXPECT_EQ(DecodeMatch(mislabelled).problem, MatchProblem::TrailingBytes);
}

TEST_F(MatchFileTest, SavedThenOpenedReproducesTheMatch) {
    PlayRandom(record, position, 41, 30);
    // Undone but not discarded moves are saved too, and play resumes after the last of them.
    ASSERT_TRUE(record.Undo(position));
    ASSERT_TRUE(record.Undo(position));
    const std::vector<std::string> lines = list.lines;
    MatchSettings settings;
    settings.computerSide = White;
    settings.advanced = true;
    settings.novice = false;
    settings.level = 6;
    const std::filesystem::path path = folder / "round trip.qvz";
    std::string error;
    ASSERT_TRUE(WriteMatch(record, settings, path, &error)) << error;

    // Open into a different game of the other size.
    OBoardTracker opened(10);
    RecordingList openedList;
    opened.SetListener(&openedList);
    GamePosition openedPosition;
    openedPosition.Reset(10);
    openedPosition.gameOver = true;
    MatchSettings openedSettings;
    ASSERT_TRUE(LoadMatch(path, opened, openedPosition, openedSettings, &error)) << error;
    EXPECT_EQ(openedSettings, settings);
    EXPECT_EQ(opened.Size(), 8);
    EXPECT_EQ(openedPosition.boardSize, 8);
    EXPECT_FALSE(openedPosition.gameOver);
    EXPECT_EQ(opened.Count(), record.Count());
    EXPECT_EQ(openedList.lines, lines);
    // Opened at the position before the first move with row 0 selected...
    EXPECT_EQ(opened.Current(), 0);
    EXPECT_EQ(openedList.selected, 0);
    Board start;
    InitBoard(start, 8);
    EXPECT_EQ(openedPosition.board, start);
    EXPECT_EQ(openedPosition.sideToMove, White);
    // ...and continuing from the last position replays every saved move.
    GamePosition latest = position;
    while (record.Redo(latest, true)) {
        SettlePass(latest);
    }
    while (opened.Redo(openedPosition, true)) {
        SettlePass(openedPosition);
    }
    EXPECT_EQ(openedPosition.board, latest.board);
    EXPECT_EQ(openedPosition.sideToMove, latest.sideToMove);
}

TEST_F(MatchFileTest, EmptyMatchOpensAtTheStartWithWhiteToMove) {
    std::string error;
    const std::filesystem::path path = folder / "e.qvz";
    ASSERT_TRUE(WriteMatch(record, MatchSettings{}, path, &error));
    GamePosition opened;
    opened.Reset(10);
    opened.sideToMove = Black;
    OBoardTracker openedRecord(10);
    MatchSettings settings;
    ASSERT_TRUE(LoadMatch(path, openedRecord, opened, settings, &error)) << error;
    Board start;
    InitBoard(start, 8);
    EXPECT_EQ(opened.board, start);
    EXPECT_EQ(opened.sideToMove, White);
    EXPECT_EQ(openedRecord.Count(), 0);
}

struct Damage {
    const char* what;
    std::size_t offset;  // from the start; entries start at 12
    std::vector<std::uint8_t> bytes;
    MatchProblem problem;
};

TEST_F(MatchFileTest, RefusesEveryFieldThatCouldHurtTheBoard) {
    PlayRecorded(record, position, 53);
    PlayRecorded(record, position, 65);
    const Bytes valid = EncodeMatch(8, record.Moves(), MatchSettings{});
    ASSERT_TRUE(DecodeMatch(valid).match);
    const std::size_t second = 12 + 156;
    const std::size_t tail = 12 + 2 * 156;
    const std::vector<Damage> damages = {
        {"signature", 0, {'3'}, MatchProblem::BadSignature},
        {"signature tail", 3, {'R'}, MatchProblem::BadSignature},
        {"size 9", 4, {9}, MatchProblem::BadSize},
        {"size 0", 4, {0}, MatchProblem::BadSize},
        {"negative count", 8, {0xFF, 0xFF, 0xFF, 0xFF}, MatchProblem::BadCount},
        {"huge count", 8, {0, 0, 0, 0x40}, MatchProblem::BadCount},
        {"count too big for the board", 8, {61}, MatchProblem::BadCount},
        {"count one more", 8, {3}, MatchProblem::EndsEarly},
        {"count one less", 8, {1}, MatchProblem::TrailingBytes},
        {"square on the ring", second, {19}, MatchProblem::BadSquare},
        {"square NoMove", second, {0xE8, 3}, MatchProblem::BadSquare},
        {"negative square", second, {0xF5, 0xFF, 0xFF, 0xFF}, MatchProblem::BadSquare},
        {"side 1", second + 4, {1}, MatchProblem::BadSide},
        {"side 4", second + 4, {4}, MatchProblem::BadSide},
        {"next side same as side", second + 8, {3}, MatchProblem::BadNextSide},
        {"cell value 4", second + 12 + 33, {4}, MatchProblem::BadSnapshot},
        {"ring cell playable", second + 12 + 20, {1}, MatchProblem::BadSnapshot},
        {"tail cell playable", second + 12 + 120, {2}, MatchProblem::BadSnapshot},
        {"hole in the board", second + 12 + 33, {0}, MatchProblem::BadSnapshot},
        {"occupied square", second, {44}, MatchProblem::IllegalMove},
        {"move that flips nothing", second, {11}, MatchProblem::IllegalMove},
        {"computer side 1", tail, {1}, MatchProblem::BadComputerSide},
        {"versus flag 2", tail + 4, {2}, MatchProblem::BadFlag},
        {"training flag 255", tail + 5, {255}, MatchProblem::BadFlag},
        {"novice flag 7", tail + 6, {7}, MatchProblem::BadFlag},
        {"advanced flag 2", tail + 7, {2}, MatchProblem::BadFlag},
        {"level 0", tail + 8, {0}, MatchProblem::BadLevel},
        {"level 10", tail + 8, {10}, MatchProblem::BadLevel},
        {"negative level", tail + 8, {1, 0, 0, 0x80}, MatchProblem::BadLevel},
    };
    for (const Damage& damage : damages) {
        Bytes bytes = valid;
        std::copy(damage.bytes.begin(), damage.bytes.end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(damage.offset));
        const MatchDecodeResult result = DecodeMatch(bytes);
        EXPECT_FALSE(result.match) << damage.what;
        EXPECT_EQ(result.problem, damage.problem) << damage.what;
        if (damage.offset >= second && damage.offset < tail) {
            EXPECT_EQ(result.moveNumber, 2) << damage.what;
        }
        EXPECT_FALSE(MatchProblemText(result.problem, result.moveNumber).empty());
    }
    for (std::size_t length = 0; length < valid.size(); ++length) {
        const MatchDecodeResult result = DecodeMatch(std::span(valid).first(length));
        EXPECT_FALSE(result.match) << length;
        EXPECT_EQ(result.problem, length < 4 ? MatchProblem::BadSignature : MatchProblem::EndsEarly)
            << length;
    }
}

TEST_F(MatchFileTest, RefusedFileLeavesTheMatchInMemoryAlone) {
    PlayRandom(record, position, 43, 12);
    ASSERT_TRUE(record.Undo(position));
    MatchSettings settings;
    settings.level = 5;
    const OBoardTracker recordBefore = record;
    const GamePosition positionBefore = position;
    const MatchSettings settingsBefore = settings;
    const RecordingList listBefore = list;

    OBoardTracker other(10);
    GamePosition otherPosition;
    otherPosition.Reset(10);
    PlayRandom(other, otherPosition, 47, 20);
    ASSERT_EQ(other.Count(), 20);
    Bytes damaged = EncodeMatch(10, other.Moves(), MatchSettings{});
    damaged[12 + 156 * 19 + 12 + 50] = 9;  // a cell of the last snapshot
    const std::filesystem::path path = folder / "broken game.qvz";
    WriteBytes(path, damaged);
    const std::filesystem::path notMatch = folder / "notes.txt";
    WriteBytes(notMatch, Bytes{'h', 'e', 'l', 'l', 'o'});

    struct Case {
        std::filesystem::path path;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {path,
         "Файл «broken game.qvz» повреждён и не может быть открыт: неверная позиция перед "
         "ходом 20."},
        {notMatch, "Файл «notes.txt» не является сохранённой партией."},
        {folder / "missing.qvz", "Не удалось открыть файл «missing.qvz»."},
        {folder, "Не удалось открыть файл «" + folder.filename().string() + "»."},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(LoadMatch(c.path, record, position, settings, &error));
        EXPECT_EQ(error, c.expected);
        EXPECT_EQ(record.Count(), recordBefore.Count());
        EXPECT_EQ(record.Current(), recordBefore.Current());
        EXPECT_EQ(record.Size(), 8);
        for (int i = 0; i < record.Count(); ++i) {
            EXPECT_EQ(record.Entry(i).snapshot, recordBefore.Entry(i).snapshot);
        }
        EXPECT_EQ(position.board, positionBefore.board);
        EXPECT_EQ(position.sideToMove, positionBefore.sideToMove);
        EXPECT_EQ(position.boardSize, 8);
        EXPECT_EQ(settings, settingsBefore);
        EXPECT_EQ(list.lines, listBefore.lines);
        EXPECT_EQ(list.selected, listBefore.selected);
    }
}

TEST_F(MatchFileTest, SaveReplacesWholeFilesAndReportsFailure) {
    const std::filesystem::path path = folder / "game.qvz";
    WriteBytes(path, Bytes(5000, 0xAA));
    PlayRandom(record, position, 53, 3);
    std::string error;
    ASSERT_TRUE(WriteMatch(record, MatchSettings{}, path, &error));
    EXPECT_EQ(ReadBytes(path).size(), 24u + 3 * 156u);
    EXPECT_EQ(FolderEntries(), std::vector<std::filesystem::path>{"game.qvz"});

    // A folder in the way: nothing is written, the folder stays, no temporary is left.
    const std::filesystem::path blocked = folder / "blocked.qvz";
    std::filesystem::create_directory(blocked);
    EXPECT_FALSE(WriteMatch(record, MatchSettings{}, blocked, &error));
    EXPECT_EQ(error, "Не удалось сохранить партию в файл «blocked.qvz»: это не обычный файл.");
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_EQ(FolderEntries().size(), 2u);

    error.clear();
    EXPECT_FALSE(WriteMatch(record, MatchSettings{}, folder / "no such folder" / "x.qvz", &error));
    EXPECT_EQ(error, "Не удалось сохранить партию в файл «x.qvz».");
}

TEST_F(MatchFileTest, SaveThatFailsHalfwayKeepsThePreviousFile) {
    const std::filesystem::path path = folder / "kept.qvz";
    const Bytes previous = EncodeMatch(8, {}, MatchSettings{});
    WriteBytes(path, previous);
    PlayRandom(record, position, 59, 4);

    // Files may not grow past 100 bytes for a moment: the write stops halfway.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool saved = WriteMatch(record, MatchSettings{}, path, &error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(error, "Не удалось сохранить партию в файл «kept.qvz».");
    EXPECT_EQ(ReadBytes(path), previous);
    EXPECT_EQ(FolderEntries(), std::vector<std::filesystem::path>{"kept.qvz"});
}

// Save writes through a link to its file, takes names up to the system's limit, refuses
// what it must not replace with a clear message, and leaves no temporary file behind.
TEST_F(MatchFileTest, SaveFollowsLinksAndRefusesWhatItMustNotReplace) {
    PlayRandom(record, position, 53, 3);
    const Bytes saved = EncodeMatch(8, record.Moves(), MatchSettings{});
    const Bytes old = EncodeMatch(8, {}, MatchSettings{});
    std::string error;

    WriteBytes(folder / "real.qvz", old);
    std::filesystem::create_symlink("real.qvz", folder / "link.qvz");
    ASSERT_TRUE(WriteMatch(record, MatchSettings{}, folder / "link.qvz", &error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.qvz"));
    EXPECT_EQ(ReadBytes(folder / "real.qvz"), saved);

    const std::string longName = std::string(246, 'n') + ".qvz";
    ASSERT_EQ(longName.size(), 250u);
    ASSERT_TRUE(WriteMatch(record, MatchSettings{}, folder / longName, &error)) << error;
    EXPECT_EQ(ReadBytes(folder / longName), saved);

    WriteBytes(folder / "locked.qvz", old);
    std::filesystem::permissions(folder / "locked.qvz", std::filesystem::perms(0444));
    EXPECT_FALSE(WriteMatch(record, MatchSettings{}, folder / "locked.qvz", &error));
    EXPECT_EQ(error, "Не удалось сохранить партию в файл «locked.qvz»: файл защищён от записи.");
    EXPECT_EQ(ReadBytes(folder / "locked.qvz"), old);

    ASSERT_EQ(::mkfifo((folder / "pipe.qvz").c_str(), 0600), 0);
    EXPECT_FALSE(WriteMatch(record, MatchSettings{}, folder / "pipe.qvz", &error));
    EXPECT_EQ(error, "Не удалось сохранить партию в файл «pipe.qvz»: это не обычный файл.");
    EXPECT_TRUE(std::filesystem::is_fifo(folder / "pipe.qvz"));
    // Opening a pipe neither blocks nor reads it.
    EXPECT_EQ(ReadMatchFile(folder / "pipe.qvz").error, "Не удалось открыть файл «pipe.qvz».");

    for (const auto& name : FolderEntries()) {
        EXPECT_EQ(name.extension(), ".qvz") << name;
    }
    EXPECT_EQ(FolderEntries().size(), 5u);
}

// A real game starts from the start position and each snapshot follows from the move before
// it, so a record whose snapshots do not chain is refused when read and never written.
TEST_F(MatchFileTest, RecordsWhoseSnapshotsDoNotChainAreRefused) {
    PlayRandom(record, position, 53, 2);
    const MoveEntry first = record.Entry(0);
    const MoveEntry second = record.Entry(1);
    // White again, on a square legal for White, while Black had moves of its own.
    MoveEntry wrongSide = second;
    wrongSide.side = White;
    wrongSide.nextSide = Black;
    for (const int square : MoveOrder(8)) {
        if (IsLegal(second.snapshot, 8, square, White, Black)) {
            wrongSide.square = square;
        }
    }
    ASSERT_TRUE(IsLegal(second.snapshot, 8, wrongSide.square, White, Black));
    struct Case {
        const char* name;
        std::vector<MoveEntry> moves;
        MatchProblem problem;
        int moveNumber;
    };
    const std::vector<Case> cases = {
        {"the first move again", {first, first}, MatchProblem::BrokenChain, 2},
        {"not from the start", {second}, MatchProblem::BrokenChain, 1},
        {"the same side twice without a pass", {first, wrongSide}, MatchProblem::BrokenChain, 2},
        {"more moves than squares", std::vector<MoveEntry>(61, first), MatchProblem::BadCount, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MatchDecodeResult decoded = DecodeMatch(EncodeMatch(8, c.moves, MatchSettings{}));
        EXPECT_FALSE(decoded.match);
        EXPECT_EQ(decoded.problem, c.problem);
        EXPECT_EQ(decoded.moveNumber, c.moveNumber);
        OBoardTracker broken(8);
        broken.Assign(8, c.moves);
        std::string error;
        EXPECT_FALSE(WriteMatch(broken, MatchSettings{}, folder / "broken.qvz", &error));
        EXPECT_EQ(error, "Не удалось сохранить партию в файл «broken.qvz»: " +
                             MatchProblemText(c.problem, c.moveNumber) + ".");
    }
    EXPECT_TRUE(FolderEntries().empty());
}

}  // namespace
}  // namespace velmora
