// Draws the pictures compiled into the program: the start-up logos, the application icon,
// the menu icons, the skin-menu pictures (cut from the skins in DATADIR) and the two
// progress pictures.
#include <QDir>
#include <cstdio>
#include <string>

#include "app_icon.h"
#include "assetkit/text.h"
#include "bmp8.h"
#include "logo.h"
#include "menu_icons.h"
#include "progress_pictures.h"
#include "skin_icons.h"

using namespace velmora::assets;

namespace {

bool Save(const QImage& img, const std::string& path) {
    if (img.save(QString::fromStdString(path), "PNG"))
        return true;
    std::fprintf(stderr, "velmora-pictures: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    GuiSession session(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: velmora-pictures DATADIR RESOURCESDIR\n");
        return 2;
    }
    const std::string data = argv[1], out = argv[2];
    for (const char* sub : {"logo", "icons", "menu", "skins", "progress"})
        QDir().mkpath(QString::fromStdString(out + "/" + sub));
    bool ok = Save(ToQImage(StartupLogo(true), false), out + "/logo/startup_rus.png") &&
              Save(ToQImage(StartupLogo(false), false), out + "/logo/startup_eng.png");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        ok = ok && Save(ToQImage(AppIcon(size), true),
                        out + "/icons/velmora-reversi-" + std::to_string(size) + ".png");
    for (const NamedImage& icon : MenuIcons(16))
        ok = ok && Save(icon.image, out + "/menu/" + icon.name + ".png");
    for (const NamedImage& icon : MenuIcons(32))
        ok = ok && Save(icon.image, out + "/menu/" + icon.name + "@2x.png");
    std::vector<NamedImage> skins = SkinIcons(data);
    if (skins.empty()) {
        std::fprintf(stderr, "velmora-pictures: cannot read the skins in %s\n", data.c_str());
        return 1;
    }
    for (const NamedImage& icon : skins)
        ok = ok && Save(icon.image, out + "/skins/" + icon.name + ".png");
    ok = ok && SaveBmp8(out + "/progress/CONNECT_BMP.bmp", ConnectPicture(), kProgressKey) &&
         SaveBmp8(out + "/progress/PACK_BMP.bmp", PackPicture(), kProgressKey);
    return ok ? 0 : 1;
}
