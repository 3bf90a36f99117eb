#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfenv>
#include <limits>
#include <random>
#include <string>

#include "intro_test_resources.h"
#include "support/intro_mesh.h"
#include "support/intro_object.h"
#include "support/intro_triangle.h"

namespace velmora {
namespace {

using intro_test::MeshObject;
using intro_test::PackMesh;
using testing::FloatEq;
using testing::Pointwise;
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

int DrawnPixels(const IntroLayers& layers) {
    return static_cast<int>(std::count_if(layers.depth.begin(), layers.depth.end(), [](float d) {
        return std::bit_cast<std::uint32_t>(d) != 0xFFFFFFFFu;
    }));
}

bool Untouched(const IntroLayers& layers) {
    return DrawnPixels(layers) == 0 &&
           layers.shade == std::vector<std::uint8_t>(layers.shade.size());
}

IntroLayers Cleared() {
    IntroLayers layers;
    layers.Clear();
    return layers;
}

// Picture row y is layer row 130 - y.
int ShadeAt(const IntroLayers& layers, int x, int y) {
    return layers.shade[(130 - y) * kIntroWidth + x];
}

TEST(IntroMeshTest, LoadsCentredAndScaledWithShadeFactorsFromTheRawEdges) {
    // z is squashed to 8, 8, 16: extents 2, 4 and 8, so the scale is 8 / 6 and the centre is
    // (2, 4, 12).
    const auto mesh = LoadIntroMesh(PackMesh({{{{1, 2, 10}, {3, 6, 10}, {2, 4, 20}}, {}}}));
    ASSERT_TRUE(mesh.has_value());
    ASSERT_EQ(mesh->vertices.size(), 3u);
    const float expected[][3] = {{0.75f, 1.5f, 3}, {-0.75f, -1.5f, 3}, {0, 0, -3}};
    for (int i = 0; i < 3; ++i) {
        const IntroVertex& v = mesh->vertices[i];
        EXPECT_THAT((std::array{v.x, v.y, v.z}), Pointwise(FloatEq(), expected[i])) << i;
    }
    // Edges (2, 0, 0) and (0, 3, 0): cross product length 6. Then (0, 0, 4) after squashing and
    // (0, 2, 0): length 8, the indices moving up by the first object's three vertices. A
    // degenerate face gets no shade instead of an infinite one.
    const MeshObject first{{{0, 0, 0}, {2, 0, 0}, {2, 3, 0}}, {{0, 1, 2}}};
    const MeshObject second{{{9, 9, 9}, {0, 0, 0}, {0, 0, 5}, {0, 2, 5}}, {{1, 2, 3}, {1, 1, 1}}};
    const auto faces = LoadIntroMesh(PackMesh({first, second})).value_or(IntroMesh{}).faces;
    ASSERT_EQ(faces.size(), 3u);
    EXPECT_FLOAT_EQ(faces[0].shadeFactor, 2550.0f / 6);
    EXPECT_EQ(faces[1].vertex, (std::array<std::uint32_t, 3>{4, 5, 6}));
    EXPECT_FLOAT_EQ(faces[1].shadeFactor, 2550.0f / 8);
    EXPECT_EQ(faces[2].shadeFactor, 0.0f);
    // No objects, or all vertices in one point (the scale falls back to 1).
    EXPECT_TRUE(LoadIntroMesh(PackMesh({})).value_or(IntroMesh{{{1, 1, 1}}, {}}).vertices.empty());
    const auto point = LoadIntroMesh(PackMesh({MeshObject{{{4, 4, 4}, {4, 4, 4}}, {}}}));
    ASSERT_TRUE(point.has_value());
    EXPECT_EQ(point->vertices[1].x, 0.0f);
}

TEST(IntroMeshTest, RefusesMalformedData) {
    const MeshObject good{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};
    const MeshObject stray{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 3}}};
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<std::uint8_t> valid = PackMesh({good});
    ASSERT_TRUE(LoadIntroMesh(valid).has_value());
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> bad = {
        {"vertex total too low", PackMesh({good}, 2u)},
        {"vertex total too high", PackMesh({good}, 4u)},
        {"face total too low", PackMesh({good}, {}, 0u)},
        {"face total too high", PackMesh({good}, {}, 2u)},
        {"index beyond its own object", PackMesh({stray, good})},
        {"not a number", PackMesh({MeshObject{{{0, nan, 0}}, {}}})},
        {"infinite", PackMesh({MeshObject{{{0, 0, static_cast<float>(kInf)}}, {}}})},
    };
    for (std::size_t size = 0; size < valid.size(); ++size) {
        bad.push_back({"cut to " + std::to_string(size), {valid.begin(), valid.begin() + size}});
    }
    for (const auto& [name, data] : bad) {
        EXPECT_FALSE(LoadIntroMesh(data).has_value()) << name;
    }
}

