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
#include "support/packed_resource.h"

namespace velmora::lzh {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Expand(const Bytes& stream, std::size_t size) {
    Bytes out(size, 0xEE);
    Decoder decoder;
    decoder.Decode(stream, out);
    return out;
}

// Random bytes, or words from a small vocabulary: text-like data with many short and long matches.
Bytes Sample(std::size_t size, unsigned seed, bool words = false) {
    static const std::string kWords[] = {"board ", "disc ",  "flip ",  "corner ",
                                         "edge ",  "move\n", "white ", "black "};
    std::mt19937 random(seed);
    Bytes bytes;
    while (bytes.size() < size) {
        const std::string byte(1, static_cast<char>(random()));
        const std::string& piece = words ? kWords[random() % 8] : byte;
        bytes.insert(bytes.end(), piece.begin(), piece.end());
    }
    bytes.resize(size);
    return bytes;
}

TEST(LzhPositionCodeTest, DecodeTablesAreTheStandardOnes) {
    // Band starts and ends: (byte, upper part, prefix length).
    const int expected[][3] = {{0, 0, 3},    {31, 0, 3},   {32, 1, 4},   {48, 2, 4},   {79, 3, 4},
                               {80, 4, 5},   {143, 11, 5}, {144, 12, 6}, {191, 23, 6}, {192, 24, 7},
                               {239, 47, 7}, {240, 48, 8}, {255, 63, 8}};
    for (const auto& row : expected) {
        EXPECT_EQ(kPositionDecode.d_code[row[0]], row[1] << 6) << row[0];
        EXPECT_EQ(kPositionDecode.d_len[row[0]], row[2]) << row[0];
    }
}

// The tree must stay sorted by count with every inner node the sum of its children, including
// across the rebuild that halves the counts.
TEST(LzhTreeTest, StaysSortedAndConsistentAcrossRebuilds) {
    Tree tree;
    std::mt19937 random(3);
    auto check = [&](int updates) {
        for (int node = 0; node < T; ++node) {
            const int child = tree.son(node);
            ASSERT_LE(tree.freq(node), tree.freq(node + 1)) << node << " after " << updates;
            ASSERT_EQ(child >= T ? tree.LeafOf(child - T) : tree.parent(child), node);
            if (child < T) {
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

    // The rebuild halves counts rounding up: 32454 -> 16227, 2 -> 1, every other leaf stays 1.
    tree.StartHuff();
    for (int i = 0; i < MAX_FREQ - N_CHAR; ++i) {
        tree.Update(i == 0 ? 1 : 0);
    }
    EXPECT_EQ(tree.freq(R), MAX_FREQ);
    tree.Update(0);
    EXPECT_EQ(tree.freq(tree.LeafOf(0)), 16227 + 1);
    EXPECT_EQ(tree.freq(tree.LeafOf(1)), 1);
    EXPECT_EQ(tree.freq(tree.LeafOf(2)), 1);
    EXPECT_EQ(tree.freq(R), 16227 + 1 + (N_CHAR - 2) + 1);
}

TEST(LzhCodecTest, RoundTripsManySizesAndKinds) {
    EXPECT_TRUE(Encode({}).empty());
    const std::size_t sizes[] = {1,    2,    3,    59,   60,   61,    100,  4035,
                                 4036, 4037, 4095, 4096, 4097, 10000, 70001};
    for (const std::size_t size : sizes) {
        const auto seed = static_cast<unsigned>(size);
        const Bytes kinds[] = {Sample(size, seed), Bytes(size, 'a'), Bytes(size, ' '),
                               Bytes(size, 0), Sample(size, seed, true)};
        for (std::size_t kind = 0; kind < std::size(kinds); ++kind) {
            const Bytes stream = Encode(kinds[kind]);
            ASSERT_EQ(Expand(stream, size), kinds[kind]) << "size " << size << " kind " << kind;
            if (kind > 0 && size >= 4096) {
                EXPECT_LT(stream.size(), size / 3) << "size " << size << " kind " << kind;
            }
        }
    }
    // A random block repeated: the repeats can only come from exactly N bytes back.
    const Bytes block = Sample(N, 11);
    Bytes data;
    for (int i = 0; i < 3; ++i) {
        data.insert(data.end(), block.begin(), block.end());
    }
    const Bytes stream = Encode(data);
    EXPECT_LT(stream.size(), block.size() + block.size() / 4);
    EXPECT_EQ(Expand(stream, data.size()), data);
    // Leading spaces are copied out of the ring's initial spaces: 60 of them fit one match.
    EXPECT_LE(Encode(Bytes(60, ' ')).size(), 4u);
}

TEST(LzhCodecTest, HandWrittenStreamsFollowTheRingRules) {
    // A match one back copies the ring's initial spaces; one reaching N - 1 back finds its last
    // places, which start as zero and are not written yet.
    StreamWriter writer;
    writer.PutMatch(5, 0);
    writer.PutLiteral('x');
    writer.PutMatch(3, 100);
    writer.PutMatch(4, N - 1);
    const Bytes ring = {' ', ' ', ' ', ' ', ' ', 'x', ' ', ' ', ' ', 0, 0, 0, 0};
    EXPECT_EQ(Expand(writer.Finish(), ring.size()), ring);
    // The very first copy from N back starts at the place the first byte goes, still zero.
    writer.PutMatch(3, N - 1);
    EXPECT_EQ(Expand(writer.Finish(), 3), Bytes(3, 0));
}

TEST(LzhCodecTest, DecoderStopsAtTheSizeStartsAfreshAndSurvivesDamage) {
    Decoder decoder;
    EXPECT_EQ(decoder.Decode(Bytes{0xFF, 0xFF}, {}), 0u) << "size zero reads nothing";
    const Bytes soup = Sample(5000, 5, true);
    const Bytes soup_stream = Encode(soup);
    for (const std::size_t size : {std::size_t{1}, std::size_t{7}, std::size_t{4999}}) {
        Bytes out(size);
        decoder.Decode(soup_stream, out);
        EXPECT_TRUE(std::equal(out.begin(), out.end(), soup.begin())) << size;
    }
    const Bytes data = Sample(20000, 9);
    const Bytes stream = Encode(data);
    Bytes out(data.size());
    for (const Bytes* input : {&data, &soup, &data}) {  // each stream starts afresh
        out.resize(input->size());
        decoder.Decode(Encode(*input), out);
        EXPECT_EQ(out, *input);
    }

    // Cut short: what the remaining bits cover comes out right, the rest reads zero bits.
    const Bytes half(stream.begin(), stream.begin() + static_cast<long>(stream.size() / 2));
    EXPECT_GT(decoder.Decode(half, out), half.size());
    const auto mismatch = std::mismatch(out.begin(), out.end(), data.begin());
    EXPECT_GT(mismatch.first - out.begin(), static_cast<long>(data.size() / 3));

    // Noise and flipped bits, asked for a lot of output (the sanitizer build watches).
    for (unsigned seed = 0; seed < 20; ++seed) {
        Bytes big(60000);
        decoder.Decode(Sample(1 + seed * 97, seed), big);
        Bytes flipped = stream;
        flipped[flipped.size() / 3] ^= static_cast<std::uint8_t>(1 + seed);
        decoder.Decode(flipped, out);
    }
    Bytes from_nothing(1000, 0xEE);
    decoder.Decode({}, from_nothing);
    EXPECT_TRUE(std::none_of(from_nothing.begin(), from_nothing.end(),
                             [](std::uint8_t b) { return b == 0xEE; }));
}

TEST(PackedResourceTest, HeaderIsTheLittleEndianSizeAndDamagedHeadersAreRefused) {
    const Bytes data(0x010203, 'q');
    const Bytes packed = PackResource(data);
    ASSERT_GE(packed.size(), 4u);
    EXPECT_EQ(Bytes(packed.begin(), packed.begin() + 4), (Bytes{0x03, 0x02, 0x01, 0x00}));
    EXPECT_EQ(UnpackResource(packed), data);
    EXPECT_EQ(PackResource({}), Bytes(4, 0));
    EXPECT_EQ(UnpackResource(Bytes(4, 0)), Bytes{});
    // Two stream bytes can expand to 96 bytes at most.
    EXPECT_EQ(UnpackResource(Bytes{96, 0, 0, 0, 0xAB, 0xCD}).value_or(Bytes{}).size(), 96u);

    Bytes huge = PackResource(Bytes(100000, 0));
    huge[3] = 0x7F;
    const struct {
        const char* name;
        Bytes packed;
    } damaged[] = {{"empty", {}},
                   {"short header", {1, 0, 0}},
                   {"more than any resource may hold", huge},
                   {"more than the stream could expand to", {97, 0, 0, 0, 0xAB, 0xCD}},
                   {"far more", {0x00, 0x10, 0x00, 0x00, 0xAB, 0xCD}}};
    for (const auto& c : damaged) {
        EXPECT_FALSE(UnpackResource(c.packed).has_value()) << c.name;
    }
}

}  // namespace
}  // namespace velmora::lzh
