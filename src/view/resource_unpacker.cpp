#include "view/resource_unpacker.h"

#include <QFile>
#include <span>

#include "support/packed_resource.h"

namespace velmora {

std::optional<std::vector<std::uint8_t>> UnpackResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray packed = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return UnpackResource(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(packed.constData()),
                                      static_cast<std::size_t>(packed.size())));
}

}  // namespace velmora
