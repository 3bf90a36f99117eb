#include "app/intro_resource_loader.h"

#include <QFile>

#include "view/resource_unpacker.h"

namespace velmora {

namespace {

std::vector<std::uint8_t> Unpacked(const QString& folder, const char* name) {
    auto bytes = UnpackResource(folder + QLatin1Char('/') + QLatin1String(name));
    return bytes ? std::move(*bytes) : std::vector<std::uint8_t>{};
}

}  // namespace

IntroResources LoadIntroResources(const QString& folder) {
    IntroResources resources;
    QFile mesh(folder + QStringLiteral("/INTRO_3DMESH"));
    if (mesh.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = mesh.readAll();
        resources.mesh.assign(bytes.begin(), bytes.end());
    }
    resources.font = Unpacked(folder, "INTRO_FONTIM");
    resources.front = Unpacked(folder, "INTRO_FRONTIM_RUS");
    resources.texture = Unpacked(folder, "INTRO_BACKFONE");
    return resources;
}

}  // namespace velmora
