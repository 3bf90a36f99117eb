#include "engine/match_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "match_test_support.h"

namespace velmora {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::PlayRandom;
using testing::PlayRecorded;
using testing::RecordingList;
using testing::SameMoves;
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
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// An older version of a file: its signature digit, and fewer settings bytes at the end.
Bytes AsVersion(const Bytes& v2, int version) {
    Bytes older(v2.begin(), v2.end() - (version == 0 ? 7 : 6));
    older[0] = static_cast<std::uint8_t>('0' + version);
    return older;
}

Board Start(int size) {
    Board board;
    InitBoard(board, size);
    return board;
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
    bool Write(const std::filesystem::path& path, std::string* error,
               const MatchSettings& settings = {}) {
        return WriteMatch(record, settings, path, error);
    }

    std::filesystem::path folder;
    OBoardTracker record;
    GamePosition position;
    RecordingList list;
};

TEST_F(MatchFileTest, GoldenBytesOfAnEmptyMatchAndAShortGame) {
    const Bytes empty = {'2', 'Z', 'V', 'Q', 8, 0, 0, 0, 0, 0, 0, 0,
                         3,   0,   0,   0,   1, 0, 1, 0, 1, 0, 0, 0};
    std::string error;
    ASSERT_TRUE(Write(folder / "empty.qvz", &error)) << error;
    EXPECT_EQ(ReadBytes(folder / "empty.qvz"), empty);
    // An empty match opens at the start with White to move, whatever was on the board.
    GamePosition opened;
    opened.Reset(10);
    opened.sideToMove = Black;
    OBoardTracker openedRecord(10);
    MatchSettings openedSettings;
    ASSERT_TRUE(LoadMatch(folder / "empty.qvz", openedRecord, opened, openedSettings, &error));
    EXPECT_EQ(opened.board, Start(8));
    EXPECT_EQ(opened.sideToMove, White);
    EXPECT_EQ(openedRecord.Count(), 0);

    PlayRecorded(record, position, 53);  // E6 by White flips E5
    PlayRecorded(record, position, 65);  // F4 by Black flips E4
    const MatchSettings settings{White, false, true, false, true, 7};
    Bytes golden = {'2', 'Z', 'V', 'Q', 8, 0, 0, 0, 2, 0, 0, 0};
    Append(golden, {53, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0});
    AppendSnapshot(golden, {"0000000000", "0111111110", "0111111110", "0111111110", "0111231110",
                            "0111321110", "0111111110", "0111111110", "0111111110", "0000000000"});
    Append(golden, {65, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0});
    AppendSnapshot(golden, {"0000000000", "0111111110", "0111111110", "0111111110", "0111231110",
                            "0112221110", "0111111110", "0111111110", "0111111110", "0000000000"});
    Append(golden, {2, 0, 0, 0, 0, 1, 0, 1, 7, 0, 0, 0});
    ASSERT_EQ(golden.size(), 24u + 2 * 156u);
    ASSERT_TRUE(Write(folder / "short.qvz", &error, settings)) << error;
    EXPECT_EQ(ReadBytes(folder / "short.qvz"), golden);

    const MatchDecodeResult decoded = DecodeMatch(golden);
    ASSERT_TRUE(decoded.match);
    EXPECT_EQ(decoded.match->version, 2);
    EXPECT_EQ(decoded.match->size, 8);
    EXPECT_TRUE(SameMoves(decoded.match->moves, record.Moves()));
    MatchSettings read;
    decoded.match->settings.ApplyTo(read);
    EXPECT_EQ(read, settings);
}

// Older versions end after fewer settings bytes; what they lack stays as the player had it.
TEST_F(MatchFileTest, OlderVersionsLeaveMissingSettingsUntouched) {
    PlayRandom(record, position, 31, 5);
    const Bytes v2 = EncodeMatch(8, record.Moves(), {White, false, true, false, true, 4});
    const MatchSettings present{Black, true, false, true, false, 9};

    const Bytes v1 = AsVersion(v2, 1);
    ASSERT_EQ(v1.size(), 18u + 156u * 5);
    const MatchDecodeResult one = DecodeMatch(v1);
    ASSERT_TRUE(one.match) << static_cast<int>(one.problem);
    EXPECT_EQ(one.match->version, 1);
    MatchSettings afterOne = present;
    one.match->settings.ApplyTo(afterOne);
    EXPECT_EQ(afterOne, (MatchSettings{White, false, true, true, false, 9}));

    const MatchDecodeResult zero = DecodeMatch(AsVersion(v2, 0));
    ASSERT_TRUE(zero.match);
    EXPECT_EQ(zero.match->version, 0);
    EXPECT_EQ(zero.match->moves.size(), 5u);
    MatchSettings afterZero = present;
    zero.match->settings.ApplyTo(afterZero);
    EXPECT_EQ(afterZero, (MatchSettings{White, false, false, true, false, 9}));

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
    const MatchSettings settings{White, true, false, false, true, 6};
    const std::filesystem::path path = folder / "round trip.qvz";
    std::string error;
    ASSERT_TRUE(Write(path, &error, settings)) << error;

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
    EXPECT_TRUE(SameMoves(opened.Moves(), record.Moves()));
    EXPECT_EQ(openedList.lines, lines);
    // Opened at the position before the first move with row 0 selected...
    EXPECT_EQ(opened.Current(), 0);
    EXPECT_EQ(openedList.selected, 0);
    EXPECT_EQ(openedPosition.board, Start(8));
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

TEST_F(MatchFileTest, RefusesEveryFieldThatCouldHurtTheBoard) {
    PlayRecorded(record, position, 53);
    PlayRecorded(record, position, 65);
    const Bytes valid = EncodeMatch(8, record.Moves(), MatchSettings{});
    ASSERT_TRUE(DecodeMatch(valid).match);
    const std::size_t second = 12 + 156;
    const std::size_t tail = 12 + 2 * 156;
    struct Damage {
        const char* what;
        std::size_t offset;
        std::vector<std::uint8_t> bytes;
        MatchProblem problem;
    };
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
        const bool inMove = damage.offset >= second && damage.offset < tail;
        EXPECT_EQ(result.moveNumber, inMove ? 2 : 0) << damage.what;
        EXPECT_FALSE(MatchProblemText(result.problem, result.moveNumber).empty());
    }
    for (std::size_t length = 0; length < valid.size(); ++length) {
        const MatchDecodeResult result = DecodeMatch(std::span(valid).first(length));
        EXPECT_FALSE(result.match) << length;
        EXPECT_EQ(result.problem, length < 4 ? MatchProblem::BadSignature : MatchProblem::EndsEarly)
            << length;
    }
}

// Random damage to valid files of every version and both sizes: whatever the reader accepts
// must be safe to hand to the record and the board code.
TEST(MatchFileDamageTest, DamagedFilesNeverPassAsSoundMatches) {
    std::vector<Bytes> seeds;
    for (const int size : {8, 10}) {
        for (const int moves : {0, 3, 40, 200}) {
            OBoardTracker record(size);
            GamePosition position;
            position.Reset(size);
            PlayRandom(record, position, static_cast<unsigned>(size * 1000 + moves), moves);
            const Bytes v2 =
                EncodeMatch(size, record.Moves(), {Black, true, false, true, false, 1 + moves % 9});
            seeds.insert(seeds.end(), {v2, AsVersion(v2, 1), AsVersion(v2, 0)});
        }
    }
    std::mt19937 random(20240611);
    int accepted = 0;
    for (int i = 0; i < 40000; ++i) {
        Bytes bytes = seeds[random() % seeds.size()];
        for (int k = 1 + static_cast<int>(random() % 3); k > 0; --k) {
            // Mostly aligned fields (counts, squares, sides, flags), with small values too.
            const std::size_t at = random() % (bytes.size() + 1) / 4 * 4;
            const std::uint32_t value = random() % 2 ? random() : random() % 100 - 2;
            switch (random() % 4) {
                case 0:
                    bytes.resize(std::min(bytes.size(), at + random() % 4));
                    break;
                case 1:
                    bytes.insert(bytes.end(), 1 + random() % 200, static_cast<std::uint8_t>(value));
                    break;
                default:
                    for (std::size_t b = 0; b < 4 && at + b < bytes.size(); ++b) {
                        bytes[at + b] = static_cast<std::uint8_t>(value >> (8 * b));
                    }
            }
        }
        const MatchDecodeResult result = DecodeMatch(bytes);
        if (!result.match) {
            ASSERT_NE(result.problem, MatchProblem::None) << "case " << i;
            continue;
        }
        ++accepted;
        const SavedMatch& match = *result.match;
        ASSERT_EQ(bytes.size(), kMatchHeaderBytes + kMoveEntryBytes * match.moves.size() +
                                    MatchTailBytes(match.version))
            << "case " << i;
        ASSERT_TRUE(IsSide(match.settings.computerSide)) << "case " << i;
        MatchSettings settings;
        match.settings.ApplyTo(settings);
        // A version 2 file is accepted only in the form this program writes it.
        if (match.version == 2) {
            ASSERT_EQ(EncodeMatch(match.size, match.moves, settings), bytes) << "case " << i;
        }
        OBoardTracker record;
        GamePosition position;
        ApplySavedMatch(match, record, position, settings);
        // Each accepted move is legal on its snapshot, the position the moves before lead to.
        for (const MoveEntry& entry : match.moves) {
            ASSERT_EQ(entry.snapshot, position.board) << "case " << i;
            ASSERT_EQ(entry.nextSide, Opponent(entry.side)) << "case " << i;
            ASSERT_TRUE(
                IsLegal(entry.snapshot, match.size, entry.square, entry.side, entry.nextSide))
                << "case " << i;
            record.Redo(position, true);
        }
    }
    // The damage is neither always fatal nor always harmless.
    EXPECT_GT(accepted, 100);
    EXPECT_LT(accepted, 10000);
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
    WriteBytes(folder / "broken game.qvz", damaged);
    WriteBytes(folder / "notes.txt", Bytes{'h', 'e', 'l', 'l', 'o'});

    const std::pair<std::filesystem::path, std::string> cases[] = {
        {folder / "broken game.qvz",
         "Файл «broken game.qvz» повреждён и не может быть открыт: неверная позиция перед "
         "ходом 20."},
        {folder / "notes.txt", "Файл «notes.txt» не является сохранённой партией."},
        {folder / "missing.qvz", "Не удалось открыть файл «missing.qvz»."},
        {folder, "Не удалось открыть файл «" + folder.filename().string() + "»."},
    };
    for (const auto& [path, expected] : cases) {
        std::string error;
        EXPECT_FALSE(LoadMatch(path, record, position, settings, &error));
        EXPECT_EQ(error, expected);
        EXPECT_EQ(record.Current(), recordBefore.Current());
        EXPECT_EQ(record.Size(), 8);
        EXPECT_TRUE(SameMoves(record.Moves(), recordBefore.Moves()));
        EXPECT_EQ(position.board, positionBefore.board);
        EXPECT_EQ(position.sideToMove, positionBefore.sideToMove);
        EXPECT_EQ(position.boardSize, 8);
        EXPECT_EQ(settings, settingsBefore);
        EXPECT_EQ(list.lines, listBefore.lines);
        EXPECT_EQ(list.selected, listBefore.selected);
    }
}

// A save replaces the whole file; one that fails, halfway or before, keeps the previous one
// and leaves no temporary file.
TEST_F(MatchFileTest, SaveReplacesWholeFilesAndKeepsThePreviousOneOnFailure) {
    const std::filesystem::path path = folder / "kept.qvz";
    WriteBytes(path, Bytes(5000, 0xAA));
    PlayRandom(record, position, 59, 4);
    std::string error;
    ASSERT_TRUE(Write(path, &error));
    const Bytes previous = ReadBytes(path);
    EXPECT_EQ(previous.size(), 24u + 4 * 156u);
    EXPECT_FALSE(Write(folder / "no such folder" / "x.qvz", &error));
    EXPECT_EQ(error, "Не удалось сохранить партию в файл «x.qvz».");

    // Files may not grow past 100 bytes for a moment: the write stops halfway.
    PlayRandom(record, position, 61, 1);
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = Write(path, &error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(error, "Не удалось сохранить партию в файл «kept.qvz».");
    EXPECT_EQ(ReadBytes(path), previous);
    EXPECT_EQ(FolderEntries(), std::vector<std::filesystem::path>{"kept.qvz"});
}

// Save writes through a link to its file, keeps the permissions of the file it replaces,
// takes names up to the system's limit, refuses what it must not replace with a clear
// message, and leaves no temporary file behind.
TEST_F(MatchFileTest, SaveFollowsLinksAndRefusesWhatItMustNotReplace) {
    PlayRandom(record, position, 53, 3);
    const Bytes saved = EncodeMatch(8, record.Moves(), MatchSettings{});
    const Bytes old = EncodeMatch(8, {}, MatchSettings{});
    std::string error;

    WriteBytes(folder / "real.qvz", old);
    std::filesystem::permissions(folder / "real.qvz", std::filesystem::perms(0640));
    std::filesystem::create_symlink("real.qvz", folder / "link.qvz");
    ASSERT_TRUE(Write(folder / "link.qvz", &error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.qvz"));
    EXPECT_EQ(ReadBytes(folder / "real.qvz"), saved);
    EXPECT_EQ(std::filesystem::status(folder / "real.qvz").permissions(),
              std::filesystem::perms(0640));

    const std::string longName = std::string(246, 'n') + ".qvz";
    ASSERT_TRUE(Write(folder / longName, &error)) << error;
    EXPECT_EQ(ReadBytes(folder / longName), saved);

    WriteBytes(folder / "locked.qvz", old);
    std::filesystem::permissions(folder / "locked.qvz", std::filesystem::perms(0444));
    EXPECT_FALSE(Write(folder / "locked.qvz", &error));
    EXPECT_EQ(error, "Не удалось сохранить партию в файл «locked.qvz»: файл защищён от записи.");
    EXPECT_EQ(ReadBytes(folder / "locked.qvz"), old);

    std::filesystem::create_directory(folder / "folder.qvz");
    EXPECT_FALSE(Write(folder / "folder.qvz", &error));
    EXPECT_EQ(error, "Не удалось сохранить партию в файл «folder.qvz»: это не обычный файл.");
    ASSERT_EQ(::mkfifo((folder / "pipe.qvz").c_str(), 0600), 0);
    EXPECT_FALSE(Write(folder / "pipe.qvz", &error));
    EXPECT_EQ(error, "Не удалось сохранить партию в файл «pipe.qvz»: это не обычный файл.");
    EXPECT_TRUE(std::filesystem::is_fifo(folder / "pipe.qvz"));
    // Opening a pipe neither blocks nor reads it.
    EXPECT_EQ(ReadMatchFile(folder / "pipe.qvz").error, "Не удалось открыть файл «pipe.qvz».");

    for (const auto& name : FolderEntries()) {
        EXPECT_EQ(name.extension(), ".qvz") << name;
    }
    EXPECT_EQ(FolderEntries().size(), 6u);
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
    wrongSide.square = testing::LegalSquares({second.snapshot, White, 8}).front();
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
        record.Assign(8, c.moves);
        std::string error;
        EXPECT_FALSE(Write(folder / "broken.qvz", &error));
        EXPECT_EQ(error, "Не удалось сохранить партию в файл «broken.qvz»: " +
                             MatchProblemText(c.problem, c.moveNumber) + ".");
    }
    EXPECT_TRUE(FolderEntries().empty());
}

}  // namespace
}  // namespace velmora
