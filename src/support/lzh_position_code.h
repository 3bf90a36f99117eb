#pragma once

#include <array>
#include <cstdint>

namespace velmora::lzh {

// A match position (0..4095) is sent as a prefix code for its upper 6 bits followed by its
// lower 6 bits verbatim. The decoder reads a whole byte b first: d_code[b] is the upper
// part, already shifted left by 6, and d_len[b] the length of the prefix in bits.
struct PositionDecodeTables {
    std::array<std::uint16_t, 256> d_code;
    std::array<std::uint8_t, 256> d_len;
};

// The encoder's view of the same code: for each upper part, its prefix and length.
struct PositionEncodeTables {
    std::array<std::uint8_t, 64> p_code;  // prefix, right-aligned
    std::array<std::uint8_t, 64> p_len;
};

constexpr PositionDecodeTables MakePositionDecodeTables() {
    // Each band: first byte value, prefix length, number of upper parts in it.
    struct Band {
        int first, bits, uppers;
    };
    constexpr Band kBands[] = {{0, 3, 1},    {32, 4, 3},   {80, 5, 8},
                               {144, 6, 12}, {192, 7, 24}, {240, 8, 16}};
    PositionDecodeTables tables{};
    int upper = 0;
    for (const Band& band : kBands) {
        const int run = 1 << (8 - band.bits);  // byte values sharing one prefix
        for (int u = 0; u < band.uppers; ++u, ++upper) {
            for (int k = 0; k < run; ++k) {
                const int b = band.first + u * run + k;
                tables.d_code[b] = static_cast<std::uint16_t>(upper << 6);
                tables.d_len[b] = static_cast<std::uint8_t>(band.bits);
            }
        }
    }
    return tables;
}

constexpr PositionEncodeTables MakePositionEncodeTables() {
    const PositionDecodeTables decode = MakePositionDecodeTables();
    PositionEncodeTables tables{};
    for (int b = 255; b >= 0; --b) {  // ends on the first byte value of each prefix
        const int upper = decode.d_code[b] >> 6;
        tables.p_len[upper] = decode.d_len[b];
        tables.p_code[upper] = static_cast<std::uint8_t>(b >> (8 - decode.d_len[b]));
    }
    return tables;
}

inline constexpr PositionDecodeTables kPositionDecode = MakePositionDecodeTables();
inline constexpr PositionEncodeTables kPositionEncode = MakePositionEncodeTables();

}  // namespace velmora::lzh
