#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/packed_resource.h"
#include "view/resource_unpacker.h"

namespace velmora {
namespace {

TEST(ResourceUnpackerTest, UnpacksAPackedFileAndRefusesMissingOrDamagedOnes) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<std::uint8_t> data(56400);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>((i * i) >> 5);
    }
    const std::vector<std::uint8_t> packed = PackResource(data);
    const QString path = dir.filePath("packed.lzh");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(packed.data()),
                   static_cast<qint64>(packed.size()));
    }
    const auto unpacked = UnpackResource(path);
    ASSERT_TRUE(unpacked.has_value());
    EXPECT_EQ(*unpacked, data);

    EXPECT_FALSE(UnpackResource(dir.filePath("absent.lzh")).has_value());
    EXPECT_FALSE(UnpackResource(QStringLiteral(":/no/such/resource")).has_value());
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("\x01\x02", 2);
    }
    EXPECT_FALSE(UnpackResource(path).has_value());
}

}  // namespace
}  // namespace velmora
