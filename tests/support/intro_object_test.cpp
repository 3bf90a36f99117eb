#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfenv>
#include <limits>
#include <random>

#include "intro_test_resources.h"
#include "support/intro_mesh.h"
#include "support/intro_object.h"
#include "support/intro_triangle.h"

namespace velmora {
namespace {

using intro_test::MeshObject;
using intro_test::PackMesh;

int DrawnPixels(const IntroLayers& layers) {
    int drawn = 0;
    for (std::size_t i = 0; i < layers.depth.size(); ++i) {
        drawn += std::bit_cast<std::uint32_t>(layers.depth[i]) != 0xFFFFFFFFu;
    }
    return drawn;
}

bool Untouched(const IntroLayers& layers) {
    return DrawnPixels(layers) == 0 &&
           std::all_of(layers.shade.begin(), layers.shade.end(), [](int s) { return s == 0; });
}

IntroLayers Cleared() {
    IntroLayers layers;
    layers.Clear();
    return layers;
}

TEST(IntroDepthTest, ClearedDepthLetsEveryDepthPassWithoutFloatingPointExceptions) {
    const float depths[] = {-1e30f,
                            -7.0f,
                            0.0f,
                            3.5f,
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()};
    std::feclearexcept(FE_ALL_EXCEPT);
    for (const float depth : depths) {
        EXPECT_TRUE(IntroDepthPasses(kIntroClearDepth, depth)) << depth;
    }
    EXPECT_EQ(std::fetestexcept(FE_INVALID), 0);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(Cleared().depth[1234]), 0xFFFFFFFFu);
    // Against a real depth, the nearer (greater) one wins and a tie keeps what is there.
    EXPECT_TRUE(IntroDepthPasses(-6.0f, -5.0f));
    EXPECT_FALSE(IntroDepthPasses(-5.0f, -6.0f));
    EXPECT_FALSE(IntroDepthPasses(-5.0f, -5.0f));
}

TEST(IntroTriangleTest, FillsRowsFromTheTopDownIntoBottomUpLayerRows) {
    IntroLayers layers = Cleared();
    FillIntroTriangle({100, 10, -5}, {140, 10, -5}, {100, 30, -5}, 77, layers);
    // Picture row y is layer row 130 - y.
    const auto at = [&](int x, int y) { return layers.shade[(130 - y) * kIntroWidth + x]; };
    EXPECT_EQ(at(100, 10), 77);
    EXPECT_EQ(at(139, 10), 77);
    EXPECT_EQ(at(101, 29), 77);
    EXPECT_EQ(at(120, 20), 77);
    EXPECT_EQ(at(135, 25), 0);  // beyond the slanted edge
    EXPECT_EQ(at(100, 9), 0);
    EXPECT_EQ(at(100, 31), 0);
    EXPECT_EQ(at(99, 20), 0);
    EXPECT_FLOAT_EQ(layers.depth[(130 - 20) * kIntroWidth + 110], -5.0f);
}

TEST(IntroTriangleTest, InterpolatesDepthAndKeepsTheNearerSurfaceInEitherOrder) {
    for (const bool nearFirst : {true, false}) {
        IntroLayers layers = Cleared();
        const auto nearer = [&] {
            FillIntroTriangle({50, 20, -4}, {150, 20, -4}, {50, 80, -4}, 10, layers);
        };
        const auto farther = [&] {
            FillIntroTriangle({60, 30, -9}, {160, 30, -9}, {60, 90, -9}, 20, layers);
        };
        if (nearFirst) {
            nearer();
            farther();
        } else {
            farther();
            nearer();
        }
        const auto at = [&](int x, int y) { return layers.shade[(130 - y) * kIntroWidth + x]; };
        EXPECT_EQ(at(70, 40), 10) << nearFirst;   // both cover it
        EXPECT_EQ(at(150, 32), 20) << nearFirst;  // only the farther one
        EXPECT_EQ(at(52, 22), 10) << nearFirst;   // only the nearer one
    }
    // Depth along a row and down the edges is linear.
    IntroLayers layers = Cleared();
    FillIntroTriangle({0, 10, -10}, {200, 10, -2}, {0, 110, -6}, 1, layers);
    EXPECT_NEAR(layers.depth[(130 - 10) * kIntroWidth + 100], -6.0f, 1e-4);
    EXPECT_NEAR(layers.depth[(130 - 60) * kIntroWidth + 0], -8.0f, 1e-4);
}

TEST(IntroTriangleTest, StaysInsideTheLayersWhateverTheCorners) {
    // A triangle far larger than the picture covers all of it, and no more.
    IntroLayers layers = Cleared();
    FillIntroTriangle({-1e9, -1e9, -5}, {1e9, -1e9, -5}, {0, 1e9, -5}, 9, layers);
    EXPECT_EQ(DrawnPixels(layers), kIntroWidth * kIntroLayerHeight);

    // Picture rows 1 to 130 exist; row 0 and row 131 do not.
    layers = Cleared();
    FillIntroTriangle({-10, 0, -5}, {500, 0, -5}, {-10, -40, -5}, 9, layers);
    FillIntroTriangle({-10, 131, -5}, {500, 131, -5}, {-10, 400, -5}, 9, layers);
    FillIntroTriangle({380, 40, -5}, {900, 40, -5}, {380, 90, -5}, 9, layers);
    EXPECT_TRUE(Untouched(layers));

    // Flat triangles and corners that are not numbers draw nothing.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    FillIntroTriangle({10, 50.2, -5}, {300, 49.8, -5}, {150, 50.4, -5}, 9, layers);
    FillIntroTriangle({10, 10, -5}, {300, nan, -5}, {150, 90, -5}, 9, layers);
    FillIntroTriangle({10, 10, -5}, {300, 20, -5}, {inf, 90, -5}, 9, layers);
    FillIntroTriangle({10, 10, nan}, {300, 20, -5}, {20, 90, -5}, 9, layers);
    EXPECT_TRUE(Untouched(layers));
}

TEST(IntroObjectTest, FaceShadeIsTheLowByteOfTheRoundedProduct) {
    EXPECT_EQ(IntroFaceShade(0.5, 3.0f), 2);        // 1.5 rounds to even
    EXPECT_EQ(IntroFaceShade(0.5, 5.0f), 2);        // 2.5 too
    EXPECT_EQ(IntroFaceShade(0.01, 30100.0f), 45);  // 301 wraps to 45
    EXPECT_EQ(IntroFaceShade(1e30, 1e10f), 0);
    EXPECT_EQ(IntroFaceShade(std::numeric_limits<double>::infinity(), 1.0f), 0);
}

TEST(IntroObjectTest, CulledFaceLeavesTheLayersUntouched) {
    const MeshObject clockwise{{{-2, -1, 0}, {2, -1, 0.5f}, {0, 2, 0}}, {{0, 1, 2}}};
    const MeshObject anticlockwise{{{-2, -1, 0}, {2, -1, 0.5f}, {0, 2, 0}}, {{0, 2, 1}}};
    const IntroMesh front = *LoadIntroMesh(PackMesh({clockwise}));
    const IntroMesh back = *LoadIntroMesh(PackMesh({anticlockwise}));
    std::vector<IntroProjected> scratch;
    std::mt19937 random(21);
    int frontDrawn = 0, backDrawn = 0;
    for (int frame = 0; frame < 64; ++frame) {
        const IntroAngles angles{static_cast<int>(random() % 2048),
                                 static_cast<int>(random() % 2048),
                                 static_cast<int>(random() % 2048)};
        IntroLayers a = Cleared(), b = Cleared();
        DrawIntroObject(front, angles, scratch, a);
        DrawIntroObject(back, angles, scratch, b);
        // Of the two windings at most one faces the viewer; the other draws nothing.
        EXPECT_TRUE(Untouched(a) || Untouched(b)) << frame;
        frontDrawn += !Untouched(a);
        backDrawn += !Untouched(b);
    }
    EXPECT_GT(frontDrawn, 0);
    EXPECT_GT(backDrawn, 0);
}

TEST(IntroObjectTest, ManyFramesOverRandomAnglesStayInsideTheLayers) {
    // Two tori that overflow the picture at most angles; the sanitizer build runs this.
    const IntroMesh mesh =
        *LoadIntroMesh(PackMesh({intro_test::Torus(24, 12), intro_test::Torus(10, 6, 4)}));
    std::vector<IntroProjected> scratch;
    std::mt19937 random(99);
    IntroLayers layers;
    int framesWithObject = 0;
    for (int frame = 0; frame < 200; ++frame) {
        layers.Clear();
        const IntroAngles angles{static_cast<int>(random()), static_cast<int>(random()),
                                 static_cast<int>(random())};
        DrawIntroObject(mesh, angles, scratch, layers);
        framesWithObject += DrawnPixels(layers) > 0;
        // Every tinted pixel carries the depth of the face that tinted it.
        for (std::size_t i = 0; i < layers.shade.size(); ++i) {
            if (layers.shade[i] != 0) {
                ASSERT_FALSE(std::isnan(layers.depth[i])) << frame << " " << i;
                ASSERT_LT(layers.depth[i], 0.0f);
            }
        }
    }
    EXPECT_GT(framesWithObject, 160);
}

}  // namespace
}  // namespace velmora
