#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/match_file.h"
#include "match_test_support.h"

namespace velmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Valid files of every version and both sizes to start the damage from.
std::vector<Bytes> Seeds() {
    std::vector<Bytes> seeds;
    for (const int size : {8, 10}) {
        for (const int moves : {0, 3, 40, 200}) {
            OBoardTracker record(size);
            GamePosition position;
            position.Reset(size);
            testing::PlayRandom(record, position, static_cast<unsigned>(size * 1000 + moves),
                                moves);
            MatchSettings settings;
            settings.level = 1 + moves % 9;
            const Bytes v2 = EncodeMatch(size, record.Moves(), settings);
            seeds.push_back(v2);
            Bytes v1(v2.begin(), v2.end() - 6);
            v1[0] = '1';
            seeds.push_back(v1);
            Bytes v0(v2.begin(), v2.end() - 7);
            v0[0] = '0';
            seeds.push_back(v0);
        }
    }
    return seeds;
}

void PutInt32(Bytes& bytes, std::size_t offset, std::uint64_t value) {
    for (int i = 0; i < 4 && offset + static_cast<std::size_t>(i) < bytes.size(); ++i) {
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

Bytes Mutate(const Bytes& seed, std::mt19937& random) {
    Bytes bytes = seed;
    auto pick = [&](std::size_t n) { return n == 0 ? 0 : random() % n; };
    const int kinds = 1 + static_cast<int>(random() % 3);
    for (int k = 0; k < kinds; ++k) {
        switch (random() % 7) {
            case 0:  // truncate
                bytes.resize(pick(bytes.size() + 1));
                break;
            case 1:  // flip a few bits
                for (int flips = 1 + static_cast<int>(random() % 8); flips > 0 && !bytes.empty();
                     --flips) {
                    bytes[pick(bytes.size())] ^= static_cast<std::uint8_t>(1u << (random() % 8));
                }
                break;
            case 2: {  // a count, huge, negative or just off by a little
                const std::uint32_t counts[] = {0x7FFFFFFFu,
                                                0x80000000u,
                                                0xFFFFFFFFu,
                                                0x00010000u,
                                                static_cast<std::uint32_t>(random()),
                                                60,
                                                61,
                                                96,
                                                97};
                PutInt32(bytes, 8, counts[random() % std::size(counts)] + random() % 3);
                break;
            }
            case 3:  // the size field
                PutInt32(bytes, 4, static_cast<std::uint32_t>(random() % 14) - 2u);
                break;
            case 4:  // random bytes at the end
                for (int extra = 1 + static_cast<int>(random() % 200); extra > 0; --extra) {
                    bytes.push_back(static_cast<std::uint8_t>(random()));
                }
                break;
            case 5:  // an aligned field of a move or the settings set to a random int
                if (bytes.size() >= 4) {
                    PutInt32(bytes, pick(bytes.size() / 4) * 4, random());
                }
                break;
            default:  // one byte anywhere
                if (!bytes.empty()) {
                    bytes[pick(bytes.size())] = static_cast<std::uint8_t>(random());
                }
                break;
        }
    }
    return bytes;
}

bool IsSoundBoard(const Board& board, int size) {
    for (int cell = 0; cell < kBoardCells; ++cell) {
        if (board[cell] > Black || (board[cell] == Border) == IsPlayingSquare(size, cell)) {
            return false;
        }
    }
    return true;
}

// Whatever the reader accepts must be safe to hand to the record and the board code.
void ExpectUsable(const SavedMatch& match, const Bytes& bytes) {
    ASSERT_TRUE(IsValidBoardSize(match.size));
    ASSERT_LE(match.moves.size(), static_cast<std::size_t>(match.size * match.size - 4));
    ASSERT_EQ(bytes.size(), kMatchHeaderBytes + kMoveEntryBytes * match.moves.size() +
                                MatchTailBytes(match.version));
    for (const MoveEntry& entry : match.moves) {
        ASSERT_TRUE(IsPlayingSquare(match.size, entry.square));
        ASSERT_TRUE(IsSide(entry.side));
        ASSERT_EQ(entry.nextSide, Opponent(entry.side));
        ASSERT_TRUE(IsSoundBoard(entry.snapshot, match.size));
    }
    const StoredMatchSettings& s = match.settings;
    ASSERT_TRUE(IsSide(s.computerSide));
    ASSERT_EQ(s.training.has_value(), match.version >= 1);
    ASSERT_EQ(s.level.has_value(), match.version >= 2);
    if (s.level) {
        ASSERT_GE(*s.level, 1);
        ASSERT_LE(*s.level, 9);
    }
    // A version 2 file is accepted only in the form this program writes it.
    if (match.version == 2) {
        MatchSettings settings;
        s.ApplyTo(settings);
        ASSERT_EQ(EncodeMatch(match.size, match.moves, settings), bytes);
    }

    OBoardTracker record;
    GamePosition position;
    MatchSettings settings;
    ApplySavedMatch(match, record, position, settings);
    while (record.Redo(position, true)) {
        ASSERT_TRUE(IsSoundBoard(position.board, match.size));
    }
    ScanBoard(position.board, position.boardSize);
}

TEST(MatchFileMutationTest, DamagedFilesNeverPassAsSoundMatches) {
    const std::vector<Bytes> seeds = Seeds();
    for (const Bytes& seed : seeds) {
        const MatchDecodeResult result = DecodeMatch(seed);
        ASSERT_TRUE(result.match) << static_cast<int>(result.problem);
    }
    std::mt19937 random(20240611);
    int accepted = 0;
    int refused = 0;
    for (int i = 0; i < 40000; ++i) {
        const Bytes bytes = Mutate(seeds[random() % seeds.size()], random);
        const MatchDecodeResult result = DecodeMatch(bytes);
        if (result.match) {
            ++accepted;
            ASSERT_EQ(result.problem, MatchProblem::None);
            ExpectUsable(*result.match, bytes);
            if (::testing::Test::HasFatalFailure()) {
                FAIL() << "case " << i;
            }
        } else {
            ++refused;
            ASSERT_NE(result.problem, MatchProblem::None) << "case " << i;
        }
    }
    // Both outcomes occur, so the damage is neither always fatal nor always harmless.
    EXPECT_GT(accepted, 100);
    EXPECT_GT(refused, 30000);
}

}  // namespace
}  // namespace velmora
