#include "view/mul_table.h"

namespace velmora {

namespace {

constexpr MulTableType MakeMulTable() {
    MulTableType table{};
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            table[a][b] = static_cast<std::uint8_t>((a * b) >> 8);
        }
    }
    return table;
}

}  // namespace

constinit const MulTableType MulTable = MakeMulTable();

}  // namespace velmora
