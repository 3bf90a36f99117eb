#include <gtest/gtest.h>

#include <vector>

#include "support/packed_resource.h"

namespace velmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(PackedResourceTest, HeaderIsTheLittleEndianSize) {
    const Bytes data(0x010203, 'q');
    const Bytes packed = PackResource(data);
    ASSERT_GE(packed.size(), 4u);
    EXPECT_EQ(packed[0], 0x03);
    EXPECT_EQ(packed[1], 0x02);
    EXPECT_EQ(packed[2], 0x01);
    EXPECT_EQ(packed[3], 0x00);
    const auto unpacked = UnpackResource(packed);
    ASSERT_TRUE(unpacked.has_value());
    EXPECT_EQ(*unpacked, data);

    const Bytes empty = PackResource({});
    EXPECT_EQ(empty, Bytes(4, 0));
    const auto nothing = UnpackResource(empty);
    ASSERT_TRUE(nothing.has_value());
    EXPECT_TRUE(nothing->empty());
}

TEST(PackedResourceTest, DamagedHeadersAreRefused) {
    EXPECT_FALSE(UnpackResource(Bytes{}).has_value());
    EXPECT_FALSE(UnpackResource(Bytes{1, 0, 0}).has_value());
    // More than any resource may hold.
    Bytes huge = PackResource(Bytes(100000, 0));
    huge[3] = 0x7F;
    EXPECT_FALSE(UnpackResource(huge).has_value());
    // More than so short a stream could ever expand to.
    Bytes greedy = {0x00, 0x10, 0x00, 0x00, 0xAB, 0xCD};
    EXPECT_FALSE(UnpackResource(greedy).has_value());
    greedy[1] = 0x00;
    greedy[0] = 96;  // two stream bytes can hold this many
    const auto ok = UnpackResource(greedy);
    ASSERT_TRUE(ok.has_value());
    EXPECT_EQ(ok->size(), 96u);
}

}  // namespace
}  // namespace velmora
