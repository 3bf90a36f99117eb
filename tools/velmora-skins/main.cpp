// Draws the board skins of the DATA folder: Figs1.jpg, Help1.jpg, Lineh1/2.jpg, Linev1/2.jpg.
#include <cstdio>
#include <string>

#include "assetkit/raster.h"
#include "assetkit/text.h"
#include "board_preview.h"
#include "border_strips.h"
#include "figure_sheet.h"
#include "help_sheet.h"

using namespace velmora::assets;

int main(int argc, char** argv) {
    GuiSession session(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-skins OUTDIR [--preview DIR]\n");
        return 2;
    }
    std::string out = argv[1];
    bool ok = SaveJpeg(out + "/Figs1.jpg", FigureSheet(), 95);
    ok = ok && SaveJpeg(out + "/Help1.jpg", HelpSheet(), 95);
    for (int dark = 0; ok && dark < 2; ++dark) {
        BorderImages border = BorderStrips(dark == 1);
        std::string suffix = dark ? "2.jpg" : "1.jpg";
        ok = SaveJpeg(out + "/Lineh" + suffix, border.lineh, 95) &&
             SaveJpeg(out + "/Linev" + suffix, border.linev, 95);
    }
    if (!ok) {
        std::fprintf(stderr, "velmora-skins: cannot write into %s\n", out.c_str());
        return 1;
    }
    if (argc >= 4 && std::string(argv[2]) == "--preview" && !WriteBoardPreviews(out, argv[3])) {
        std::fprintf(stderr, "velmora-skins: cannot write the previews into %s\n", argv[3]);
        return 1;
    }
    return 0;
}