TEST(IntroTriangleTest, FillsRowsTopDownNearerSurfaceFirstAndStaysInsideTheLayers) {
    // The cleared depth lets every depth pass without a floating-point exception; against a real
    // depth the nearer (greater) one wins and a tie keeps what is there.
    std::feclearexcept(FE_ALL_EXCEPT);
    for (const double depth : {-1e30, -7.0, 0.0, kInf, -kInf}) {
        EXPECT_TRUE(IntroDepthPasses(kIntroClearDepth, static_cast<float>(depth))) << depth;
    }
    EXPECT_EQ(std::fetestexcept(FE_INVALID), 0);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(Cleared().depth[1234]), 0xFFFFFFFFu);
    EXPECT_TRUE(IntroDepthPasses(-6.0f, -5.0f));
    EXPECT_FALSE(IntroDepthPasses(-5.0f, -6.0f));
    EXPECT_FALSE(IntroDepthPasses(-5.0f, -5.0f));

    IntroLayers one = Cleared();
    FillIntroTriangle({100, 10, -5}, {140, 10, -5}, {100, 30, -5}, 77, one);
    // (x, y, shade): corners and middle in, then beyond the slanted edge and past each end.
    const int points[][3] = {{100, 10, 77}, {139, 10, 77}, {101, 29, 77}, {120, 20, 77},
                             {135, 25, 0},  {100, 9, 0},   {100, 31, 0},  {99, 20, 0}};
    for (const auto& [x, y, shade] : points) {
        EXPECT_EQ(ShadeAt(one, x, y), shade) << x << " " << y;
    }
    EXPECT_FLOAT_EQ(one.depth[(130 - 20) * kIntroWidth + 110], -5.0f);

    const IntroCorner nearAndFar[2][3] = {{{50, 20, -4}, {150, 20, -4}, {50, 80, -4}},
                                          {{60, 30, -9}, {160, 30, -9}, {60, 90, -9}}};
    for (const int first : {0, 1}) {
        IntroLayers layers = Cleared();
        for (const int k : {first, 1 - first}) {
            FillIntroTriangle(nearAndFar[k][0], nearAndFar[k][1], nearAndFar[k][2], 10 + 10 * k,
                              layers);
        }
        EXPECT_EQ(ShadeAt(layers, 70, 40), 10) << first;   // both cover it
        EXPECT_EQ(ShadeAt(layers, 150, 32), 20) << first;  // only the farther one
        EXPECT_EQ(ShadeAt(layers, 52, 22), 10) << first;   // only the nearer one
    }
    // Depth along a row and down the edges is linear.
    IntroLayers layers = Cleared();
    FillIntroTriangle({0, 10, -10}, {200, 10, -2}, {0, 110, -6}, 1, layers);
    EXPECT_NEAR(layers.depth[(130 - 10) * kIntroWidth + 100], -6.0f, 1e-4);
    EXPECT_NEAR(layers.depth[(130 - 60) * kIntroWidth + 0], -8.0f, 1e-4);

    // A triangle far larger than the picture covers all of it, and no more.
    layers = Cleared();
    FillIntroTriangle({-1e9, -1e9, -5}, {1e9, -1e9, -5}, {0, 1e9, -5}, 9, layers);
    EXPECT_EQ(DrawnPixels(layers), kIntroWidth * kIntroLayerHeight);

    // Picture rows 1 to 130 exist, row 0 and row 131 do not; flat triangles and corners that are
    // not numbers draw nothing.
    const IntroCorner drawNothing[][3] = {
        {{-10, 0, -5}, {500, 0, -5}, {-10, -40, -5}},
        {{-10, 131, -5}, {500, 131, -5}, {-10, 400, -5}},
        {{380, 40, -5}, {900, 40, -5}, {380, 90, -5}},
        {{10, 50.2, -5}, {300, 49.8, -5}, {150, 50.4, -5}},
        {{10, 10, -5}, {300, kNan, -5}, {150, 90, -5}},
        {{10, 10, -5}, {300, 20, -5}, {kInf, 90, -5}},
        {{10, 10, kNan}, {300, 20, -5}, {20, 90, -5}},
    };
    layers = Cleared();
    for (const auto& corners : drawNothing) {
        FillIntroTriangle(corners[0], corners[1], corners[2], 9, layers);
    }
    EXPECT_TRUE(Untouched(layers));
}

TEST(IntroObjectTest, FaceShadesWrapAndBackFacesAreCulled) {
    EXPECT_EQ(IntroFaceShade(0.5, 3.0f), 2);        // 1.5 rounds to even
    EXPECT_EQ(IntroFaceShade(0.5, 5.0f), 2);        // 2.5 too
    EXPECT_EQ(IntroFaceShade(0.01, 30100.0f), 45);  // 301 wraps to 45
    EXPECT_EQ(IntroFaceShade(1e30, 1e10f), 0);
    EXPECT_EQ(IntroFaceShade(kInf, 1.0f), 0);

    // Of the two windings at most one faces the viewer; the other draws nothing.
    const MeshObject clockwise{{{-2, -1, 0}, {2, -1, 0.5f}, {0, 2, 0}}, {{0, 1, 2}}};
    const IntroMesh front = *LoadIntroMesh(PackMesh({clockwise}));
    const IntroMesh back = *LoadIntroMesh(PackMesh({{clockwise.vertices, {{0, 2, 1}}}}));
    std::vector<IntroProjected> scratch;
    std::mt19937 random(21);
    int frontDrawn = 0, backDrawn = 0;
    for (int frame = 0; frame < 64; ++frame) {
        const IntroAngles angles{static_cast<int>(random()), static_cast<int>(random()),
                                 static_cast<int>(random())};
        IntroLayers a = Cleared(), b = Cleared();
        DrawIntroObject(front, angles, scratch, a);
        DrawIntroObject(back, angles, scratch, b);
        EXPECT_TRUE(Untouched(a) || Untouched(b)) << frame;
        frontDrawn += !Untouched(a);
        backDrawn += !Untouched(b);
    }
    EXPECT_GT(frontDrawn, 0);
    EXPECT_GT(backDrawn, 0);
}

}  // namespace
}  // namespace velmora
