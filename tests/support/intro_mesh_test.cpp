#include <gtest/gtest.h>

#include <limits>

#include "intro_test_resources.h"
#include "support/intro_mesh.h"

namespace velmora {
namespace {

using intro_test::MeshObject;
using intro_test::PackMesh;

TEST(IntroMeshTest, CentresAndScalesIntoThreeUnitsAfterSquashingDepth) {
    // z is squashed to 8, 8, 16: extents 2, 4 and 8, so the scale is 8 / 6 and the centre
    // (2, 4, 12).
    const MeshObject object{{{1, 2, 10}, {3, 6, 10}, {2, 4, 20}}, {{0, 1, 2}}};
    const auto mesh = LoadIntroMesh(PackMesh({object}));
    ASSERT_TRUE(mesh.has_value());
    ASSERT_EQ(mesh->vertices.size(), 3u);
    EXPECT_FLOAT_EQ(mesh->vertices[0].x, 0.75f);
    EXPECT_FLOAT_EQ(mesh->vertices[0].y, 1.5f);
    EXPECT_FLOAT_EQ(mesh->vertices[0].z, 3.0f);
    EXPECT_FLOAT_EQ(mesh->vertices[1].x, -0.75f);
    EXPECT_FLOAT_EQ(mesh->vertices[1].y, -1.5f);
    EXPECT_FLOAT_EQ(mesh->vertices[2].z, -3.0f);
}

TEST(IntroMeshTest, ShadeFactorsComeFromTheEdgesBeforeScaling) {
    // Object 1: edges (2, 0, 0) and (0, 3, 0), cross product length 6.
    // Object 2: edges (0, 0, 4) after squashing and (0, 2, 0), length 8; its indices are
    // its own and move up by object 1's three vertices.
    const MeshObject first{{{0, 0, 0}, {2, 0, 0}, {2, 3, 0}}, {{0, 1, 2}}};
    const MeshObject second{{{9, 9, 9}, {0, 0, 0}, {0, 0, 5}, {0, 2, 5}}, {{1, 2, 3}, {1, 1, 1}}};
    const auto mesh = LoadIntroMesh(PackMesh({first, second}));
    ASSERT_TRUE(mesh.has_value());
    ASSERT_EQ(mesh->faces.size(), 3u);
    EXPECT_FLOAT_EQ(mesh->faces[0].shadeFactor, 2550.0f / 6);
    EXPECT_EQ(mesh->faces[1].vertex, (std::array<std::uint32_t, 3>{4, 5, 6}));
    EXPECT_FLOAT_EQ(mesh->faces[1].shadeFactor, 2550.0f / 8);
    // A degenerate face gets no shade instead of an infinite one.
    EXPECT_EQ(mesh->faces[2].shadeFactor, 0.0f);
}

TEST(IntroMeshTest, EmptyAndFlatMeshesLoad) {
    const auto empty = LoadIntroMesh(PackMesh({}));
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->vertices.empty());
    // All vertices in one point: the scale falls back to 1 and everything lands on 0.
    const auto point = LoadIntroMesh(PackMesh({MeshObject{{{4, 4, 4}, {4, 4, 4}}, {}}}));
    ASSERT_TRUE(point.has_value());
    EXPECT_EQ(point->vertices[1].x, 0.0f);
}

TEST(IntroMeshTest, RefusesMalformedData) {
    const MeshObject good{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};
    const std::vector<std::uint8_t> valid = PackMesh({good});
    ASSERT_TRUE(LoadIntroMesh(valid).has_value());

    // Every truncation of a valid mesh is refused.
    for (std::size_t size = 0; size < valid.size(); ++size) {
        EXPECT_FALSE(LoadIntroMesh(std::span(valid).first(size)).has_value()) << size;
    }
    // Totals that disagree with the objects, either way.
    EXPECT_FALSE(LoadIntroMesh(PackMesh({good}, 2u)).has_value());
    EXPECT_FALSE(LoadIntroMesh(PackMesh({good}, 4u)).has_value());
    EXPECT_FALSE(LoadIntroMesh(PackMesh({good}, {}, 0u)).has_value());
    EXPECT_FALSE(LoadIntroMesh(PackMesh({good}, {}, 2u)).has_value());
    // An index beyond its own object, even if within the whole mesh.
    const MeshObject stray{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 3}}};
    EXPECT_FALSE(LoadIntroMesh(PackMesh({stray, good})).has_value());
    // Coordinates that are not numbers.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(LoadIntroMesh(PackMesh({MeshObject{{{0, nan, 0}}, {}}})).has_value());
    EXPECT_FALSE(LoadIntroMesh(PackMesh({MeshObject{{{0, 0, inf}}, {}}})).has_value());
}

}  // namespace
}  // namespace velmora
