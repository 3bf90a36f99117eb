#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/lzh_constants.h"
#include "support/lzh_decoder.h"
#include "support/lzh_encoder.h"
#include "support/lzh_position_code.h"
#include "support/lzh_tree.h"

namespace velmora::lzh {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Expand(const Bytes& stream, std::size_t size) {
    Bytes out(size, 0xEE);
    Decoder decoder;
    decoder.Decode(stream, out);
    return out;
}

Bytes RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

// Words from a small vocabulary: text-like data with many short and long matches.
Bytes WordSoup(std::size_t size, unsigned seed) {
    static const char* const kWords[] = {"board ", "disc ",  "flip ",  "corner ",
                                         "edge ",  "move\n", "white ", "black "};
    std::mt19937 random(seed);
    Bytes bytes;
    while (bytes.size() < size) {
        const std::string word = kWords[random() % 8];
        bytes.insert(bytes.end(), word.begin(), word.end());
    }
    bytes.resize(size);
    return bytes;
}

TEST(LzhPositionCodeTest, DecodeTablesAreTheStandardOnes) {
    const auto& t = kPositionDecode;
    // Band starts and ends: (byte, upper part, prefix length).
    const int expected[][3] = {{0, 0, 3},    {31, 0, 3},   {32, 1, 4},   {48, 2, 4},   {79, 3, 4},
                               {80, 4, 5},   {143, 11, 5}, {144, 12, 6}, {191, 23, 6}, {192, 24, 7},
                               {239, 47, 7}, {240, 48, 8}, {255, 63, 8}};
    for (const auto& row : expected) {
        EXPECT_EQ(t.d_code[row[0]], row[1] << 6) << row[0];
        EXPECT_EQ(t.d_len[row[0]], row[2]) << row[0];
    }
    for (int b = 1; b < 256; ++b) {
        EXPECT_GE(t.d_code[b], t.d_code[b - 1]);
        EXPECT_GE(t.d_len[b], t.d_len[b - 1]);
    }
}

TEST(LzhPositionCodeTest, EveryPositionSurvivesAMatchAtItsDistance) {
    // A match `position` + 1 back copies a marker placed that far back in the stream.
    std::vector<int> positions = {N - 1};
    for (int position = 0; position < N; position += 37) {
        positions.push_back(position);
    }
    for (const int position : positions) {
        StreamWriter writer;
        Bytes expected;
        writer.PutLiteral('<');
        expected.push_back('<');
        for (int i = 0; i < position; ++i) {
            writer.PutLiteral(static_cast<std::uint8_t>(i * 7));
            expected.push_back(static_cast<std::uint8_t>(i * 7));
        }
        writer.PutMatch(3, position);
        for (int k = 0; k < 3; ++k) {  // byte by byte: the copy may overlap itself
            expected.push_back(expected[expected.size() - position - 1]);
        }
        EXPECT_EQ(Expand(writer.Finish(), expected.size()), expected) << position;
    }
}

// The tree must stay sorted by count with every inner node the sum of its children,
// including across the rebuild that halves the counts.
TEST(LzhTreeTest, StaysSortedAndConsistentAcrossRebuilds) {
    Tree tree;
    std::mt19937 random(3);
    auto check = [&](int updates) {
        for (int node = 0; node < T - 1; ++node) {
            ASSERT_LE(tree.freq(node), tree.freq(node + 1)) << node << " after " << updates;
        }
        for (int node = 0; node < T; ++node) {
            const int child = tree.son(node);
            if (child >= T) {
                ASSERT_EQ(tree.LeafOf(child - T), node);
            } else {
                ASSERT_EQ(tree.parent(child), node);
                ASSERT_EQ(tree.parent(child + 1), node);
                ASSERT_EQ(tree.freq(node), tree.freq(child) + tree.freq(child + 1));
            }
        }
    };
    check(0);
    EXPECT_EQ(tree.freq(R), N_CHAR);
    int updates = 0;
    for (; tree.freq(R) < MAX_FREQ; ++updates) {
        // Skewed so the tree gets deep and reorders a lot.
        tree.Update(static_cast<int>(random() % (1 + random() % N_CHAR)));
    }
    EXPECT_EQ(updates, MAX_FREQ - N_CHAR);
    check(updates);
    for (int i = 0; i < 3 * MAX_FREQ; ++i, ++updates) {
        tree.Update(static_cast<int>(random() % N_CHAR));
        if (tree.freq(R) == MAX_FREQ || i % 4099 == 0) {
            check(updates);
        }
    }
    EXPECT_LT(tree.freq(R), MAX_FREQ + 1);
}

TEST(LzhTreeTest, RebuildHalvesCountsRoundingUp) {
    Tree tree;
    const int before_rebuild = MAX_FREQ - N_CHAR;
    for (int i = 0; i < before_rebuild; ++i) {
        tree.Update(0);
    }
    EXPECT_EQ(tree.freq(R), MAX_FREQ);
    EXPECT_EQ(tree.freq(tree.LeafOf(0)), before_rebuild + 1);
    tree.Update(0);  // rebuilds first: 32455 -> 16228, every other leaf stays 1
    EXPECT_EQ(tree.freq(tree.LeafOf(0)), 16228 + 1);
    EXPECT_EQ(tree.freq(tree.LeafOf(1)), 1);
    EXPECT_EQ(tree.freq(R), 16228 + (N_CHAR - 1) + 1);
}

TEST(LzhCodecTest, RoundTripsManySizesAndKinds) {
    const std::size_t sizes[] = {1,    2,    3,    59,   60,   61,    100,  4035,
                                 4036, 4037, 4095, 4096, 4097, 10000, 70001};
    for (const std::size_t size : sizes) {
        const Bytes kinds[] = {RandomBytes(size, static_cast<unsigned>(size)), Bytes(size, 'a'),
                               Bytes(size, ' '), Bytes(size, 0),
                               WordSoup(size, static_cast<unsigned>(size))};
        for (std::size_t kind = 0; kind < std::size(kinds); ++kind) {
            const Bytes stream = Encode(kinds[kind]);
            ASSERT_EQ(Expand(stream, size), kinds[kind]) << "size " << size << " kind " << kind;
            if (kind > 0 && size >= 4096) {
                EXPECT_LT(stream.size(), size / 3) << "size " << size << " kind " << kind;
            }
        }
    }
}

TEST(LzhCodecTest, SizeZeroWritesAndReadsNothing) {
    EXPECT_TRUE(Encode({}).empty());
    Decoder decoder;
    const Bytes input = {0xFF, 0xFF};
    EXPECT_EQ(decoder.Decode(input, {}), 0u);
}

TEST(LzhCodecTest, MatchesReachIntoTheInitialRing) {
    // Leading spaces are copied out of the ring's initial spaces: 60 of them fit one match.
    const Bytes spaces(60, ' ');
    EXPECT_LE(Encode(spaces).size(), 4u);
    EXPECT_EQ(Expand(Encode(spaces), 60), spaces);

    // By hand: a match one back copies spaces; one reaching N - 1 back finds the ring's last
    // places, which start as zero and are not written yet.
    StreamWriter writer;
    writer.PutMatch(5, 0);
    writer.PutLiteral('x');
    writer.PutMatch(3, 100);
    writer.PutMatch(4, N - 1);
    const Bytes expected = {' ', ' ', ' ', ' ', ' ', 'x', ' ', ' ', ' ', 0, 0, 0, 0};
    EXPECT_EQ(Expand(writer.Finish(), expected.size()), expected);
}

TEST(LzhCodecTest, MatchesReachAWholeRingBack) {
    // A random block repeated: the repeats can only come from exactly N bytes back.
    const Bytes block = RandomBytes(N, 11);
    Bytes data;
    for (int i = 0; i < 3; ++i) {
        data.insert(data.end(), block.begin(), block.end());
    }
    const Bytes stream = Encode(data);
    EXPECT_LT(stream.size(), block.size() + block.size() / 4);
    EXPECT_EQ(Expand(stream, data.size()), data);
}

TEST(LzhCodecTest, OverlappingMatchRepeatsWhatItJustWrote) {
    StreamWriter writer;
    writer.PutLiteral('a');
    writer.PutLiteral('b');
    writer.PutMatch(F, 1);  // two back, sixty long
    Bytes expected;
    for (int i = 0; i < 31; ++i) {
        expected.push_back('a');
        expected.push_back('b');
    }
    EXPECT_EQ(Expand(writer.Finish(), expected.size()), expected);
}

TEST(LzhCodecTest, OutputStopsAtTheRequestedSize) {
    const Bytes data = WordSoup(5000, 5);
    const Bytes stream = Encode(data);
    for (const std::size_t size : {std::size_t{1}, std::size_t{7}, std::size_t{4999}}) {
        const Bytes out = Expand(stream, size);
        EXPECT_TRUE(std::equal(out.begin(), out.end(), data.begin())) << size;
    }
}

TEST(LzhCodecTest, DecoderStartsAfreshForEachStream) {
    Decoder decoder;
    const Bytes first = RandomBytes(3000, 1);
    const Bytes second = WordSoup(3000, 2);
    for (const Bytes* data : {&first, &second, &first}) {
        Bytes out(data->size());
        decoder.Decode(Encode(*data), out);
        EXPECT_EQ(out, *data);
    }
}

TEST(LzhCodecTest, DamagedStreamsDecodeSafely) {
    const Bytes data = RandomBytes(20000, 9);
    const Bytes stream = Encode(data);
    Decoder decoder;

    // Cut short: what the remaining bits cover comes out right, the rest reads zero bits.
    const Bytes half(stream.begin(), stream.begin() + static_cast<long>(stream.size() / 2));
    Bytes out(data.size());
    EXPECT_GT(decoder.Decode(half, out), half.size());
    const auto mismatch = std::mismatch(out.begin(), out.end(), data.begin());
    EXPECT_GT(mismatch.first - out.begin(), static_cast<long>(data.size() / 3));

    // Noise and an empty stream, asked for a lot of output.
    for (unsigned seed = 0; seed < 20; ++seed) {
        const Bytes noise = RandomBytes(1 + seed * 97, seed);
        Bytes big(60000);
        decoder.Decode(noise, big);
        Bytes flipped = stream;
        flipped[flipped.size() / 3] ^= static_cast<std::uint8_t>(1 + seed);
        decoder.Decode(flipped, out);
    }
    Bytes from_nothing(1000, 0xEE);
    decoder.Decode({}, from_nothing);
    EXPECT_TRUE(std::none_of(from_nothing.begin(), from_nothing.end(),
                             [](std::uint8_t b) { return b == 0xEE; }));
}

}  // namespace
}  // namespace velmora::lzh
