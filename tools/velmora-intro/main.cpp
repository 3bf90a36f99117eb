// Makes the about-box intro's resources: the font strip, the two front pictures, the
// background texture (written unpacked, for velmora-lzh to pack) and the mesh.
#include <cstdio>
#include <string>
#include <vector>

#include "assetkit/text.h"
#include "background.h"
#include "font_strip.h"
#include "front_image.h"
#include "mesh.h"
#include "preview.h"
#include "winding.h"

using namespace velmora::assets;

namespace {

bool Write(const std::string& path, const std::vector<std::uint8_t>& data) {
    FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(data.data(), 1, data.size(), f) == data.size();
    if (f)
        ok = std::fclose(f) == 0 && ok;
    if (!ok)
        std::fprintf(stderr, "velmora-intro: cannot write %s\n", path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    GuiSession session(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-intro OUTDIR [--preview DIR]\n");
        return 2;
    }
    const std::string out = argv[1];
    std::vector<MeshObject> object = IntroObject();
    if (!FrontFacesKept(object))
        ReverseWinding(object);
    if (!FrontFacesKept(object)) {
        std::fprintf(stderr, "velmora-intro: the object's faces cannot be wound for the intro\n");
        return 1;
    }
    if (BandMargin(object) < 4) {
        std::fprintf(stderr, "velmora-intro: the object leaves its band (margin %.1f px)\n",
                     BandMargin(object));
        return 1;
    }
    std::printf("object: %.1f px clear of its band's edges\n", BandMargin(object));
    const std::vector<std::uint8_t> mesh = MeshFile(object);
    const std::vector<std::uint8_t> font = FontStrip();
    const std::vector<std::uint8_t> russian = FrontImage(true), english = FrontImage(false);
    const std::vector<std::uint8_t> texture = BackgroundTexture();
    if (font.empty())
        return 1;
    bool ok = Write(out + "/INTRO_3DMESH", mesh) && Write(out + "/INTRO_FONTIM", font) &&
              Write(out + "/INTRO_FRONTIM_RUS", russian) &&
              Write(out + "/INTRO_FRONTIM_ENG", english) && Write(out + "/INTRO_BACKFONE", texture);
    if (ok && argc >= 4 && std::string(argv[2]) == "--preview") {
        ok = WriteIntroPreviews(mesh, font, russian, texture, argv[3]);
        if (!ok)
            std::fprintf(stderr, "velmora-intro: cannot render the previews\n");
    }
    return ok ? 0 : 1;
}
