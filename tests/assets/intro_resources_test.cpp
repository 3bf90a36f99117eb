// The about-box intro's resources: packed sizes, the font strip's glyphs, the front
// pictures' clear bands, the texture and the mesh.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <set>

#include "asset_files.h"
#include "support/intro_glyphs.h"
#include "support/intro_mesh.h"
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

TEST(IntroResources, EachPackedResourceUnpacksToItsDeclaredSize) {
    const std::map<const char*, size_t> sizes = {{"INTRO_FONTIM", 56400},
                                                 {"INTRO_FRONTIM_RUS", 98800},
                                                 {"INTRO_FRONTIM_ENG", 98800},
                                                 {"INTRO_BACKFONE", 66560}};
    for (const auto& [name, size] : sizes) {
        auto packed = ReadBytes(SourcePath(std::string("resources/intro/") + name));
        ASSERT_GE(packed.size(), 4u) << name;
        const std::uint32_t declared =
            packed[0] | (packed[1] << 8) | (packed[2] << 16) | (packed[3] << 24);
        EXPECT_EQ(declared, size) << name;
        EXPECT_LT(packed.size(), size) << name << " is not compressed";
        EXPECT_EQ(Unpacked(name).size(), size) << name;
    }
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
        ASSERT_EQ(font_.size(), static_cast<size_t>(kIntroFontBytes));
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
    ASSERT_EQ(front.size(), static_cast<size_t>(kIntroFrontBytes));
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

TEST(IntroResources, FrontPicturesDifferByLanguage) {
    EXPECT_NE(Unpacked("INTRO_FRONTIM_RUS"), Unpacked("INTRO_FRONTIM_ENG"));
}

TEST(IntroResources, BackgroundIsAPalettedTextureThatTiles) {
    auto t = Unpacked("INTRO_BACKFONE");
    ASSERT_EQ(t.size(), static_cast<size_t>(kIntroTextureBytes));
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

struct Part {
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<int, 3>> faces;
};

std::vector<Part> Parts(const std::vector<std::uint8_t>& m) {
    auto u16 = [&](size_t at) { return m[at] | (m[at + 1] << 8); };
    auto f32 = [&](size_t at) {
        std::uint32_t bits =
            m[at] | (m[at + 1] << 8) | (m[at + 2] << 16) | (std::uint32_t{m[at + 3]} << 24);
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    };
    std::vector<Part> parts;
    size_t at = 22;
    for (int o = 0; o < u16(4); ++o) {
        Part p;
        int v = u16(at), c = u16(at + 2);
        at += 4;
        for (int i = 0; i < v; ++i, at += 12)
            p.vertices.push_back({f32(at), f32(at + 4), f32(at + 8)});
        for (int i = 0; i < c; ++i, at += 6)
            p.faces.push_back({u16(at), u16(at + 2), u16(at + 4)});
        parts.push_back(p);
    }
    return parts;
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
    for (const Part& p : Parts(m)) {
        std::map<std::pair<int, int>, int> edges;
        for (const auto& f : p.faces)
            for (int k = 0; k < 3; ++k)
                ++edges[{f[k], f[(k + 1) % 3]}];
        for (const auto& [edge, count] : edges) {
            EXPECT_EQ(count, 1);
            EXPECT_EQ(edges.count({edge.second, edge.first}), 1u);
        }
    }
}

TEST(IntroMesh, StaysInItsBandAndItsShadingNeverWrapsAsItSpins) {
    auto mesh = LoadIntroMesh(ReadBytes(SourcePath("resources/intro/INTRO_3DMESH")));
    ASSERT_TRUE(mesh);
    // The intro's first tilt, and every sixteenth step of the spin.
    const double t1 = 1536 * M_PI / 1024, t2 = 40 * M_PI / 1024;
    const double c1 = std::cos(t1), s1 = std::sin(t1), c2 = std::cos(t2), s2 = std::sin(t2);
    int drawn = 0;
    for (int spin = 0; spin < 2048; spin += 16) {
        const double c3 = std::cos(spin * M_PI / 1024), s3 = std::sin(spin * M_PI / 1024);
        std::vector<std::array<double, 2>> p;
        for (const IntroVertex& v : mesh->vertices) {
            double a = c2 * v.x - s2 * v.z, b = s2 * v.x + c2 * v.z;
            double x = c3 * a + s3 * v.y, e = c3 * v.y - s3 * a;
            double d = c1 * b - s1 * e - 7;
            p.push_back({x / d, (s1 * b + c1 * e) / d});
            ASSERT_GE(p.back()[1] * 300 + 65.5, 0.0) << "above the band at spin " << spin;
            ASSERT_LE(p.back()[1] * 300 + 65.5, 130.0) << "below the band at spin " << spin;
            ASSERT_LE(std::fabs(p.back()[0] * 300), 190.0) << "beside the picture at spin " << spin;
        }
        for (const IntroFace& f : mesh->faces) {
            auto &p0 = p[f.vertex[0]], &p1 = p[f.vertex[1]], &p2 = p[f.vertex[2]];
            double area = (p2[0] - p0[0]) * (p1[1] - p0[1]) - (p1[0] - p0[0]) * (p2[1] - p0[1]);
            if (area <= 0)
                continue;
            ++drawn;
            EXPECT_LT(std::nearbyint(area * f.shadeFactor), 256.0)
                << "shade wraps at spin " << spin;
        }
    }
    EXPECT_GT(drawn, 0);
}

}  // namespace
}  // namespace velmora::test
