#include <gtest/gtest.h>

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
    QFile file(dir.filePath("packed.lzh"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(packed.data()), qint64(packed.size()));
    file.close();
    EXPECT_EQ(UnpackResource(file.fileName()), data);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("\x01\x02", 2);  // a damaged header
    file.close();
    EXPECT_FALSE(UnpackResource(file.fileName()).has_value());
    EXPECT_FALSE(UnpackResource(dir.filePath("absent.lzh")).has_value());
    EXPECT_FALSE(UnpackResource(QStringLiteral(":/no/such/resource")).has_value());
}

}  // namespace
}  // namespace velmora
