// The about-box intro's resources: packed sizes, the font strip's glyphs, the front
// pictures' clear bands, the texture and the mesh.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "asset_files.h"
#include "support/intro_glyphs.h"
#include "support/intro_mesh.h"
#include "support/intro_object.h"
#include "support/intro_sizes.h"
#include "support/intro_text.h"
#include "support/packed_resource.h"

namespace velmora::test {
namespace {

std::vector<std::uint8_t> Unpacked(const char* name) {
    auto packed = ReadBytes(SourcePath(std::string("resources/intro/") + name));
    auto data = UnpackResource(packed);
    return data ? *data : std::vector<std::uint8_t>{};
}

// Each packed resource declares its unpacked size in its first four bytes and is compressed;
// the tests below unpack each to the size it must have.
TEST(IntroResources, EachPackedResourceDeclaresItsSizeAndIsCompressed) {
    for (const auto& [name, size] : std::map<std::string, size_t>{{"INTRO_FONTIM", 56400},
                                                                  {"INTRO_FRONTIM_RUS", 98800},
                                                                  {"INTRO_FRONTIM_ENG", 98800},
                                                                  {"INTRO_BACKFONE", 66560}}) {
        auto packed = ReadBytes(SourcePath("resources/intro/" + name));
        ASSERT_GE(packed.size(), 4u) << name;
        EXPECT_EQ(packed[0] | (packed[1] << 8) | (packed[2] << 16) | (packed[3] << 24), size);
        EXPECT_LT(packed.size(), size) << name << " is not compressed";
    }
    EXPECT_NE(Unpacked("INTRO_FRONTIM_RUS"), Unpacked("INTRO_FRONTIM_ENG"));
}

// Ink rows (0 = bottom row of the strip) and inked columns of one glyph; the 254 bridges
// the strip uses to join a glyph's parts are not ink to the eye.
struct Ink {
    int lowest = 99, highest = -1, columns = 0;
};

Ink InkOf(const std::vector<std::uint8_t>& font, const IntroGlyph& g) {
    Ink ink;
    for (int x = g.start; x < g.end; ++x) {
        bool any = false;
        for (int row = 0; row < kIntroFontRows; ++row)
            if (font[static_cast<size_t>(row) * kIntroFontColumns + x] < 128) {
                ink.lowest = std::min(ink.lowest, row);
                ink.highest = std::max(ink.highest, row);
                any = true;
            }
        ink.columns += any;
    }
    return ink;
}

class FontStrip : public ::testing::Test {
  protected:
    void SetUp() override {
        font_ = Unpacked("INTRO_FONTIM");
        ASSERT_EQ(font_.size(), 56400u);
        glyphs_ = FindIntroGlyphs(font_);
    }
    Ink Of(char32_t c) {
        auto p = kIntroCharacterSet.find(c);
        EXPECT_NE(p, std::u32string_view::npos);
        return InkOf(font_, glyphs_[p]);
    }
    std::vector<std::uint8_t> font_;
    IntroGlyphTable glyphs_;
};

TEST_F(FontStrip, HoldsOneHundredFortyEightGlyphsAfterTheBlank) {
    ASSERT_EQ(kIntroCharacterSet.size(), 148u);
    for (int x = 0; x < kIntroBlankGlyph.width; ++x)
        for (int row = 0; row < kIntroFontRows; ++row)
            EXPECT_EQ(font_[static_cast<size_t>(row) * kIntroFontColumns + x], 255)
                << "the space is not blank";
    for (int i = 1; i < kIntroGlyphCount; ++i) {
        EXPECT_GT(glyphs_[i].start, glyphs_[i - 1].end) << "glyph " << i;
        EXPECT_GT(glyphs_[i].width, 2) << "glyph " << i << " missing";
        EXPECT_GT(InkOf(font_, glyphs_[i]).columns, 0) << "glyph " << i << " has no visible ink";
    }
    EXPECT_LT(glyphs_[kIntroGlyphCount - 1].end, kIntroFontColumns);
}

TEST_F(FontStrip, EachGlyphHasTheShapeOfItsCharacter) {
    const Ink a = Of(U'а'), dot = Of(U'.'), quote = Of(U'"');
    const int baseline = a.lowest;
    // Marks sit where they belong: the full stop on the line, the quote high above it.
    EXPECT_LE(dot.highest, baseline + 4);
    EXPECT_GT(quote.lowest, baseline + 5);
    // Descenders go below the line, the breve and diaeresis above the capitals.
    for (char32_t c : {U'у', U'р', U'д', U'ц', U'q', U'y', U'p'})
        EXPECT_LT(Of(c).lowest, baseline) << int(c);
    EXPECT_GT(Of(U'Й').highest, Of(U'И').highest);
    EXPECT_GT(Of(U'Ё').highest, Of(U'Е').highest);
    EXPECT_GT(Of(U'Ш').highest, a.highest);  // capitals are taller than small letters
    // Widths: narrow strokes against wide letters.
    EXPECT_LT(dot.columns * 3, Of(U'Ш').columns);
    EXPECT_LT(Of(U'1').columns, Of(U'0').columns + 1);
    EXPECT_LT(Of(U'i').columns, Of(U'm').columns);
    EXPECT_LT(Of(U'г').columns, Of(U'ж').columns);
}

class FrontImage : public ::testing::TestWithParam<const char*> {};

TEST_P(FrontImage, LeavesTheScrollerRowsAndTheObjectBandClear) {
    auto front = Unpacked(GetParam());
    ASSERT_EQ(front.size(), 98800u);
    auto at = [&](int x, int rowFromBottom) {
        return front[static_cast<size_t>(rowFromBottom) * kIntroWidth + x];
    };
    for (int row = 0; row <= 27; ++row)
        for (int x = 0; x < kIntroWidth; ++x)
            ASSERT_EQ(at(x, row), 255) << "ink on scroller row " << row;
    // The object's band, rows 95 to 224, may only be crossed by the frame at its sides.
    for (int row = 95; row <= 224; ++row)
        for (int x = 16; x < kIntroWidth - 16; ++x)
            ASSERT_EQ(at(x, row), 255) << "ink over the object at " << x;
    int titleInk = 0;
    for (int row = 225; row < kIntroHeight; ++row)
        for (int x = 16; x < kIntroWidth - 16; ++x)
            titleInk += at(x, row) < 128;
    EXPECT_GT(titleInk, 500) << "no title above the band";
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, FrontImage,
                         ::testing::Values("INTRO_FRONTIM_RUS", "INTRO_FRONTIM_ENG"));

TEST(IntroResources, BackgroundIsAPalettedTextureThatTiles) {
    auto t = Unpacked("INTRO_BACKFONE");
    ASSERT_EQ(t.size(), 66560u);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(t[i * 4 + 3], 0) << "palette entry " << i;
    auto colour = [&](int u, int v) {
        const std::uint8_t* p = &t[t[kIntroPaletteBytes + u * 256 + v] * 4];
        return std::array<int, 3>{p[0], p[1], p[2]};
    };
    auto diff = [](std::array<int, 3> a, std::array<int, 3> b) {
        return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
    };
    std::set<int> used(t.begin() + kIntroPaletteBytes, t.end());
    EXPECT_GT(used.size(), 32u);
    // Across the wrap the texture changes no more than across its sharpest seam inside.
    double seamU = 0, seamV = 0, wrapU = 0, wrapV = 0;
    for (int b = 0; b < 255; ++b) {
        double lineU = 0, lineV = 0;
        for (int a = 0; a < 256; ++a) {
            lineU += diff(colour(b, a), colour(b + 1, a));
            lineV += diff(colour(a, b), colour(a, b + 1));
        }
        seamU = std::max(seamU, lineU);
        seamV = std::max(seamV, lineV);
    }
    for (int a = 0; a < 256; ++a) {
        wrapU += diff(colour(255, a), colour(0, a));
        wrapV += diff(colour(a, 255), colour(a, 0));
    }
    EXPECT_LE(wrapU, seamU * 1.05);
    EXPECT_LE(wrapV, seamV * 1.05);
}

TEST(IntroMesh, ParsesWithTheProgramsCountsAndEveryPartIsClosed) {
    auto m = ReadBytes(SourcePath("resources/intro/INTRO_3DMESH"));
    auto mesh = LoadIntroMesh(m);
    ASSERT_TRUE(mesh) << "the intro refuses the mesh";
    EXPECT_EQ(m[0], '3');
    EXPECT_EQ(m[1], 'D');
    EXPECT_EQ(m[4] | (m[5] << 8), 12);
    EXPECT_EQ(mesh->vertices.size(), 572u);
    EXPECT_EQ(mesh->faces.size(), 1108u);
    // Closed and consistently wound: every edge is used once in each direction.
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> edges;
    for (const IntroFace& f : mesh->faces)
        for (int k = 0; k < 3; ++k)
            ++edges[{f.vertex[k], f.vertex[(k + 1) % 3]}];
    for (const auto& [edge, count] : edges) {
        EXPECT_EQ(count, 1);
        EXPECT_EQ(edges.count({edge.second, edge.first}), 1u);
    }
}

// At the intro's first tilt and every sixteenth step of the spin, the projected mesh stays in
// the 380 x 130 band (300 pixels a unit, centred), and no face's shade passes 255, where it
// would wrap to a dark one.
TEST(IntroMesh, StaysInItsBandAndItsShadingNeverWrapsAsItSpins) {
    auto mesh = LoadIntroMesh(ReadBytes(SourcePath("resources/intro/INTRO_3DMESH")));
    ASSERT_TRUE(mesh);
    std::vector<IntroProjected> p;
    IntroLayers layers;
    int drawn = 0;
    for (int spin = 0; spin < 2048; spin += 16) {
        DrawIntroObject(*mesh, {1536, 40, spin}, p, layers);
        for (const IntroProjected& v : p) {
            ASSERT_GE(v.y * 300 + 65.5, 0.0) << "above the band at spin " << spin;
            ASSERT_LE(v.y * 300 + 65.5, 130.0) << "below the band at spin " << spin;
            ASSERT_LE(std::fabs(v.x * 300), 190.0) << "beside the picture at spin " << spin;
        }
        for (const IntroFace& f : mesh->faces) {
            const IntroProjected &p0 = p[f.vertex[0]], &p1 = p[f.vertex[1]], &p2 = p[f.vertex[2]];
            const double area = (double{p2.x} - p0.x) * (double{p1.y} - p0.y) -
                                (double{p1.x} - p0.x) * (double{p2.y} - p0.y);
            if (area > 0) {
                ++drawn;
                EXPECT_LT(std::nearbyint(area * f.shadeFactor), 256.0) << "at spin " << spin;
            }
        }
    }
    EXPECT_GT(drawn, 0);
}

}  // namespace
}  // namespace velmora::test
